// Prepared pages back as object trees, the page cache and the editing of
// pages (preview).

#include "prepared/TpgxPreviewPages.h"

#include "meta/ClassDescriptor.h"
#include "meta/ClassRegistry.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxPictureView.h"

#include <cmath>

using pgx::TpgxXMLItem;

namespace {

bool isFullPageNode(QByteArrayView name)
{
    return name == "TpgxReportPage" || name == "TpgxDMPPage";
}

// "page3" -> 3; -1 for any other name.
int sourceIndexOfNode(QByteArrayView name)
{
    if (!name.startsWith("page") || name.size() == 4)
        return -1;
    bool ok = false;
    const int n = name.sliced(4).toByteArray().toInt(&ok);
    return ok && n >= 0 ? n : -1;
}

TpgxReportPage *createPage(const QString &className)
{
    pgx::MetaComponent *made = pgx::ClassRegistry::create(className, nullptr);
    auto *page = qobject_cast<TpgxReportPage *>(made);
    if (!page) {
        delete made;
        throw pgx::Error(QStringLiteral("%1 is not a report page").arg(className));
    }
    return page;
}

}   // namespace

std::unique_ptr<TpgxReportPage> TpgxPreviewPages::buildPage(TpgxXMLItem *pageItem)
{
    const QByteArray &name = pageItem->name();
    std::unique_ptr<TpgxReportPage> page;
    if (isFullPageNode(name)) {
        page.reset(createPage(QString::fromLatin1(name)));
        pgx::TpgxXMLSerializer serializer;
        serializer.readTree(page.get(), pageItem);
        for (const QString &e : serializer.errors())
            addError(e);
    } else {
        const TpgxReportPage *source = sourcePage(sourceIndexOfNode(name));
        if (!source) {
            addError(QStringLiteral("Page %1 names no source page (%2)")
                         .arg(pagesNode()->indexOf(pageItem) + 1)
                         .arg(QString::fromLatin1(name)));
            return nullptr;
        }
        page.reset(createPage(QString::fromLatin1(source->metaObject()->className())));
        page->assign(const_cast<TpgxReportPage *>(source));
        buildObjects(*pageItem, page.get(), 0);
    }
    page->arrangeChildren();
    return page;
}

void TpgxPreviewPages::buildObjects(const TpgxXMLItem &parentItem, TpgxComponent *parent, int depth)
{
    if (depth > TpgxComponent::kMaxTreeDepth)
        throw pgx::Error(QStringLiteral("Objects nest too deep"));
    pgx::TpgxXMLSerializer serializer;
    serializer.setOwner(parent);
    for (int i = 0; i < parentItem.count(); ++i) {
        const TpgxXMLItem &item = *parentItem.items(i);
        const QString name = QString::fromLatin1(item.name());
        pgx::MetaComponent *made = nullptr;
        try {
            if (const TpgxComponent *source = m_dictionary.copyOf(name)) {
                made = serializer.lineToObject(parent, parsedDescription(source), true);
                if (made) {
                    serializer.attrsToProps(item.text(), made, true);
                    made->setComponentName(source->name());
                }
            } else if (pgx::ClassRegistry::find(name)) {
                made = serializer.lineToObject(
                    parent, item.text().isEmpty() ? item.name() : item.name() + ' ' + item.text(),
                    true);
            } else {
                addError(QStringLiteral("Unknown object %1 on a prepared page").arg(name));
                continue;
            }
        } catch (const pgx::Error &e) {
            addError(e.message());
            continue;
        }
        auto *object = qobject_cast<TpgxComponent *>(made);
        if (!object)
            continue;
        if (auto *pictureView = qobject_cast<TpgxPictureView *>(object)) {
            // The picture the object showed when it was printed.
            const int index = pictureView->imageIndex();
            if (index >= 1 && index <= pictureCount())
                pictureView->picture()->setSavedData(m_pictures[size_t(index - 1)]);
        }
        buildObjects(item, object, depth + 1);
    }
    for (const QString &e : serializer.errors())
        addError(e);
}

