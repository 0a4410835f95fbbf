#include "designer/clipboard/TpgxClipboard.h"

#include "designer/clipboard/TextClipboard.h"
#include "designer/undo/TpgxPictureCache.h"
#include "meta/ClassRegistry.h"
#include "persist/XMLEscape.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "report/bands/Bands.h"
#include "report/bands/TpgxBand.h"
#include "report/pages/TpgxDataPage.h"
#include "report/pages/TpgxDialogPage.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxLineView.h"
#include "report/views/TpgxMemoView.h"
#include "report/views/TpgxPictureView.h"
#include "report/views/TpgxShapeView.h"

#include <QtCore/QRegularExpression>

#include <algorithm>
#include <memory>

namespace {

constexpr double kFarAway = 100000;

// The element's text: "<Class Name="name"" and the attributes of a copy
// placed relative to the selection's corner.
QByteArray elementOf(TpgxComponent &source, TpgxPage &page, double minLeft, double minTop)
{
    TpgxPictureCache::setSnapshotMode(source, true);
    struct Normal
    {
        TpgxComponent &source;
        ~Normal() { TpgxPictureCache::setSnapshotMode(source, false); }
    } normal{source};
    pgx::TpgxXMLSerializer serializer;
    const QByteArray className = source.metaObject()->className();
    std::unique_ptr<pgx::MetaComponent> made(
        pgx::ClassRegistry::create(QString::fromLatin1(className), nullptr));
    auto *copy = qobject_cast<TpgxComponent *>(made.get());
    if (!copy)
        return {};
    serializer.setOwner(&page);
    serializer.attrsToProps(serializer.propsToAttrs(&source), copy, true);
    if (auto *view = qobject_cast<TpgxPictureView *>(copy))
        view->setInPictureCache(true);
    copy->setLeft(copy->left() - minLeft);
    copy->setTop(source.absTop() - minTop);
    return '<' + className + " Name=\"" + pgx::escapeAttr(source.name().toUtf8()) + '"'
        + serializer.propsToAttrs(copy) + "/>";
}

bool hasChildSelected(const TpgxComponent &band, const QList<TpgxComponent *> &selection)
{
    return std::any_of(selection.cbegin(), selection.cend(), [&band](const TpgxComponent *o) {
        return o != &band && band.allObjects().contains(const_cast<TpgxComponent *>(o));
    });
}

// The elements of the text after the header: "<...>" up to a "/>" outside
// quotation marks.
QList<QByteArray> elementsOf(const QByteArray &text)
{
    QList<QByteArray> elements;
    qsizetype start = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (start < 0) {
            if (c == '<')
                start = i;
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '/' && i + 1 < text.size() && text[i + 1] == '>') {
            elements << text.mid(start + 1, i - start - 1);
            start = -1;
            ++i;
        }
    }
    return elements;
}

bool isSingleBand(const TpgxComponent &object)
{
    return qobject_cast<const TpgxReportTitle *>(&object)
        || qobject_cast<const TpgxReportSummary *>(&object)
        || qobject_cast<const TpgxPageHeader *>(&object)
        || qobject_cast<const TpgxPageFooter *>(&object)
        || qobject_cast<const TpgxColumnHeader *>(&object)
        || qobject_cast<const TpgxColumnFooter *>(&object);
}

}   // namespace

QString TpgxClipboard::copyText(TpgxPage &page, const QList<TpgxComponent *> &selection)
{
    double minLeft = kFarAway;
    double minTop = kFarAway;
    for (const TpgxComponent *object : selection) {
        minLeft = std::min(minLeft, object->absLeft());
        minTop = std::min(minTop, object->absTop());
    }
    QByteArray text = QByteArray(kHeader) + "\n\r";
    const QList<TpgxComponent *> objects = page.allObjects();
    for (TpgxComponent *object : objects) {
        if (!selection.contains(object))
            continue;
        text += elementOf(*object, page, minLeft, minTop);
        if (qobject_cast<TpgxBand *>(object) && !hasChildSelected(*object, selection))
            for (TpgxComponent *child : object->allObjects())
                text += elementOf(*child, page, minLeft, minTop);
    }
    return QString::fromUtf8(text);
}

