#include "preview/window/TpgxPreview.h"

#include "engine/run/PrepareReport.h"
#include "persist/XMLItem.h"
#include "platform/UserPrompts.h"
#include "prepared/TpgxPreviewPages.h"
#include "prepared/export/ExportFilters.h"
#include "prepared/print/PrintRun.h"
#include "preview/PreviewTexts.h"
#include "preview/dialogs/PageSettingsRules.h"
#include "preview/dialogs/TpgxPageSettingsForm.h"
#include "preview/dialogs/TpgxSearchDialog.h"
#include "preview/layout/LinkTarget.h"
#include "preview/layout/PageHitTest.h"
#include "preview/layout/TpgxPageList.h"
#include "preview/print/WidgetPrintHost.h"
#include "preview/workspace/TpgxPreviewWorkspace.h"
#include "report/bands/Bands.h"
#include "report/component/Units.h"
#include "report/pages/TpgxReportPage.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"
#include "report/views/TpgxView.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtGui/QDesktopServices>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include <cmath>
#include <vector>

namespace pgx::preview {

namespace {

constexpr int kOutlinePageRole = Qt::UserRole;
constexpr int kOutlineTopRole = Qt::UserRole + 1;
constexpr double kZoomStep = 0.25;
constexpr double kWheelZoomStep = 0.1;
constexpr double kWheelMinZoom = 0.3;

void showError(const QString &text)
{
    pgx::UserPrompts::current().showMessage(pgx::UserPrompts::Kind::Error, text);
}

// Pixels from the page's top for a position below its top margin.
int pixelsBelowTop(const TpgxReportPage *page, int top, double zoom)
{
    const double margin = page ? page->topMargin() * kPg01cm : 0;
    return int(std::lround((margin + top) * zoom));
}

}   // namespace

TpgxPreview::TpgxPreview(QWidget *parent)
    : QWidget(parent), m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_outline(new QTreeWidget(m_splitter)),
      m_thumbnails(new TpgxPreviewWorkspace(true, m_splitter)),
      m_workspace(new TpgxPreviewWorkspace(false, m_splitter)), m_progressPanel(new QWidget(this)),
      m_progressLabel(new QLabel(m_progressPanel)),
      m_progressCancel(new QPushButton(m_progressPanel))
{
    registerPreviewTexts();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    m_splitter->setHandleWidth(4);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(2, 1);
    m_outline->setObjectName(QStringLiteral("outline"));
    m_outline->header()->hide();
    m_outline->hide();
    m_thumbnails->setObjectName(QStringLiteral("thumbnails"));
    m_thumbnails->hide();
    m_workspace->setObjectName(QStringLiteral("workspace"));
    m_workspace->installEventFilter(this);

    // The progress panel: a 260 x 75 box in the middle with Cancel.
    m_progressPanel->setObjectName(QStringLiteral("progressPanel"));
    m_progressPanel->setFixedSize(260, 75);
    m_progressPanel->setAutoFillBackground(true);
    auto *panelLayout = new QVBoxLayout(m_progressPanel);
    panelLayout->addWidget(m_progressLabel, 0, Qt::AlignCenter);
    panelLayout->addWidget(m_progressCancel, 0, Qt::AlignCenter);
    m_progressCancel->setText(previewText("pvCancel"));
    m_progressPanel->hide();
    connect(m_progressCancel, &QPushButton::clicked, this, &TpgxPreview::cancel);

    connect(m_workspace, &TpgxPreviewWorkspace::currentPageChanged, this, [this](int index) {
        m_thumbnails->setCurrentPage(index);
        m_thumbnails->scrollToPage(index);
        emit pageChanged(index + 1, pageCount());
    });
    connect(m_thumbnails, &TpgxPreviewWorkspace::currentPageChanged, this,
            [this](int index) { showPage(index); });
    connect(m_workspace, &TpgxPreviewWorkspace::pageClicked, this,
            [this](int index, QPointF at, Qt::MouseButton button, Qt::KeyboardModifiers) {
                onPageClicked(index, at, button);
            });
    connect(m_workspace, &TpgxPreviewWorkspace::mouseOverPage, this, &TpgxPreview::onMouseOver);
    connect(m_workspace, &TpgxPreviewWorkspace::zoomByWheel, this, [this](int notches) {
        setZoom(std::max(kWheelMinZoom, zoom() + notches * kWheelZoomStep));
    });
    connect(m_outline, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const int page
            = std::clamp(item->data(0, kOutlinePageRole).toInt(), 0, std::max(0, pageCount() - 1));
        const TpgxReportPage *built = m_pages ? m_pages->getPage(page) : nullptr;
        showPage(page, pixelsBelowTop(built, item->data(0, kOutlineTopRole).toInt(), zoom()));
    });
}

