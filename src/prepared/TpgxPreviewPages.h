#pragma once

#include "persist/XMLDocument.h"
#include "prepared/TpgxDictionary.h"
#include "prepared/TpgxOutline.h"

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QSize>
#include <QtCore/QStringList>

#include <list>
#include <memory>
#include <vector>

namespace pgx {
class ParsedObjectLine;
}

class QIODevice;
class QPainter;
class TpgxComponent;
class TpgxPicture;
class TpgxReport;
class TpgxReportPage;

// The prepared pages of a report run, held as one XML document:
// "previewpages" (one node per page, each object a node named by its alias
// holding only what differs from its source copy), "sourcepages",
// "dictionary", "outline", "anchors", "logicalpagenumbers", "report",
// "picturecache" and, while a keep moves objects, "cutted". The engine fills
// it page by page; the preview, printing and export build pages back as
// object trees (getPage) and draw them (drawPage); .pgp files are this
// document.
class TpgxPreviewPages
{
public:
    enum class AddAction { Append, WriteOver };

    // The report whose options the store follows (temporary folder, file
    // cache, pages in cache) and whose settings .pgp files carry.
    explicit TpgxPreviewPages(TpgxReport *report);
    ~TpgxPreviewPages();
    Q_DISABLE_COPY_MOVE(TpgxPreviewPages)

    TpgxReport *report() const { return m_report; }
    TpgxOutline &outline() { return m_outline; }
    pgx::TpgxXMLDocument &document() { return *m_doc; }

    // --- the run ------------------------------------------------------------
    void beginRun();
    void endRun();
    void clear();
    // Copies a report page with its objects as the source of the pages that
    // follow; every object of it gets an alias.
    void addSourcePage(TpgxReportPage *page);
    int sourcePageCount() const { return int(m_sourcePages.size()); }
    TpgxReportPage *sourcePage(int index) const;
    const TpgxDictionary &dictionary() const { return m_dictionary; }

    // lastPass: the second pass of a two-pass run, which writes no logical
    // numbers of its own.
    void beginPass(bool lastPassOfTwo = false);
    void clearFirstPass();

    void addPage(TpgxReportPage *page);
    // A band (with its visible children) onto the current page.
    void addObject(TpgxComponent *object);
    // Whether a band of the same source object (or another page footer or
    // column footer) is on the current page.
    bool bandOnCurrentPage(const TpgxComponent *band) const;
    // The object count of the current page.
    int currentPosition() const;
    // The largest bottom of the bands on the current page (page footers and
    // overlays left out); 0 for an empty page.
    double lowestBandBottom() const;
    void cutObjects(int fromIndex);
    // The cut objects at (x, y): the first lands exactly there, the rest keep
    // their places relative to it.
    void pasteObjects(double x, double y);

    int count() const;
    int currentPage() const { return m_currentPage; }
    void setCurrentPage(int index) { m_currentPage = index; }
    AddAction addAction() const { return m_addAction; }
    void setAddAction(AddAction action) { m_addAction = action; }

    // --- anchors --------------------------------------------------------------
    void addAnchor(const QString &text, double curY);
    // The last anchor of that text (case ignored); -1 when none.
    int findAnchor(const QString &text) const;
    // The 1-based page of the anchor; 1 when there is none.
    int anchorPage(const QString &text) const;
    // Its top on that page (report units below the top margin); 0 when
    // there is none.
    int anchorTop(const QString &text) const;
    int anchorCount() const;
    // Every anchor after index moves to the next page, tops by newTop less
    // the top of the anchor after index.
    void shiftAnchors(int index, int newTop);

    // --- logical page numbers ---------------------------------------------------
    void nextLogicalPage();
    void closeLogicalRun();
    int logicalPageNumber() const;
    // totalPages: the engine's TotalPages.
    int logicalTotalPages(int totalPages) const;

    // --- pictures -------------------------------------------------------------
    // 1-based index of the picture appended to the cache; 0 for an empty one.
    int addPicture(const TpgxPicture &picture);
    int pictureCount() const { return int(m_pictures.size()); }