void TpgxClipboard::copyObjects(TpgxPage &page, const QList<TpgxComponent *> &selection)
{
    m_clipboard.setText(copyText(page, selection));
}

bool TpgxClipboard::holdsObjects() const
{
    try {
        return m_clipboard.text().startsWith(QLatin1String(kHeader));
    } catch (...) {
        return false;
    }
}

bool TpgxClipboard::fitsOnto(const TpgxComponent &object, const TpgxPage &page)
{
    if (qobject_cast<const TpgxDialogPage *>(&page))
        return qobject_cast<const TpgxDialogComponent *>(&object);
    if (qobject_cast<const TpgxDataPage *>(&page))
        return qobject_cast<const TpgxCustomLineView *>(&object)
            || qobject_cast<const TpgxCustomMemoView *>(&object)
            || qobject_cast<const TpgxShapeView *>(&object)
            || qobject_cast<const TpgxDialogComponent *>(&object);
    return true;
}

TpgxClipboard::Pasted TpgxClipboard::pasteObjects(TpgxPage &page)
{
    return pasteText(page, m_clipboard.text(), m_pictures);
}

TpgxClipboard::Pasted TpgxClipboard::pasteText(TpgxPage &page, const QString &text,
                                               const TpgxPictureCache &pictures)
{
    Pasted pasted;
    // The header line goes; line ends of any kind are dropped.
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty())
        lines.removeFirst();
    const QByteArray body = lines.join(QString()).toUtf8();
    static const QRegularExpression kName(QStringLiteral("^(\\S+) Name=\"([^\"]*)\""));
    TpgxReport *report = page.report();
    for (const QByteArray &element : elementsOf(body)) {
        const QString line = QString::fromUtf8(element);
        const QRegularExpressionMatch name = kName.match(line);
        const QString rest
            = name.hasMatch() ? name.captured(1) + line.mid(name.capturedLength(0)) : line;
        pgx::MetaComponent *made = nullptr;
        try {
            pgx::TpgxXMLSerializer serializer;
            made = serializer.lineToObject(&page, rest.toUtf8(), true);
        } catch (const pgx::Error &) {
            made = nullptr;
        }
        auto *object = qobject_cast<TpgxComponent *>(made);
        if (!object) {
            delete made;
            break;
        }
        const bool secondSingleBand = isSingleBand(*object) && [&] {
            for (TpgxComponent *other : page.objects())
                if (other != object && other->metaObject() == object->metaObject())
                    return true;
            return false;
        }();
        if (secondSingleBand || !fitsOnto(*object, page)) {
            delete object;
            continue;
        }
        if (auto *view = qobject_cast<TpgxPictureView *>(object)) {
            view->setInPictureCache(false);
            pictures.restorePicture(*view);
        }
        if (!qobject_cast<TpgxBand *>(object)) {
            for (auto it = pasted.objects.crbegin(); it != pasted.objects.crend(); ++it) {
                auto *band = qobject_cast<TpgxBand *>(*it);
                if (band && object->top() >= band->top()
                    && object->top() < band->top() + band->height()) {
                    object->setParentComponent(band);
                    object->setTop(object->top() - band->top());
                    break;
                }
            }
        }
        const QString wanted = name.hasMatch()
            ? QString::fromUtf8(pgx::unescapeAttr(name.captured(2).toUtf8()))
            : QString();
        const TpgxComponent *holder = report ? static_cast<const TpgxComponent *>(report) : &page;
        if (wanted.isEmpty() || holder->findObject(wanted)) {
            object->makeUniqueName();
        } else {
            try {
                object->setName(wanted);
            } catch (const pgx::Error &) {
                object->makeUniqueName();
            }
        }
        object->setGroupIndex(0);
        pasted.objects << object;
        if (object->parentComponent() == &page)
            pasted.selection << object;
    }
    if (pasted.selection.isEmpty())
        pasted.selection << &page;
    return pasted;
}