TpgxPreview::~TpgxPreview() = default;

void TpgxPreview::setReport(TpgxReport *report, TpgxPreviewPages *pages)
{
    m_report = report;
    m_pages = pages;
    m_finder = pages ? std::make_unique<PageTextFinder>(*pages) : nullptr;
    if (report) {
        const TpgxPreviewOptions &options = *report->previewOptions();
        m_outlineWidth = options.outlineWidth;
        m_zoom = boundedZoom(options.zoom);
        m_zoomMode = options.zoomMode;
        setOutlineVisible(options.outlineVisible);
        if (options.thumbnailVisible)
            setThumbnailVisible(true);
    }
    m_workspace->setPages(pages);
    m_thumbnails->setPages(pages);
    layoutPages();
    rebuildOutline();
    emit pageChanged(pageNo(), pageCount());
}

int TpgxPreview::pageCount() const
{
    return m_pages ? m_pages->count() : 0;
}

int TpgxPreview::pageNo() const
{
    return pageCount() > 0 ? m_workspace->currentPage() + 1 : 0;
}

void TpgxPreview::showPage(int index, int top)
{
    if (pageCount() == 0)
        return;
    index = std::clamp(index, 0, pageCount() - 1);
    m_workspace->scrollToPage(index, top);
    m_thumbnails->setCurrentPage(index);
    m_thumbnails->scrollToPage(index);
    emit pageChanged(index + 1, pageCount());
}

void TpgxPreview::setPageNo(int number)
{
    showPage(number - 1);
}

void TpgxPreview::first()
{
    setPageNo(1);
}

void TpgxPreview::prior()
{
    setPageNo(pageNo() - 1);
}

void TpgxPreview::next()
{
    setPageNo(pageNo() + 1);
}

void TpgxPreview::last()
{
    setPageNo(pageCount());
}

double TpgxPreview::zoom() const
{
    return m_workspace->zoom();
}

void TpgxPreview::setZoom(double zoom)
{
    m_zoomMode = TpgxPreviewOptions::zmDefault;
    m_zoom = boundedZoom(zoom);
    layoutPages();
}

void TpgxPreview::setZoomMode(TpgxPreviewOptions::TpgxZoomMode mode)
{
    m_zoomMode = mode;
    layoutPages();
}

void TpgxPreview::zoomIn()
{
    setZoom(zoom() + kZoomStep);
}

void TpgxPreview::zoomOut()
{
    setZoom(zoom() - kZoomStep);
}

void TpgxPreview::applyZoomMode()
{
    if (!m_pages || m_pages->count() == 0)
        return;
    const QSize page = m_pages->pageSize(m_workspace->currentPage());
    const QSize view = m_workspace->viewport()->size();
    if (m_zoomMode == TpgxPreviewOptions::zmWholePage)
        m_zoom = wholePageZoom(view.height(), page.height());
    else if (m_zoomMode == TpgxPreviewOptions::zmPageWidth)
        m_zoom = pageWidthZoom(m_workspace->width(),
                               m_workspace->verticalScrollBar()->sizeHint().width(), page.width());
}

void TpgxPreview::layoutPages()
{
    if (m_locks > 0)
        return;
    applyZoomMode();
    const int current = m_workspace->currentPage();
    const double before = m_workspace->zoom();
    m_workspace->setZoom(m_zoom);
    if (!m_running)
        m_thumbnails->relayout();
    if (m_zoomMode == TpgxPreviewOptions::zmWholePage || before != m_workspace->zoom())
        m_workspace->scrollToPage(current);
    emit zoomChanged(m_workspace->zoom());
}

bool TpgxPreview::outlineVisible() const
{
    return !m_outline->isHidden();
}

void TpgxPreview::setOutlineVisible(bool visible)
{
    m_outline->setVisible(visible);
    if (visible)
        m_thumbnails->hide();
    m_splitter->setSizes({visible ? m_outlineWidth : 0, 0, std::max(100, width())});
}

void TpgxPreview::setOutlineWidth(int width)
{
    m_outlineWidth = std::max(0, width);
}

bool TpgxPreview::thumbnailVisible() const
{
    return !m_thumbnails->isHidden();
}

void TpgxPreview::setThumbnailVisible(bool visible)
{
    m_thumbnails->setVisible(visible);
    if (visible) {
        m_outline->hide();
        m_thumbnails->relayout();
    }
    m_splitter->setSizes({0, visible ? m_outlineWidth : 0, std::max(100, width())});
}

