#include "prepared/TpgxPreviewPages.h"

#include "meta/ClassDescriptor.h"
#include "meta/ClassRegistry.h"
#include "persist/XMLEscape.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "platform/format/NumberText.h"
#include "report/bands/Bands.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxPictureView.h"

using pgx::TpgxXMLItem;

namespace {

// Size counted for a node beyond its name and attributes: the tags and the
// item itself. Only the order of magnitude matters (when to swap).
constexpr qint64 kNodeOverhead = 32;

// While objects go onto a page, picture views hand changed pictures to this
// store's cache.
class PictureCacheScope
{
public:
    explicit PictureCacheScope(TpgxPreviewPages *store)
    {
        TpgxPictureView::setPictureCacheHook(
            [store](const TpgxPicture &picture) { return store->addPicture(picture); });
    }
    ~PictureCacheScope() { TpgxPictureView::setPictureCacheHook({}); }
    Q_DISABLE_COPY_MOVE(PictureCacheScope)
};

bool hasAttr(const TpgxXMLItem &item, QByteArrayView name)
{
    // prop() cannot tell an empty value from a missing one.
    for (qsizetype at = item.text().indexOf(name); at >= 0;
         at = item.text().indexOf(name, at + 1)) {
        const bool startsWord = at == 0 || item.text()[at - 1] == ' ';
        const qsizetype after = at + name.size();
        if (startsWord && after < item.text().size() && item.text()[after] == '=')
            return true;
    }
    return false;
}

}   // namespace

TpgxPreviewPages::TpgxPreviewPages(TpgxReport *report)
    : m_report(report), m_doc(std::make_unique<pgx::TpgxXMLDocument>()),
      m_outline([this] { return node("outline"); }, [this] { return m_currentPage; })
{
    m_doc->root()->setName("preparedreport");
    m_doc->setIndented(true);
}

TpgxPreviewPages::~TpgxPreviewPages() = default;

TpgxXMLItem *TpgxPreviewPages::node(QByteArrayView name)
{
    return m_doc->root()->findItem(name);
}

void TpgxPreviewPages::addError(const QString &message)
{
    if (!m_errors.contains(message))
        m_errors.append(message);
}

// --- the run -----------------------------------------------------------------

void TpgxPreviewPages::beginRun()
{
    m_doc->setTempDir(m_report->engineOptions()->tempDir);
    m_firstPageOfReport = count();
}

void TpgxPreviewPages::endRun()
{
    dropPageCache();
    m_engineRunning = false;
}

void TpgxPreviewPages::clear()
{
    dropPageCache();
    m_sourcePages.clear();
    m_descriptions.clear();
    m_parsedDescriptions.clear();
    m_sourceIndexOf.clear();
    m_doc->clear();
    m_dictionary.clear();
    m_pictures.clear();
    m_errors.clear();
    m_currentPage = -1;
    m_firstPage = -1;
    m_firstObject = 0;
    m_firstPageOfReport = 0;
    m_addedSize = 0;
    m_logicalCounter = 0;
    m_addAction = AddAction::Append;
    m_outline.levelRoot();
}

void TpgxPreviewPages::dropPageCache()
{
    m_pageCache.clear();
}

TpgxReportPage *TpgxPreviewPages::sourcePage(int index) const
{
    return index >= 0 && index < sourcePageCount() ? m_sourcePages[size_t(index)].get() : nullptr;
}

void TpgxPreviewPages::addSourcePage(TpgxReportPage *page)
{
    auto *made
        = pgx::ClassRegistry::create(QString::fromLatin1(page->metaObject()->className()), nullptr);
    std::unique_ptr<TpgxReportPage> copy(qobject_cast<TpgxReportPage *>(made));
    if (!copy) {
        delete made;
        throw pgx::Error(QStringLiteral("Cannot copy the page %1").arg(page->name()));
    }
    copy->assignTree(page);
    copy->setName(page->name());
    const int index = sourcePageCount();
    m_sourceIndexOf.insert(page, index);
    m_sourceIndexOf.insert(copy.get(), index);
    cacheDescriptions(copy.get(), index, page);
    m_sourcePages.push_back(std::move(copy));
}

