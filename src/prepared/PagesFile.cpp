// .pgp files: the store's document with the source pages, the dictionary,
// the picture cache and the report's settings written into it.

#include "prepared/TpgxPreviewPages.h"

#include "meta/ClassDescriptor.h"
#include "meta/ClassRegistry.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "report/pages/TpgxReportPage.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QScopeGuard>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>

using pgx::TpgxXMLItem;

namespace {

QByteArray boolText(bool on)
{
    return on ? "1" : "0";
}

// "Page2.Memo1" -> (2, "Memo1"); page -1 when malformed.
std::pair<int, QString> splitSourcePath(const QString &path)
{
    static const QRegularExpression form(QStringLiteral("^Page(\\d+)\\.(.+)$"));
    const QRegularExpressionMatch m = form.match(path);
    if (!m.hasMatch())
        return {-1, QString()};
    bool ok = false;
    const int page = m.captured(1).toInt(&ok);
    return {ok ? page : -1, m.captured(2)};
}

}   // namespace

void TpgxPreviewPages::writeSettings()
{
    TpgxXMLItem *settings = node("report");
    settings->clear();
    TpgxXMLItem *item = settings->add();
    item->setName(pgx::describe(m_report).className.toLatin1());
    item->setProp("DotMatrixReport", boolText(m_report->dotMatrixReport()));
    item->setProp("PreviewOptions.OutlineVisible",
                  boolText(m_report->previewOptions()->outlineVisible));
    item->setProp("PreviewOptions.OutlineWidth",
                  QByteArray::number(m_report->previewOptions()->outlineWidth));
    item->setProp("ReportOptions.Name", m_report->reportOptions()->name.toUtf8());
}

void TpgxPreviewPages::writeSourcePages()
{
    TpgxXMLItem *pages = node("sourcepages");
    pages->clear();
    for (const auto &page : m_sourcePages) {
        pgx::TpgxXMLSerializer serializer;
        serializer.writeTree(page.get(), true, pages->add());
    }
}

void TpgxPreviewPages::writeDictionary()
{
    TpgxXMLItem *dictionary = node("dictionary");
    dictionary->clear();
    for (const QString &alias : m_dictionary.aliases()) {
        TpgxXMLItem *item = dictionary->add();
        item->setName(alias.toLatin1());
        item->setProp("name", m_dictionary.find(alias)->sourcePath.toUtf8());
    }
}

void TpgxPreviewPages::writePictures()
{
    TpgxXMLItem *cache = node("picturecache");
    cache->clear();
    for (const QByteArray &picture : m_pictures) {
        TpgxXMLItem *item = cache->add();
        item->setName("item");
        item->setProp("stream", picture.toHex().toUpper());
    }
}

QString TpgxPreviewPages::saveToStream(QIODevice &stream)
{
    writeSettings();
    writeSourcePages();
    writeDictionary();
    writePictures();
    // ### ReportOptions.Compressed: no stream compressor exists, files are
    // plain XML.
    const pgx::TpgxXMLResult result = m_doc->saveToStream(stream);
    return result ? QString() : result.description();
}

QString TpgxPreviewPages::saveToFile(const QString &fileName)
{
    writeSettings();
    writeSourcePages();
    writeDictionary();
    writePictures();
    const pgx::TpgxXMLResult result = m_doc->saveToFile(fileName);
    return result ? QString() : result.description();
}

bool TpgxPreviewPages::loadFromFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        m_errorString = QStringLiteral("The file \"%1\" does not exist").arg(fileName);
        return false;
    }
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly)) {
        m_errorString
            = QStringLiteral("Cannot read the file \"%1\": %2").arg(fileName, file->errorString());
        return false;
    }
    m_errorString = load(std::move(file));
    return m_errorString.isEmpty();
}

QString TpgxPreviewPages::loadFromStream(QIODevice &stream)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(stream.readAll());
    buffer->open(QIODevice::ReadOnly);
    m_errorString = load(std::move(buffer));
    return m_errorString;
}