void TpgxPreview::rebuildOutline()
{
    m_outline->clear();
    if (!m_pages)
        return;
    const bool expand = m_report && m_report->previewOptions()->outlineExpand;
    // Without recursion: outlines nest as deep as the script makes them.
    std::vector<std::pair<const pgx::TpgxXMLItem *, QTreeWidgetItem *>> pending;
    const auto pushChildren = [&pending](const pgx::TpgxXMLItem &node, QTreeWidgetItem *parent) {
        for (int i = node.count() - 1; i >= 0; --i)
            pending.emplace_back(node.items(i), parent);
    };
    pushChildren(*m_pages->outline().rootNode(), nullptr);
    while (!pending.empty()) {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        const TpgxOutline::Item entry = TpgxOutline::itemOf(*node);
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_outline);
        item->setText(0, entry.text);
        item->setData(0, kOutlinePageRole, entry.page);
        item->setData(0, kOutlineTopRole, entry.top);
        pushChildren(*node, item);
    }
    if (expand)
        m_outline->expandAll();
}

void TpgxPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_progressPanel->move((width() - m_progressPanel->width()) / 2,
                          (height() - m_progressPanel->height()) / 2);
    if (m_zoomMode != TpgxPreviewOptions::zmDefault)
        layoutPages();
}

