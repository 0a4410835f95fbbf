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

const QList<const char *> &TpgxBand::bandClassNames()
{
    static const QList<const char *> kNames = [] {
        QList<const char *> list;
        for (const QMetaObject *band : pgx::bandMetaObjects(pgx::BandTable{}))
            list.append(band->className());
        return list;
    }();
    return kNames;
}

QString TpgxBand::bandKindName() const
{
    return pgx::classNameStem(QString::fromLatin1(metaObject()->className()),
                              QLatin1StringView("Band"));
}

int TpgxBand::bandKindIndex() const
{
    const auto &table = pgx::bandMetaObjects(pgx::BandTable{});
    const auto it = std::find(table.begin(), table.end(), metaObject());
    return it == table.end() ? 0 : int(it - table.begin());
}

double TpgxBand::onGrid(double value, double cell) const
{
    const auto *page = qobject_cast<const TpgxReportPage *>(parentComponent());
    return page && page->usesCharacterGrid() ? std::nearbyint(value / cell) * cell : value;
}

void TpgxBand::setLeft(double value)
{
    TpgxReportComponent::setLeft(onGrid(value, kPg1CharX));
}

void TpgxBand::setTop(double value)
{
    TpgxReportComponent::setTop(onGrid(value, kPg1CharY));
}

void TpgxBand::setHeight(double value)
{
    TpgxReportComponent::setHeight(onGrid(value, kPg1CharY));
}

TpgxChild *TpgxBand::child() const
{
    return m_child;
}

void TpgxBand::setChild(TpgxChild *child)
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

QString TpgxBand::kindCaption() const
{
    return pgxResources().get(QStringLiteral("ob")
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

QString TpgxGroupHeader::diffAttrs(const TpgxComponent *other) const
{
    QString text = TpgxBand::diffAttrs(other);
    if (m_drillDown)
        text += QStringLiteral(" Tag=\"") + QString::number(m_drillIndex) + QLatin1Char('"');
    return text;
}
