#pragma once

#include "engine/run/EngineHost.h"
#include "preview/find/PageTextFinder.h"
#include "report/root/ReportOptions.h"

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class TpgxPreviewPages;
class TpgxReport;

namespace pgx::preview {

class TpgxPreviewWorkspace;

// The preview control: the pages of a prepared report in a scrollable
// workspace, with the outline tree or the thumbnail strip beside it, zoom,
// navigation, find, links and drill-down, printing, loading and saving. It
// is also the engine's host while a report is prepared into it, showing
// pages as they come. Usable inside any window; TpgxPreviewForm adds the
// toolbar and status bar.
class TpgxPreview : public QWidget, public pgx::engine::EngineHost
{
    Q_OBJECT
    Q_PROPERTY(bool OutlineVisible READ outlineVisible WRITE setOutlineVisible)
    Q_PROPERTY(int OutlineWidth READ outlineWidth WRITE setOutlineWidth)
    Q_PROPERTY(bool ThumbnailVisible READ thumbnailVisible WRITE setThumbnailVisible)

public:
    explicit TpgxPreview(QWidget *parent = nullptr);
    ~TpgxPreview() override;

    // The report and the store it was (or will be) prepared into; neither
    // is owned. The report's PreviewOptions set zoom and panels.
    void setReport(TpgxReport *report, TpgxPreviewPages *pages);
    TpgxReport *report() const { return m_report; }
    TpgxPreviewPages *pages() const { return m_pages; }

    // --- pages ---------------------------------------------------------------
    int pageCount() const;
    // 1-based; 0 without pages.
    int pageNo() const;
    // Clamped to 1 ... page count.
    void setPageNo(int number);
    void first();
    void prior();
    void next();
    void last();

    // --- zoom ----------------------------------------------------------------
    double zoom() const;
    // At least 0.25; the zoom mode becomes zmDefault.
    void setZoom(double zoom);
    TpgxPreviewOptions::TpgxZoomMode zoomMode() const { return m_zoomMode; }
    void setZoomMode(TpgxPreviewOptions::TpgxZoomMode mode);
    void zoomIn();
    void zoomOut();

    // --- panels --------------------------------------------------------------
    bool outlineVisible() const;
    // The outline and the thumbnails exclude each other.
    void setOutlineVisible(bool visible);
    int outlineWidth() const { return m_outlineWidth; }
    void setOutlineWidth(int width);
    bool thumbnailVisible() const;
    void setThumbnailVisible(bool visible);

    // --- commands ------------------------------------------------------------
    // Each reports failures through the user prompts and returns false.
    bool print();
    bool saveToFile(const QString &fileName);
    bool save();   // asks for the file
    bool loadFromFile(const QString &fileName);
    bool load();                      // asks for the file
    bool exportTo(int filterIndex);   // asks for the file
    // Starts a search; false when nothing is found.
    bool find(const QString &text, bool caseSensitive, bool fromBeginning);
    // Shows the search dialog, then searches.
    bool find();
    bool findNext();
    const QString &searchText() const { return m_searchText; }
    // The page settings dialog on the current page: applied to that page
    // of the store, or to every page of the template, which is then
    // prepared again.
    bool pageSettings();
    void addPage();
    void deletePage();
    // Prepares the report again, keeping the page and scroll position.
    void refresh();
    // Prepares the report into this preview, its pages shown as they come.
    bool prepare();
    // Cancels a preparation running into this preview.
    void cancel();
    bool isRunning() const { return m_running; }
    // What a click on an object's URL does: "@3" goes to page 3, "#name"
    // to the anchor added under that name, http, https and mailto open on
    // the desktop; anything else is only shown.
    void followLink(const QString &url);
    // Every drill-down group folded (false) or unfolded (true).
    void setAllDrillDown(bool expanded);
    bool hasDrillDown() const;
    // While locked the store changes: nothing is laid out or painted.
    void lock();
    void unlock();

    TpgxPreviewWorkspace *workspace() const { return m_workspace; }
    TpgxPreviewWorkspace *thumbnails() const { return m_thumbnails; }
    QTreeWidget *outlineTree() const { return m_outline; }

    // --- the engine's host ---------------------------------------------------
    void progressStarted() override;
    void progress(const QString &text, int page) override;
    void progressStopped() override;
    void processEvents() override;

signals:
    // The current page or the page count changed.
    void pageChanged(int pageNo, int pageCount);
    void zoomChanged(double zoom);
    // What the status bar's second panel shows: a link under the mouse, a
    // progress text; empty to clear it.
    void statusText(const QString &text);
    void runningChanged(bool running);
    // A two-pass report is in its first pass: the pages so far.
    void firstPassProgress(int pages);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutPages();
    void applyZoomMode();
    void rebuildOutline();
    void showPage(int index, int top = 0);
    void onPageClicked(int index, QPointF at, Qt::MouseButton button);
    void onMouseOver(int index, QPointF at);
    void showProgressPanel(const QString &text);
    void clearSearch();

    TpgxReport *m_report = nullptr;
    TpgxPreviewPages *m_pages = nullptr;
    QSplitter *m_splitter;
    QTreeWidget *m_outline;
    TpgxPreviewWorkspace *m_thumbnails;
    TpgxPreviewWorkspace *m_workspace;
    QWidget *m_progressPanel;
    QLabel *m_progressLabel;
    QPushButton *m_progressCancel;
    int m_outlineWidth = 120;
    TpgxPreviewOptions::TpgxZoomMode m_zoomMode = TpgxPreviewOptions::zmDefault;
    double m_zoom = 1;
    int m_locks = 0;
    bool m_running = false;
    bool m_finalPass = true;
    QElapsedTimer m_sinceFirstPage;
    int m_updateEvery = 20;
    std::unique_ptr<PageTextFinder> m_finder;
    QString m_searchText;
    bool m_searchCaseSensitive = false;
};

}   // namespace pgx::preview