// Aliases for every object of the copy (and its template, walked in the same
// order), the data binding cleared, the description cached.
void TpgxPreviewPages::cacheDescriptions(TpgxReportPage *copy, int sourceIndex,
                                         TpgxReportPage *original)
{
    const QList<TpgxComponent *> copies = copy->allObjects();
    const QList<TpgxComponent *> originals
        = original ? original->allObjects() : QList<TpgxComponent *>();
    pgx::TpgxXMLSerializer serializer;
    serializer.setOwner(copy);
    const QString pathPrefix = QStringLiteral("Page%1.").arg(sourceIndex);
    for (qsizetype i = 0; i < copies.size(); ++i) {
        TpgxComponent *object = copies[i];
        if (auto *view = qobject_cast<TpgxView *>(object)) {
            view->setDataSet(nullptr);
            view->setDataField(QString());
        }
        const TpgxComponent *from = i < originals.size() ? originals[i] : nullptr;
        if (original)
            m_dictionary.add(pathPrefix + object->name(), object, from);
        m_descriptions.insert(object, serializer.objectToLine(object));
        m_parsedDescriptions.remove(object);
    }
}

void TpgxPreviewPages::beginPass(bool lastPassOfTwo)
{
    m_lastPassOfTwo = lastPassOfTwo;
    m_firstPage = count() - 1;
    if (m_firstPage >= 0)
        m_firstObject = pageNode(m_firstPage)->count();
    closeLogicalRun();
}

void TpgxPreviewPages::clearFirstPass()
{
    dropPageCache();
    TpgxXMLItem *root = m_doc->root();
    if (m_firstPage == -1) {
        for (int i = root->count() - 1; i >= 0; --i) {
            const QByteArray &name = root->items(i)->name();
            if (name != "anchors" && name != "logicalpagenumbers")
                delete root->items(i);
        }
    } else {
        TpgxXMLItem *pages = pagesNode();
        while (pages->count() > m_firstPage + 1)
            delete pages->items(pages->count() - 1);
        markPageChanged(m_firstPage);
        TpgxXMLItem *first = pageNode(m_firstPage);
        while (first->count() > m_firstObject)
            delete first->items(first->count() - 1);
    }
    m_outline.levelRoot();
    closeLogicalRun();
    m_currentPage = m_firstPage;
    m_addedSize = 0;
}

int TpgxPreviewPages::count() const
{
    const int at = m_doc->root()->find("previewpages");
    return at < 0 ? 0 : m_doc->root()->items(at)->count();
}

TpgxXMLItem *TpgxPreviewPages::pageNode(int index)
{
    TpgxXMLItem *item = pagesNode()->items(index);
    if (item && !item->inMemory()) {
        const pgx::TpgxXMLResult result = m_doc->swapIn(item);
        if (!result)
            throw pgx::Error(result.description());
    }
    return item;
}

void TpgxPreviewPages::swapOutBefore(int last)
{
    TpgxXMLItem *pages = pagesNode();
    for (int i = last - 1; i >= 0; --i) {
        TpgxXMLItem *item = pages->items(i);
        if (!item->swappable() || !item->inMemory())
            break;
        if (!m_doc->swapOut(item))
            break;
    }
}

void TpgxPreviewPages::addPage(TpgxReportPage *page)
{
    const TpgxEngineOptions *options = m_report->engineOptions();
    if (options->useFileCache && m_addedSize > qint64(options->maxMemSize) * 1048576) {
        swapOutBefore(count() - 1);
        m_addedSize = 0;
    }
    ++m_currentPage;
    if (m_currentPage < count() && m_addAction == AddAction::WriteOver)
        return;
    if (!m_sourceIndexOf.contains(page))
        addSourcePage(page);
    // The first two pages always stay in memory.
    const bool swappable = count() >= 2;
    TpgxXMLItem *item = pagesNode()->add();
    item->setName("page" + QByteArray::number(m_sourceIndexOf.value(page)));
    item->setSwappable(swappable);
    m_addAction = AddAction::WriteOver;
    m_currentPage = count() - 1;
    nextLogicalPage();
}

void TpgxPreviewPages::addObject(TpgxComponent *object)
{
    markPageChanged(m_currentPage);
    TpgxXMLItem *page = pageNode(m_currentPage);
    if (!page)
        throw pgx::Error(QStringLiteral("There is no page to add %1 to").arg(object->name()));
    PictureCacheScope pictures(this);
    addObjectNode(page, object, 0);
}

