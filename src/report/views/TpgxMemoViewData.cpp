// The text object's data fetch: fields, delimited expressions, formats and
// the per-row rules (highlight, SuppressRepeated, FlowTo).

#include "report/views/TpgxMemoView.h"

#include "platform/Error.h"
#include "report/data/TpgxDataSet.h"
#include "report/root/TpgxReport.h"
#include "report/views/MemoExpansion.h"
#include "report/views/MemoFormat.h"

#include <QtCore/QBuffer>

using namespace pgx::views;

namespace {

DisplayFormat displayFormatOf(const TpgxFormat &f)
{
    return {DisplayFormat::Kind(int(f.kind())), f.formatStr(), f.decimalSeparator()};
}

// The page macros are kept for drawing time, when the page count is known.
bool isDeferredMacro(const QString &expression)
{
    const QString e = expression.trimmed();
    return e.compare(QLatin1String("TotalPages#"), Qt::CaseInsensitive) == 0
        || e.compare(QLatin1String("CopyName#"), Qt::CaseInsensitive) == 0;
}

QVariant calcIn(TpgxReport *report, const QString &expression)
{
    if (!report)
        throw pgx::Error(QStringLiteral("Cannot evaluate '%1' outside a report").arg(expression));
    return report->calc(expression);
}

}   // namespace

void TpgxCustomMemoView::fetchData()
{
    TpgxStretcheable::fetchData();
    TpgxReport *owner = report();
    const DisplayFormat ownFormat = displayFormatOf(m_displayFormat);

    if (isBound()) {
        const TpgxDataSet *source = dataSet();
        const QString field = dataField();
        if (source->isBlobField(field)) {
            QBuffer blob;
            blob.open(QIODevice::ReadWrite);
            source->readBlobInto(field, &blob);
            setText(QString::fromUtf8(blob.readAll()));
        } else {
            m_value = source->getValue(field);
            QString shown = ownFormat.kind != DisplayFormat::Text ? applyFormat(m_value, ownFormat)
                                                                  : source->getDisplayText(field);
            if (m_hideZeros && isHiddenZero(m_value))
                shown.clear();
            setText(shown);
        }
    } else if (m_allowExpressions) {
        const QString expanded = expandExpressions(
            text(), splitDelimiters(m_expressionDelimiters), [&](const QString &expression) {
                const InlineFormat inlined = splitInlineFormat(expression);
                if (isDeferredMacro(inlined.expression))
                    return QLatin1Char('[') + inlined.expression.trimmed() + QLatin1Char(']');
                m_value = calcIn(owner, inlined.expression);
                if (m_hideZeros && isHiddenZero(m_value))
                    return QString();
                return applyFormat(m_value, inlined.hasFormat ? inlined.format : ownFormat);
            });
        // The text keeps its final line break only when it had one.
        setText(expanded);
    }

    if (owner)
        owner->publishCurrentValue(m_value);
    m_highlight.setActive(false);
    if (!m_highlight.condition().trimmed().isEmpty())
        m_highlight.setActive(calcIn(owner, m_highlight.condition()).toBool());

    if (m_suppressRepeated) {
        const QString shown = text();
        if (m_hasShownValue && shown == m_lastShownValue) {
            m_memo.clear();
        } else {
            m_lastShownValue = shown;
            m_hasShownValue = true;
        }
    }

    if (m_flowTo && m_flowTo != this) {
        preparePart();
        drawNextPart();
        m_flowTo->setText(m_remainingText);
        m_flowTo->setAllowExpressions(false);
    }
}