// Read partially, so that pages stay in the file until they are needed and
// keep their swappable mark; each page is still read once here, to check it.
QString TpgxPreviewPages::load(std::unique_ptr<QIODevice> stream)
{
    // Everything is read and checked into these before the store changes.
    auto doc = std::make_unique<pgx::TpgxXMLDocument>();
    const pgx::TpgxXMLResult result = doc->loadFromStream(std::move(stream), true);
    if (!result)
        return result.description();
    TpgxXMLItem *root = doc->root();
    if (root->name() != "preparedreport")
        return QStringLiteral("Not a prepared report (the document is <%1>)")
            .arg(QString::fromLatin1(root->name()));

    QStringList errors;
    auto note = [&errors](const QString &message) {
        if (!errors.contains(message))
            errors.append(message);
    };
    std::vector<std::unique_ptr<TpgxReportPage>> sources;
    TpgxXMLItem *sourceItems = root->findItem("sourcepages");
    for (int i = 0; i < sourceItems->count(); ++i) {
        TpgxXMLItem *item = sourceItems->items(i);
        const QString className = QString::fromLatin1(item->name());
        pgx::MetaComponent *made = nullptr;
        try {
            made = pgx::ClassRegistry::create(className, nullptr);
        } catch (const pgx::Error &e) {
            return QStringLiteral("Source page %1: %2").arg(i).arg(e.message());
        }
        std::unique_ptr<TpgxReportPage> page(qobject_cast<TpgxReportPage *>(made));
        if (!page) {
            delete made;
            return QStringLiteral("Source page %1: %2 is not a report page").arg(i).arg(className);
        }
        pgx::TpgxXMLSerializer serializer;
        try {
            serializer.readTree(page.get(), item);
        } catch (const pgx::Error &e) {
            return QStringLiteral("Source page %1: %2").arg(i).arg(e.message());
        }
        for (const QString &e : serializer.errors())
            note(e);
        sources.push_back(std::move(page));
    }

    TpgxDictionary dictionary;
    const TpgxXMLItem *aliases = root->findItem("dictionary");
    for (int i = 0; i < aliases->count(); ++i) {
        const TpgxXMLItem &item = *aliases->items(i);
        const QString path = QString::fromUtf8(item.prop("name"));
        const auto [pageIndex, objectName] = splitSourcePath(path);
        TpgxComponent *object = pageIndex >= 0 && pageIndex < int(sources.size())
            ? sources[size_t(pageIndex)]->findObject(objectName)
            : nullptr;
        if (!object) {
            note(QStringLiteral("The alias %1 names no source object (%2)")
                     .arg(QString::fromLatin1(item.name()), path));
            continue;
        }
        dictionary.addAlias(QString::fromLatin1(item.name()), path, object);
    }

    std::vector<QByteArray> pictures;
    const TpgxXMLItem *pictureItems = root->findItem("picturecache");
    for (int i = 0; i < pictureItems->count(); ++i) {
        const QByteArray hex = pictureItems->items(i)->prop("stream");
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (bytes.toHex().compare(hex, Qt::CaseInsensitive) != 0)
            note(QStringLiteral("Picture %1 of the cache is damaged").arg(i + 1));
        pictures.push_back(bytes);
    }

    // Pages: every name must lead somewhere; what does not is reported here
    // and skipped when the page is built.
    TpgxXMLItem *pages = root->findItem("previewpages");
    for (int i = 0; i < pages->count(); ++i) {
        TpgxXMLItem &page = *pages->items(i);
        const bool onDisk = !page.inMemory();
        if (onDisk) {
            const pgx::TpgxXMLResult in = doc->swapIn(&page);
            if (!in)
                return QStringLiteral("Page %1: %2").arg(i + 1).arg(in.description());
        }
        // Back to the file once checked.
        const auto unload = qScopeGuard([&page, onDisk] {
            if (onDisk)
                page.clear();
        });
        const QByteArray &name = page.name();
        if (name == "TpgxReportPage" || name == "TpgxDMPPage")
            continue;
        bool ok = false;
        const int source = name.startsWith("page") ? name.mid(4).toInt(&ok) : -1;
        if (!ok || source < 0 || source >= int(sources.size())) {
            note(QStringLiteral("Page %1 names no source page (%2)")
                     .arg(i + 1)
                     .arg(QString::fromLatin1(name)));
            continue;
        }
        std::vector<const TpgxXMLItem *> pending;
        for (int k = 0; k < page.count(); ++k)
            pending.push_back(page.items(k));
        while (!pending.empty()) {
            const TpgxXMLItem *object = pending.back();
            pending.pop_back();
            const QString objectName = QString::fromLatin1(object->name());
            if (!dictionary.find(objectName) && !pgx::ClassRegistry::find(objectName))
                note(QStringLiteral("Unknown object %1 on page %2").arg(objectName).arg(i + 1));
            for (int k = 0; k < object->count(); ++k)
                pending.push_back(object->items(k));
        }
    }

    // The report's settings.
    const TpgxXMLItem *settings = root->findItem("report");
    pgx::TpgxXMLSerializer settingsReader;
    if (const TpgxXMLItem *item = settings->items(0))
        settingsReader.attrsToProps(item->text(), m_report, true);
    for (const QString &e : settingsReader.errors())
        note(e);

    clear();
    doc->setIndented(true);
    doc->setTempDir(m_report->engineOptions()->tempDir);
    m_doc = std::move(doc);
    m_sourcePages = std::move(sources);
    for (int i = 0; i < int(m_sourcePages.size()); ++i) {
        TpgxReportPage *page = m_sourcePages[size_t(i)].get();
        m_sourceIndexOf.insert(page, i);
        pgx::TpgxXMLSerializer serializer;
        serializer.setOwner(page);
        for (TpgxComponent *object : page->allObjects())
            m_descriptions.insert(object, serializer.objectToLine(object));
    }
    for (const QString &alias : dictionary.aliases()) {
        const TpgxDictionary::Entry *entry = dictionary.find(alias);
        m_dictionary.addAlias(alias, entry->sourcePath, entry->copy);
    }
    m_pictures = std::move(pictures);
    m_errors = errors;
    m_currentPage = count() - 1;
    m_outline.levelRoot();
    return QString();
}