void TpgxPreviewPages::addObjectNode(TpgxXMLItem *parent, TpgxComponent *object, int depth)
{
    if (!object->visible())
        return;
    if (depth > TpgxComponent::kMaxTreeDepth)
        throw pgx::Error(QStringLiteral("Objects nest too deep"));
    QString alias = m_dictionary.aliasOf(object);
    if (alias.isEmpty() && object->originalComponent())
        alias = m_dictionary.aliasOf(object->originalComponent());
    const TpgxComponent *source = alias.isEmpty() ? nullptr : m_dictionary.copyOf(alias);
    TpgxXMLItem *item = parent->add();
    if (source && source->metaObject() == object->metaObject()) {
        item->setName(alias.toLatin1());
        item->setText(object->diffAttrs(source).mid(1).toUtf8());
    } else {
        // Made by a script or the engine: everything it publishes.
        pgx::TpgxXMLSerializer serializer;
        serializer.setOwner(object);
        item->setName(pgx::describe(object).className.toLatin1());
        QByteArray text = serializer.propsToAttrs(object);
        if (!object->name().isEmpty())
            text.prepend(" Name=\"" + pgx::escapeAttr(object->name().toUtf8()) + '"');
        item->setText(text.mid(1));
    }
    m_addedSize += item->name().size() + item->text().size() + kNodeOverhead;
    for (TpgxComponent *child : object->objects())
        addObjectNode(item, child, depth + 1);
}

const TpgxComponent *TpgxPreviewPages::sourceOf(const TpgxXMLItem &objectNode) const
{
    return m_dictionary.copyOf(QString::fromLatin1(objectNode.name()));
}

double TpgxPreviewPages::sourceValue(const TpgxXMLItem &objectNode, QByteArrayView name) const
{
    if (hasAttr(objectNode, name))
        return pgx::format::parseFileFloat(QString::fromUtf8(objectNode.prop(name))).value_or(0);
    const TpgxComponent *source = sourceOf(objectNode);
    if (!source)
        return 0;
    switch (name.front()) {
    case 'l': return source->left();
    case 't': return source->top();
    case 'w': return source->width();
    default: return source->height();
    }
}

bool TpgxPreviewPages::bandOnCurrentPage(const TpgxComponent *band) const
{
    auto *self = const_cast<TpgxPreviewPages *>(this);
    const TpgxXMLItem *page = self->pageNode(m_currentPage);
    if (!page)
        return false;
    QString alias = m_dictionary.aliasOf(band);
    if (alias.isEmpty() && band->originalComponent())
        alias = m_dictionary.aliasOf(band->originalComponent());
    const bool pageFooter = qobject_cast<const TpgxPageFooter *>(band);
    const bool columnFooter = qobject_cast<const TpgxColumnFooter *>(band);
    for (int i = 0; i < page->count(); ++i) {
        const TpgxXMLItem &item = *page->items(i);
        if (!alias.isEmpty() && item.name() == alias.toLatin1())
            return true;
        const TpgxComponent *source = sourceOf(item);
        if (pageFooter && qobject_cast<const TpgxPageFooter *>(source))
            return true;
        if (columnFooter && qobject_cast<const TpgxColumnFooter *>(source))
            return true;
    }
    return false;
}

int TpgxPreviewPages::currentPosition() const
{
    const TpgxXMLItem *page = const_cast<TpgxPreviewPages *>(this)->pageNode(m_currentPage);
    return page ? page->count() : 0;
}

double TpgxPreviewPages::lowestBandBottom() const
{
    const TpgxXMLItem *page = const_cast<TpgxPreviewPages *>(this)->pageNode(m_currentPage);
    double lowest = 0;
    for (int i = 0; page && i < page->count(); ++i) {
        const TpgxXMLItem &item = *page->items(i);
        const TpgxComponent *source = sourceOf(item);
        if (!qobject_cast<const TpgxBand *>(source) || qobject_cast<const TpgxPageFooter *>(source)
            || qobject_cast<const TpgxOverlay *>(source))
            continue;
        lowest = std::max(lowest, sourceValue(item, "t") + sourceValue(item, "h"));
    }
    return lowest;
}

void TpgxPreviewPages::cutObjects(int fromIndex)
{
    markPageChanged(m_currentPage);
    TpgxXMLItem *page = pageNode(m_currentPage);
    if (!page)
        return;
    TpgxXMLItem *cut = node("cutted");
    while (page->count() > std::max(fromIndex, 0))
        cut->addItem(page->items(std::max(fromIndex, 0)));
}

void TpgxPreviewPages::pasteObjects(double x, double y)
{
    const int at = m_doc->root()->find("cutted");
    if (at < 0)
        return;
    std::unique_ptr<TpgxXMLItem> cut(m_doc->root()->items(at));
    markPageChanged(m_currentPage);
    TpgxXMLItem *page = pageNode(m_currentPage);
    if (!page || cut->count() == 0)
        return;
    // A missing "l" or "t" is the source object's, not 0: a band that kept
    // its template's top has none.
    const double firstLeft = sourceValue(*cut->items(0), "l");
    const double firstTop = sourceValue(*cut->items(0), "t");
    while (cut->count() > 0) {
        TpgxXMLItem *item = cut->items(0);
        const double l = sourceValue(*item, "l") + (x - firstLeft);
        const double t = sourceValue(*item, "t") + (y - firstTop);
        item->setProp("l", pgx::format::fileFloatText(l).toLatin1());
        item->setProp("t", pgx::format::fileFloatText(t).toLatin1());
        page->addItem(item);
    }
}