const pgx::ParsedObjectLine &TpgxPreviewPages::parsedDescription(const TpgxComponent *source)
{
    auto found = m_parsedDescriptions.constFind(source);
    if (found == m_parsedDescriptions.cend())
        found = m_parsedDescriptions.insert(
            source,
            std::make_shared<const pgx::ParsedObjectLine>(
                pgx::TpgxXMLSerializer::parseObjectLine(m_descriptions.value(source))));
    return **found;
}

TpgxReportPage *TpgxPreviewPages::getPage(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    for (auto it = m_pageCache.begin(); it != m_pageCache.end(); ++it) {
        if (it->index != index)
            continue;
        if (m_engineRunning) {
            m_pageCache.erase(it);
            break;
        }
        m_pageCache.splice(m_pageCache.begin(), m_pageCache, it);
        return m_pageCache.front().page.get();
    }
    const TpgxXMLItem *item = pagesNode()->items(index);
    const bool fromStore = !m_engineRunning && !item->inMemory();
    std::unique_ptr<TpgxReportPage> page = buildPage(pageNode(index));
    if (!page)
        return nullptr;
    m_pageCache.push_front({index, std::move(page), fromStore});
    const int limit = std::max(1, m_report->previewOptions()->pagesInCache);
    while (int(m_pageCache.size()) > limit) {
        const CachedPage &dropped = m_pageCache.back();
        TpgxXMLItem *node = pagesNode()->items(dropped.index);
        if (node && node->swappable() && node->inMemory()) {
            // Its store still holds what it read: nothing to write.
            if (dropped.unchangedFromStore)
                node->clear();
            else if (m_report->engineOptions()->useFileCache)
                m_doc->swapOut(node);
        }
        m_pageCache.pop_back();
    }
    return m_pageCache.front().page.get();
}

void TpgxPreviewPages::markPageChanged(int index)
{
    for (CachedPage &cached : m_pageCache)
        if (cached.index == index)
            cached.unchangedFromStore = false;
}

void TpgxPreviewPages::setEngineRunning(bool on)
{
    m_engineRunning = on;
    if (on)
        for (CachedPage &cached : m_pageCache)
            cached.unchangedFromStore = false;
}

QSize TpgxPreviewPages::pageSize(int index)
{
    if (index < 0 || index >= count())
        return {};
    const TpgxXMLItem *item = pagesNode()->items(index);
    const TpgxReportPage *page = sourcePage(sourceIndexOfNode(item->name()));
    if (!page)
        page = getPage(index);
    if (!page)
        return {};
    return {int(std::lround(page->width())), int(std::lround(page->height()))};
}

void TpgxPreviewPages::addEmptyPage(int index)
{
    if (index < 0 || index >= count())
        return;
    dropPageCache();
    auto *item = new TpgxXMLItem;
    item->setName(pagesNode()->items(index)->name());
    pagesNode()->insertItem(index, item);
}

void TpgxPreviewPages::deletePage(int index)
{
    if (count() < 2 || index < 0 || index >= count())
        return;
    dropPageCache();
    delete pagesNode()->items(index);
    if (m_currentPage >= count())
        m_currentPage = count() - 1;
}

void TpgxPreviewPages::modifyPage(int index, TpgxReportPage *page)
{
    if (index < 0 || index >= count() || !page)
        return;
    // Written before the cache goes: the page is usually one of its pages.
    auto *item = new TpgxXMLItem;
    pgx::TpgxXMLSerializer serializer;
    serializer.writeTree(page, true, item);
    item->setSwappable(false);
    dropPageCache();
    delete pagesNode()->items(index);
    pagesNode()->insertItem(index, item);
}

void TpgxPreviewPages::addPagesOf(TpgxPreviewPages &other)
{
    if (&other == this)
        return;
    dropPageCache();
    for (int i = 0; i < other.count(); ++i) {
        TpgxReportPage *page = other.getPage(i);
        if (!page)
            continue;
        TpgxXMLItem *item = pagesNode()->add();
        pgx::TpgxXMLSerializer serializer;
        serializer.writeTree(page, true, item);
    }
    m_currentPage = count() - 1;
}
