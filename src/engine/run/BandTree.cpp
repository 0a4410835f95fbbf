#include "engine/run/BandTree.h"

#include "engine/run/BandKinds.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxDataBand.h"
#include "report/data/TpgxDataSet.h"
#include "report/pages/TpgxReportPage.h"
#include "report/resources/TpgxResources.h"

#include <algorithm>

namespace pgx::engine {

namespace {

QString text(const char *key)
{
    return pgxResources().get(QString::fromLatin1(key));
}

bool isKind(const TpgxBand *band, BandKind kind)
{
    return bandKindOf(band) == kind;
}

// Master/detail: the bands after `at` one level deeper than `owner` become
// its details (recursively), deeper ones are passed over, and the first of
// the same level or shallower (or any band numbered no higher) ends the
// scan. Taken bands leave `flow`.
void collectDetails(TpgxDataBand *owner, QList<TpgxBand *> &flow, qsizetype at)
{
    const int level = dataLevelOf(owner);
    const int ownerNumber = int(*bandKindOf(owner));
    qsizetype i = at;
    while (i < flow.size()) {
        TpgxBand *band = flow[i];
        const int bandLevel = dataLevelOf(band);
        const int number = int(bandKindOf(band).value_or(BandKind::ReportTitle));
        if (bandLevel == level + 1) {
            auto *detail = static_cast<TpgxDataBand *>(band);
            flow.removeAt(i);
            if (hasRows(detail)) {
                owner->runState().subBands.append(detail);
                if (bandLevel < 6)
                    collectDetails(detail, flow, i);
            }
            continue;
        }
        if (bandLevel > level + 1) {
            ++i;
            continue;
        }
        if (bandLevel != 0 || number <= ownerNumber)
            break;
        ++i;
    }
}

// Objects of horizontal bands that lie within a vertical band's width
// become its cells, remembering the band they came from.
void moveCellsIntoVerticalBands(TpgxReportPage *page)
{
    QHash<const TpgxComponent *, TpgxBand *> &homes = page->runState().homeBands;
    homes.clear();
    QList<TpgxBand *> verticals, horizontals;
    for (TpgxComponent *object : page->objects()) {
        auto *band = qobject_cast<TpgxBand *>(object);
        if (!band)
            continue;
        if (band->vertical())
            verticals.append(band);
        else if (!isKind(band, BandKind::Overlay))
            horizontals.append(band);
    }
    for (TpgxBand *band : std::as_const(horizontals)) {
        for (TpgxBand *column : std::as_const(verticals)) {
            const QList<TpgxComponent *> objects = band->objects();
            for (TpgxComponent *object : objects) {
                if (object->left() < column->left() - 0.0001
                    || column->left() + column->width() + 0.0001 < object->left() + object->width())
                    continue;
                // The cell keeps the font it had in its band.
                object->setParentFont(false);
                object->setParentComponent(column);
                object->setLeft(object->left() - column->left());
                homes.insert(object, band);
                band->runState().crossedByVerticalBands = true;
            }
        }
    }
}

}   // namespace

bool hasRows(const TpgxDataBand *band)
{
    return band->dataSet() || band->rowCount() > 0;
}

QStringList buildBandTree(TpgxReportPage *page, bool vertical)
{
    QStringList errors;
    QList<TpgxDataBand *> &top = page->runState().dataBands(vertical);
    top.clear();

    QList<TpgxBand *> flow;
    for (TpgxComponent *object : page->objects()) {
        auto *band = qobject_cast<TpgxBand *>(object);
        if (!band || band->vertical() != vertical)
            continue;
        band->runState().clearTree();
        if (auto *data = qobject_cast<TpgxDataBand *>(band);
            data && !data->dataSet() && data->rowCount() > 0)
            data->virtualDataSet()->initialize();
        const auto kind = bandKindOf(band);
        if (kind && *kind >= BandKind::Header && *kind <= BandKind::GroupFooter)
            flow.append(band);
    }
    // Cells after the trees are cleared, which would forget the crossing.
    if (!vertical)
        moveCellsIntoVerticalBands(page);
    // By position, numerically and stably: equal positions keep page order.
    std::stable_sort(flow.begin(), flow.end(), [vertical](TpgxBand *a, TpgxBand *b) {
        return vertical ? a->left() < b->left() : a->top() < b->top();
    });

    // Groups: a header takes the headers right after it as its chain, and
    // the next data band as its data band.
    for (qsizetype i = 0; i < flow.size(); ++i) {
        auto *group = qobject_cast<TpgxGroupHeader *>(flow[i]);
        if (!group || !isKind(group, BandKind::GroupHeader))
            continue;
        QList<TpgxBand *> &chain = group->runState().subBands;
        chain.append(group);
        qsizetype j = i + 1;
        while (j < flow.size() && isKind(flow[j], BandKind::GroupHeader))
            chain.append(flow[j++]);
        while (j < flow.size() && dataLevelOf(flow[j]) == 0)
            ++j;
        if (j < flow.size())
            flow[j]->runState().groupBand = group;
        else
            errors.append(text("enUnconnGroup") + QLatin1Char(' ') + group->name());
        i = j;   // the chain's inner headers start no chain of their own
    }
    // Footers pair with the nearest unpaired group header before them.
    QList<TpgxBand *> unpaired;
    for (qsizetype i = 0; i < flow.size();) {
        TpgxBand *band = flow[i];
        if (isKind(band, BandKind::GroupHeader)) {
            unpaired.append(band);
            flow.removeAt(i);
        } else if (isKind(band, BandKind::GroupFooter)) {
            if (unpaired.isEmpty()) {
                errors.append(text("enUnconnGFooter") + QLatin1Char(' ') + band->name());
            } else {
                unpaired.takeLast()->runState().footerBand = band;
            }
            flow.removeAt(i);
        } else {
            ++i;
        }
    }

    // Headers right before and footers right after a data band.
    for (qsizetype i = 0; i < flow.size(); ++i) {
        if (dataLevelOf(flow[i]) == 0)
            continue;
        TpgxBand *data = flow[i];
        if (i > 0 && isKind(flow[i - 1], BandKind::Header)) {
            data->runState().headerBand = flow[i - 1];
            flow.removeAt(--i);
        }
        if (i + 1 < flow.size() && isKind(flow[i + 1], BandKind::Footer)) {
            data->runState().footerBand = flow[i + 1];
            flow.removeAt(i + 1);
        }
    }
    for (qsizetype i = 0; i < flow.size();) {
        if (isKind(flow[i], BandKind::Header) || isKind(flow[i], BandKind::Footer)) {
            errors.append(text("enUnconnHeader") + QLatin1Char(' ') + flow[i]->name());
            flow.removeAt(i);
        } else {
            ++i;
        }
    }

    // Masters in order, each collecting its details.
    for (qsizetype i = 0; i < flow.size();) {
        if (!isKind(flow[i], BandKind::MasterData)) {
            ++i;
            continue;
        }
        auto *master = static_cast<TpgxDataBand *>(flow.takeAt(i));
        if (hasRows(master))
            top.append(master);
        collectDetails(master, flow, i);
    }
    for (TpgxBand *band : std::as_const(flow))
        errors.append(text("enBandPos") + QLatin1Char(' ') + band->name());
    return errors;
}

}   // namespace pgx::engine