    // --- pages as objects -------------------------------------------------------
    // Page `index` built as an object tree, owned by the page cache (valid
    // until the cache lets it go or the store changes); null for an index
    // out of range.
    TpgxReportPage *getPage(int index);
    // In whole report units; (0, 0) for an invalid index.
    QSize pageSize(int index);
    void addEmptyPage(int index);
    // Does nothing unless at least 2 pages exist.
    void deletePage(int index);
    void modifyPage(int index, TpgxReportPage *page);
    void addPagesOf(TpgxPreviewPages &other);
    // Lets every built page go: printing does it after each sheet, so that
    // a report of any length prints with one page held as objects.
    void dropPageCache();
    // True while the engine fills the store: getPage then always builds.
    void setEngineRunning(bool on);

    // Draws page `index` at the scale and offset (device pixels). Not on the
    // printer, drawing is clipped to the paper; on the printer only
    // Printable views are drawn.
    void drawPage(int index, QPainter *canvas, double scaleX, double scaleY, double offsetX,
                  double offsetY, bool onPrinter = false, int copyNumber = 0);

    // --- files ----------------------------------------------------------------
    // Empty on success, else the reason.
    QString saveToStream(QIODevice &stream);
    QString saveToFile(const QString &fileName);
    // The whole stream is read before anything changes: a damaged stream
    // leaves the store as it was and gives the reason. Pages that name an
    // unknown source page, alias or class are errors() entries.
    QString loadFromStream(QIODevice &stream);
    // False (and the store unchanged) when the file does not exist or
    // cannot be read; errorString() tells why.
    bool loadFromFile(const QString &fileName);
    const QString &errorString() const { return m_errorString; }
    // Faults of the content met while loading or building pages.
    const QStringList &errors() const { return m_errors; }

private:
    struct CachedPage
    {
        int index;
        std::unique_ptr<TpgxReportPage> page;
        // Its node was read back from its store to be built and has not
        // changed since: letting the page go unloads the node again
        // without writing it anew.
        bool unchangedFromStore = false;
    };

    QString load(std::unique_ptr<QIODevice> stream);
    pgx::TpgxXMLItem *node(QByteArrayView name);
    pgx::TpgxXMLItem *pagesNode() { return node("previewpages"); }
    pgx::TpgxXMLItem *pageNode(int index);
    void addObjectNode(pgx::TpgxXMLItem *parent, TpgxComponent *object, int depth);
    const TpgxComponent *sourceOf(const pgx::TpgxXMLItem &objectNode) const;
    double sourceValue(const pgx::TpgxXMLItem &objectNode, QByteArrayView name) const;
    std::unique_ptr<TpgxReportPage> buildPage(pgx::TpgxXMLItem *pageItem);
    void buildObjects(const pgx::TpgxXMLItem &parentItem, TpgxComponent *parent, int depth);
    const pgx::ParsedObjectLine &parsedDescription(const TpgxComponent *source);
    void swapOutBefore(int last);
    void markPageChanged(int index);
    void addError(const QString &message);
    void writeSettings();
    void writeSourcePages();
    void writeDictionary();
    void writePictures();
    void cacheDescriptions(TpgxReportPage *copy, int sourceIndex, TpgxReportPage *original);

    TpgxReport *m_report;
    std::unique_ptr<pgx::TpgxXMLDocument> m_doc;
    TpgxOutline m_outline;
    TpgxDictionary m_dictionary;
    std::vector<std::unique_ptr<TpgxReportPage>> m_sourcePages;
    // Template pages and their copies -> index of the source page.
    QHash<const TpgxComponent *, int> m_sourceIndexOf;
    // Each source copy's one-line description (class and all properties).
    QHash<const TpgxComponent *, QByteArray> m_descriptions;
    // The same, parsed on first use: every page builds its objects from them.
    QHash<const TpgxComponent *, std::shared_ptr<const pgx::ParsedObjectLine>> m_parsedDescriptions;
    std::vector<QByteArray> m_pictures;   // saved picture data
    std::list<CachedPage> m_pageCache;    // most recently used first
    int m_currentPage = -1;
    AddAction m_addAction = AddAction::Append;
    int m_firstPage = -1;
    int m_firstObject = 0;
    int m_firstPageOfReport = 0;
    qint64 m_addedSize = 0;
    int m_logicalCounter = 0;
    bool m_lastPassOfTwo = false;
    bool m_engineRunning = false;
    QString m_errorString;
    QStringList m_errors;
};
