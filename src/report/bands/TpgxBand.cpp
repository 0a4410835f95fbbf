#include "report/bands/TpgxBand.h"

#include "meta/ClassDescriptor.h"
#include "platform/Error.h"
#include "report/bands/BandTable.h"
#include "report/pages/TpgxReportPage.h"
#include "report/resources/TpgxResources.h"

#include <QtCore/QSet>

#include <algorithm>
#include <cmath>

TpgxBand::TpgxBand(QObject *owner) : TpgxReportComponent(owner) { }

TpgxBand::~TpgxBand()
{
    for (const QPointer<TpgxBand> &band : std::as_const(m_parentBands))
        if (band)
            band->m_child = nullptr;
    if (m_child)
        m_child->m_parentBands.removeAll(this);
}

const QList<const char *> &TpgxBand::BandClassNames()
{
    static const QList<const char *> names = [] {
        QList<const char *> list;
        for (const QMetaObject *band : pgx::bandMetaObjects(pgx::BandTable{}))
            list.append(band->className());
        return list;
    }();
    return names;
}

QString TpgxBand::BandKindName() const
{
    return pgx::classNameStem(QString::fromLatin1(metaObject()->className()),
                              QLatin1StringView("Band"));
}

int TpgxBand::BandKindIndex() const
{
    const auto &table = pgx::bandMetaObjects(pgx::BandTable{});
    const auto it = std::find(table.begin(), table.end(), metaObject());
    return it == table.end() ? 0 : int(it - table.begin());
}

double TpgxBand::OnGrid(double value, double cell) const
{
    const auto *page = qobject_cast<const TpgxReportPage *>(Parent());
    return page && page->UsesCharacterGrid() ? std::nearbyint(value / cell) * cell : value;
}

void TpgxBand::SetLeft(double value)
{
    TpgxReportComponent::SetLeft(OnGrid(value, pg1CharX));
}

void TpgxBand::SetTop(double value)
{
    TpgxReportComponent::SetTop(OnGrid(value, pg1CharY));
}

void TpgxBand::SetHeight(double value)
{
    TpgxReportComponent::SetHeight(OnGrid(value, pg1CharY));
}

TpgxChild *TpgxBand::Child() const
{
    return m_child;
}

void TpgxBand::SetChild(TpgxChild *child)
{
    if (child == m_child)
        return;
    // The chain is kept free of cycles, so the walk ends; the set bounds it
    // all the same.
    QSet<const TpgxBand *> seen;
    for (const TpgxBand *band = child; band && !seen.contains(band); band = band->m_child) {
        if (band == this)
            throw pgx::Error(QStringLiteral("Circular child reference is not allowed"));
        seen.insert(band);
    }
    if (m_child)
        m_child->m_parentBands.removeAll(this);
    m_child = child;
    if (child)
        child->m_parentBands.append(this);
}

QString TpgxBand::KindCaption() const
{
    return pgxResources().Get(QStringLiteral("ob")
                              + pgx::classNameStem(QString::fromLatin1(metaObject()->className())));
}

TpgxChild::TpgxChild(QObject *owner) : TpgxBand(owner) { }

TpgxReportTitle::TpgxReportTitle(QObject *owner) : TpgxBand(owner) { }
TpgxReportSummary::TpgxReportSummary(QObject *owner) : TpgxBand(owner) { }
TpgxPageHeader::TpgxPageHeader(QObject *owner) : TpgxBand(owner) { }
TpgxPageFooter::TpgxPageFooter(QObject *owner) : TpgxBand(owner) { }
TpgxHeader::TpgxHeader(QObject *owner) : TpgxBand(owner) { }
TpgxFooter::TpgxFooter(QObject *owner) : TpgxBand(owner) { }
TpgxGroupHeader::TpgxGroupHeader(QObject *owner) : TpgxBand(owner) { }
TpgxGroupFooter::TpgxGroupFooter(QObject *owner) : TpgxBand(owner) { }
TpgxColumnHeader::TpgxColumnHeader(QObject *owner) : TpgxBand(owner) { }
TpgxColumnFooter::TpgxColumnFooter(QObject *owner) : TpgxBand(owner) { }
TpgxOverlay::TpgxOverlay(QObject *owner) : TpgxBand(owner) { }
TpgxNullBand::TpgxNullBand(QObject *owner) : TpgxBand(owner) { }

QString TpgxGroupHeader::DiffAttrs(const TpgxComponent *other) const
{
    QString text = TpgxBand::DiffAttrs(other);
    if (m_drillDown)
        text += QStringLiteral(" Tag=\"") + QString::number(m_drillIndex) + QLatin1Char('"');
    return text;
}