// --- anchors ---------------------------------------------------------------

void TpgxPreviewPages::addAnchor(const QString &text, double curY)
{
    TpgxXMLItem *item = node("anchors")->add();
    item->setName("item");
    item->setProp("text", text.toUtf8());
    item->setProp("page", QByteArray::number(m_currentPage));
    item->setProp("top", QByteArray::number(qint64(pgx::format::roundHalfEven(curY))));
}

int TpgxPreviewPages::findAnchor(const QString &text) const
{
    const int at = m_doc->root()->find("anchors");
    if (at < 0)
        return -1;
    const TpgxXMLItem *anchors = m_doc->root()->items(at);
    for (int i = anchors->count() - 1; i >= 0; --i)
        if (QString::fromUtf8(anchors->items(i)->prop("text")).compare(text, Qt::CaseInsensitive)
            == 0)
            return i;
    return -1;
}

int TpgxPreviewPages::anchorPage(const QString &text) const
{
    const int i = findAnchor(text);
    if (i < 0)
        return 1;
    const TpgxXMLItem *anchors = m_doc->root()->items(m_doc->root()->find("anchors"));
    return anchors->items(i)->prop("page").toInt() + 1;
}

int TpgxPreviewPages::anchorTop(const QString &text) const
{
    const int i = findAnchor(text);
    if (i < 0)
        return 0;
    const TpgxXMLItem *anchors = m_doc->root()->items(m_doc->root()->find("anchors"));
    return anchors->items(i)->prop("top").toInt();
}

int TpgxPreviewPages::anchorCount() const
{
    const int at = m_doc->root()->find("anchors");
    return at < 0 ? 0 : m_doc->root()->items(at)->count();
}

void TpgxPreviewPages::shiftAnchors(int index, int newTop)
{
    TpgxXMLItem *anchors = node("anchors");
    const TpgxXMLItem *next = anchors->items(index + 1);
    if (!next)
        return;
    const int delta = newTop - next->prop("top").toInt();
    for (int i = index + 1; i < anchors->count(); ++i) {
        TpgxXMLItem *item = anchors->items(i);
        item->setProp("page", QByteArray::number(item->prop("page").toInt() + 1));
        item->setProp("top", QByteArray::number(item->prop("top").toInt() + delta));
    }
}

// --- logical page numbers ---------------------------------------------------

void TpgxPreviewPages::nextLogicalPage()
{
    if (m_lastPassOfTwo)
        return;
    ++m_logicalCounter;
    TpgxXMLItem *item = node("logicalpagenumbers")->add();
    item->setName("page");
    item->setProp("n", QByteArray::number(m_logicalCounter));
}

void TpgxPreviewPages::closeLogicalRun()
{
    // A run that counted no page has nothing to close: writing its 0 would
    // wipe the total the previous run gave its last page.
    if (m_lastPassOfTwo || m_logicalCounter == 0)
        return;
    TpgxXMLItem *numbers = node("logicalpagenumbers");
    for (int i = m_currentPage; i >= std::max(m_firstPage, 0); --i) {
        TpgxXMLItem *item = numbers->items(i);
        if (!item)
            continue;
        item->setProp("t", QByteArray::number(m_logicalCounter));
        if (item->prop("n") == "1")
            break;
    }
    m_logicalCounter = 0;
}

int TpgxPreviewPages::logicalPageNumber() const
{
    const int at = m_doc->root()->find("logicalpagenumbers");
    const TpgxXMLItem *item = at < 0 ? nullptr : m_doc->root()->items(at)->items(m_currentPage);
    return item ? item->prop("n").toInt() : m_currentPage - m_firstPageOfReport + 1;
}

int TpgxPreviewPages::logicalTotalPages(int totalPages) const
{
    const int at = m_doc->root()->find("logicalpagenumbers");
    const TpgxXMLItem *item = at < 0 ? nullptr : m_doc->root()->items(at)->items(m_currentPage);
    return item ? item->prop("t").toInt() : totalPages - m_firstPageOfReport;
}

// --- pictures ----------------------------------------------------------------

int TpgxPreviewPages::addPicture(const TpgxPicture &picture)
{
    if (picture.isEmpty())
        return 0;
    m_pictures.push_back(picture.savedData());
    return int(m_pictures.size());
}