bool TpgxPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_workspace && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        switch (key->key()) {
        case Qt::Key_PageUp:
            if (ctrl) {
                prior();
                return true;
            }
            break;
        case Qt::Key_PageDown:
            if (ctrl) {
                next();
                return true;
            }
            break;
        case Qt::Key_Home: first(); return true;
        case Qt::Key_End: last(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- links and drill-down ---------------------------------------------------

void TpgxPreview::onMouseOver(int index, QPointF at)
{
    if (m_running || index < 0 || !m_pages) {
        m_workspace->viewport()->unsetCursor();
        return;
    }
    TpgxReportPage *page = m_pages->getPage(index);
    const PageHit hit = page ? hitTest(*page, index, at) : PageHit();
    if (hit.drillHeader) {
        m_workspace->viewport()->setCursor(Qt::PointingHandCursor);
        return;
    }
    if (hit.view && !hit.view->url().isEmpty()) {
        m_workspace->viewport()->setCursor(Qt::PointingHandCursor);
        emit statusText(hit.view->url());
        return;
    }
    m_workspace->viewport()->unsetCursor();
    emit statusText(QString());
}

void TpgxPreview::onPageClicked(int index, QPointF at, Qt::MouseButton button)
{
    if (m_running || !m_pages || button != Qt::LeftButton)
        return;
    TpgxReportPage *page = m_pages->getPage(index);
    if (!page)
        return;
    const PageHit hit = hitTest(*page, index, at);
    if (hit.drillHeader && m_report) {
        m_report->toggleDrillGroup(hit.drillHeader->name() + QLatin1Char('.')
                                   + QString::number(hit.drillHeader->tag()));
        refresh();
        return;
    }
    if (hit.view)
        followLink(hit.view->url());
}

void TpgxPreview::followLink(const QString &url)
{
    const LinkTarget target = linkTarget(url);
    switch (target.kind) {
    case LinkTarget::Page: setPageNo(target.page); break;
    case LinkTarget::Anchor:
        if (m_pages && m_pages->findAnchor(target.anchor) >= 0) {
            const int page = m_pages->anchorPage(target.anchor) - 1;
            showPage(
                page,
                pixelsBelowTop(m_pages->getPage(page), m_pages->anchorTop(target.anchor), zoom()));
        }
        break;
    case LinkTarget::External: QDesktopServices::openUrl(target.url); break;
    case LinkTarget::Refused: emit statusText(url); break;
    case LinkTarget::None: break;
    }
}

// --- find -------------------------------------------------------------------

void TpgxPreview::clearSearch()
{
    m_workspace->setHighlight(-1, {});
    if (m_finder)
        m_finder->reset();
}

bool TpgxPreview::find(const QString &text, bool caseSensitive, bool fromBeginning)
{
    m_searchText = text;
    m_searchCaseSensitive = caseSensitive;
    if (!m_finder || text.isEmpty())
        return false;
    const std::optional<TextMatch> match = m_finder->find(
        text, caseSensitive, fromBeginning ? 0 : std::max(0, m_workspace->currentPage()));
    if (!match) {
        m_workspace->setHighlight(-1, {});
        return false;
    }
    showPage(match->page);
    m_workspace->ensureVisible(match->page, match->rect);
    m_workspace->setHighlight(match->page, match->rect);
    return true;
}

bool TpgxPreview::find()
{
    TpgxSearchDialog dialog(this);
    dialog.setText(m_searchText);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return find(dialog.text(), dialog.caseSensitive(), dialog.fromBeginning());
}

bool TpgxPreview::findNext()
{
    if (!m_finder || m_searchText.isEmpty())
        return false;
    const std::optional<TextMatch> match = m_finder->findNext();
    if (!match)
        return false;
    showPage(match->page);
    m_workspace->ensureVisible(match->page, match->rect);
    m_workspace->setHighlight(match->page, match->rect);
    return true;
}

// --- commands ---------------------------------------------------------------

void TpgxPreview::lock()
{
    ++m_locks;
    m_workspace->setLocked(true);
    m_thumbnails->setLocked(true);
}

void TpgxPreview::unlock()
{
    if (m_locks > 0 && --m_locks > 0)
        return;
    m_workspace->setLocked(false);
    m_thumbnails->setLocked(false);
    layoutPages();
}

bool TpgxPreview::print()
{
    if (m_running || !m_pages || !m_report || pageCount() == 0)
        return false;
    WidgetPrintHost host(m_report, this);
    host.setCurrentPageNumber(pageNo());
    lock();
    const bool printed = prepared::printPreparedReport(*m_pages, host);
    unlock();
    return printed;
}

bool TpgxPreview::saveToFile(const QString &fileName)
{
    if (!m_pages)
        return false;
    QString target = fileName;
    if (QFileInfo(target).suffix().compare(QLatin1String("pgp"), Qt::CaseInsensitive) != 0)
        target = QFileInfo(target).path() + QLatin1Char('/') + QFileInfo(target).completeBaseName()
            + QStringLiteral(".pgp");
    showProgressPanel(previewText("pvSaving"));
    lock();
    const QString error = m_pages->saveToFile(target);
    unlock();
    m_progressPanel->hide();
    if (!error.isEmpty()) {
        showError(error);
        return false;
    }
    return true;
}

bool TpgxPreview::save()
{
    if (!m_pages || pageCount() == 0)
        return false;
    const std::optional<QString> file = pgx::UserPrompts::current().askSaveFileName(
        {previewText("clPGPfiles"), previewText("clPGPfiles") + QStringLiteral(" (*.pgp)"),
         QString()});
    return file && saveToFile(*file);
}

bool TpgxPreview::loadFromFile(const QString &fileName)
{
    if (!m_pages || m_running)
        return false;
    showProgressPanel(previewText("pvLoading"));
    lock();
    clearSearch();
    const bool loaded = m_pages->loadFromFile(fileName);
    unlock();
    m_progressPanel->hide();
    if (!loaded) {
        showError(m_pages->errorString());
        return false;
    }
    m_workspace->setPages(m_pages);
    m_thumbnails->setPages(m_pages);
    layoutPages();
    rebuildOutline();
    first();
    return true;
}

bool TpgxPreview::load()
{
    const std::optional<QString> file = pgx::UserPrompts::current().askOpenFileName(
        {previewText("clPGPfiles"), previewText("clPGPfiles") + QStringLiteral(" (*.pgp)"),
         QString()});
    return file && loadFromFile(*file);
}

bool TpgxPreview::exportTo(int filterIndex)
{
    const QList<prepared::ExportFilter> &filters = prepared::exportFilters();
    if (!m_pages || pageCount() == 0 || filterIndex < 0 || filterIndex >= filters.size())
        return false;
    const prepared::ExportFilter &filter = filters[filterIndex];
    const std::optional<QString> file
        = pgx::UserPrompts::current().askSaveFileName({filter.name, filter.fileFilter, QString()});
    if (!file)
        return false;
    QList<int> all;
    for (int i = 0; i < pageCount(); ++i)
        all << i;
    lock();
    const QString error = filter.run(*m_pages, filter.fileNameFor(*file), all);
    unlock();
    if (!error.isEmpty()) {
        showError(pgxResources().get(QStringLiteral("clErrors")) + QLatin1Char('\n') + error);
        return false;
    }
    return true;
}

bool TpgxPreview::pageSettings()
{
    if (!m_pages || !m_report || m_running || pageCount() == 0)
        return false;
    const int index = m_workspace->currentPage();
    TpgxReportPage *page = m_pages->getPage(index);
    if (!page)
        return false;
    TpgxPageSettingsForm form(*m_report, this);
    form.setPage(*page);
    if (form.exec() != QDialog::Accepted)
        return false;
    const PageSettings settings = form.settings();
    if (settings.applyToAll) {
        for (TpgxComponent *object : m_report->objects())
            if (auto *templatePage = qobject_cast<TpgxReportPage *>(object))
                applyPageSettings(settings, *templatePage);
        refresh();
        return true;
    }
    lock();
    applyPageSettings(settings, *page);
    m_pages->modifyPage(index, page);
    unlock();
    return true;
}

void TpgxPreview::addPage()
{
    if (!m_pages || m_running || pageCount() == 0)
        return;
    clearSearch();
    m_pages->addEmptyPage(m_workspace->currentPage());
    layoutPages();
    emit pageChanged(pageNo(), pageCount());
}

void TpgxPreview::deletePage()
{
    if (!m_pages || m_running || pageCount() < 2)
        return;
    clearSearch();
    const int current = m_workspace->currentPage();
    m_pages->deletePage(current);
    layoutPages();
    showPage(std::min(current, pageCount() - 1));
}

bool TpgxPreview::hasDrillDown() const
{
    if (!m_report)
        return false;
    for (TpgxComponent *object : m_report->allObjects())
        if (auto *header = qobject_cast<TpgxGroupHeader *>(object); header && header->drillDown())
            return true;
    return false;
}

void TpgxPreview::setAllDrillDown(bool expanded)
{
    if (!m_report || m_running)
        return;
    for (TpgxComponent *object : m_report->allObjects())
        if (auto *header = qobject_cast<TpgxGroupHeader *>(object); header && header->drillDown())
            header->setExpandDrillDown(expanded);
    m_report->clearToggledDrillGroups();
    refresh();
}

bool TpgxPreview::prepare()
{
    if (!m_report || !m_pages || m_running)
        return false;
    clearSearch();
    const bool prepared = pgx::engine::prepareReport(*m_report, *m_pages, this);
    if (!prepared && !m_report->errors().isEmpty())
        showError(pgxResources().get(QStringLiteral("clErrors")) + QLatin1Char('\n')
                  + m_report->errors().join(QLatin1Char('\n')));
    return prepared;
}

void TpgxPreview::refresh()
{
    if (!m_report || m_running)
        return;
    const int page = m_workspace->currentPage();
    const QPoint offsets(m_workspace->horizontalScrollBar()->value(),
                         m_workspace->verticalScrollBar()->value());
    prepare();
    layoutPages();
    rebuildOutline();
    showPage(page < pageCount() ? page : 0);
    m_workspace->horizontalScrollBar()->setValue(offsets.x());
    m_workspace->verticalScrollBar()->setValue(offsets.y());
}

void TpgxPreview::cancel()
{
    if (m_running && m_report)
        m_report->setTerminated(true);
}

// --- preparing into the preview ---------------------------------------------

void TpgxPreview::showProgressPanel(const QString &text)
{
    m_progressLabel->setText(text);
    m_progressCancel->setVisible(m_running);
    m_progressPanel->raise();
    m_progressPanel->show();
}

void TpgxPreview::progressStarted()
{
    m_running = true;
    m_finalPass = true;
    m_updateEvery = 20;
    m_outline->clear();
    m_workspace->setPages(m_pages);
    m_thumbnails->setPages(nullptr);
    emit runningChanged(true);
    emit pageChanged(0, 0);
}

void TpgxPreview::progress(const QString &text, int page)
{
    emit statusText(text);
    // The engine numbers pages from 1; the first pass of a two-pass report
    // announces itself by its text.
    m_finalPass = !text.startsWith(previewText("prRunningFirst").section(QLatin1Char('%'), 0, 0));
    if (!m_finalPass) {
        emit firstPassProgress(page);
        processEvents();
        return;
    }
    if (page == 1)
        m_sinceFirstPage.start();
    else if (page == 2) {
        // Fast reports update the page count seldom: they are soon done.
        const qint64 ms = m_sinceFirstPage.elapsed();
        m_updateEvery = ms <= 4 ? 50 : ms > 9 ? 5 : 20;
    }
    if (page <= 50 || page % m_updateEvery == 0) {
        m_workspace->relayout();
        emit pageChanged(pageNo(), pageCount());
    }
    processEvents();
}

void TpgxPreview::progressStopped()
{
    m_running = false;
    m_progressPanel->hide();
    m_thumbnails->setPages(m_pages);
    layoutPages();
    rebuildOutline();
    emit statusText(QString());
    emit runningChanged(false);
    emit pageChanged(pageNo(), pageCount());
}

void TpgxPreview::processEvents()
{
    QCoreApplication::processEvents();
}

}   // namespace pgx::preview
