#include "preview/window/TpgxPreviewForm.h"

#include "prepared/TpgxPreviewPages.h"
#include "prepared/export/ExportFilters.h"
#include "preview/PreviewTexts.h"
#include "preview/layout/ZoomText.h"
#include "preview/window/TpgxPreview.h"
#include "preview/workspace/TpgxPreviewWorkspace.h"
#include "report/resources/Help.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxReport.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QDesktopServices>
#include <QtGui/QIntValidator>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QWidgetAction>

namespace pgx::preview {

namespace {

// "Page %d of %d" with its numbers, each "%d" in turn.
QString withNumbers(QString text, std::initializer_list<int> numbers)
{
    for (int number : numbers) {
        const qsizetype at = text.indexOf(QLatin1String("%d"));
        if (at < 0)
            break;
        text.replace(at, 2, QString::number(number));
    }
    return text;
}

}   // namespace

TpgxPreviewForm::TpgxPreviewForm(QWidget *parent)
    : QMainWindow(parent), m_preview(new TpgxPreview(this)), m_toolBar(new QToolBar(this)),
      m_zoomBox(new QComboBox(this)), m_pageBox(new QLineEdit(this)),
      m_pageStatus(new QLabel(this)), m_infoStatus(new QLabel(this)), m_exportMenu(new QMenu(this))
{
    registerPreviewTexts();
    setWindowTitle(previewText("pvPreview"));
    setCentralWidget(m_preview);
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setMovable(false);
    addToolBar(m_toolBar);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->setEditable(true);
    m_zoomBox->addItems(zoomChoices());
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_pageBox->setObjectName(QStringLiteral("pageBox"));
    m_pageBox->setValidator(new QIntValidator(1, 999999, m_pageBox));
    m_pageBox->setMaximumWidth(60);
    m_pageStatus->setObjectName(QStringLiteral("pageStatus"));
    m_infoStatus->setObjectName(QStringLiteral("infoStatus"));
    statusBar()->addWidget(m_pageStatus);
    statusBar()->addWidget(m_infoStatus, 1);

    TpgxPreview *p = m_preview;
    connect(addCommand(PreviewCommand::Print, "pvPrint", QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, p, &TpgxPreview::print);
    connect(addCommand(PreviewCommand::Open, "pvOpen", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, p, &TpgxPreview::load);
    connect(addCommand(PreviewCommand::Save, "pvSave", QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, p, &TpgxPreview::save);
    QAction *exportAction = addCommand(PreviewCommand::Export, "pvExport");
    exportAction->setMenu(m_exportMenu);
    const QList<prepared::ExportFilter> &filters = prepared::exportFilters();
    for (int i = 0; i < filters.size(); ++i)
        connect(m_exportMenu->addAction(filters[i].name), &QAction::triggered, p,
                [p, i] { p->exportTo(i); });
    connect(addCommand(PreviewCommand::ExportPdf, "pvExportPdf"), &QAction::triggered, p, [p] {
        const QList<prepared::ExportFilter> &all = prepared::exportFilters();
        for (int i = 0; i < all.size(); ++i)
            if (all[i].kind == prepared::ExportFilter::Kind::Pdf) {
                p->exportTo(i);
                return;
            }
    });
    connect(addCommand(PreviewCommand::Find, "pvFind", QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, p, qOverload<>(&TpgxPreview::find));
    m_toolBar->addSeparator();
    connect(addCommand(PreviewCommand::ZoomIn, "pvZoomIn"), &QAction::triggered, p,
            &TpgxPreview::zoomIn);
    m_actions.insert(PreviewCommand::Zoom, m_toolBar->addWidget(m_zoomBox));
    connect(addCommand(PreviewCommand::ZoomOut, "pvZoomOut"), &QAction::triggered, p,
            &TpgxPreview::zoomOut);
    connect(addCommand(PreviewCommand::FullScreen, "pvFullScreen", QKeySequence(Qt::Key_F11)),
            &QAction::triggered, this, [this] { setFullScreen(!m_fullScreen); });
    QAction *outline = addCommand(PreviewCommand::Outline, "pvOutline");
    outline->setCheckable(true);
    connect(outline, &QAction::toggled, p, &TpgxPreview::setOutlineVisible);
    QAction *thumbnails = addCommand(PreviewCommand::Thumbnails, "pvThumbnails");
    thumbnails->setCheckable(true);
    connect(thumbnails, &QAction::toggled, p, &TpgxPreview::setThumbnailVisible);
    connect(outline, &QAction::toggled, thumbnails, [thumbnails](bool on) {
        if (on)
            thumbnails->setChecked(false);
    });
    connect(thumbnails, &QAction::toggled, outline, [outline](bool on) {
        if (on)
            outline->setChecked(false);
    });
    connect(addCommand(PreviewCommand::PageSettings, "pvPageSettings"), &QAction::triggered, p,
            &TpgxPreview::pageSettings);
    addCommand(PreviewCommand::Edit, "pvEdit");
    m_toolBar->addSeparator();
    connect(addCommand(PreviewCommand::First, "pvFirst"), &QAction::triggered, p,
            &TpgxPreview::first);
    connect(addCommand(PreviewCommand::Prior, "pvPrior"), &QAction::triggered, p,
            &TpgxPreview::prior);
    m_actions.insert(PreviewCommand::PageNumber, m_toolBar->addWidget(m_pageBox));
    connect(addCommand(PreviewCommand::Next, "pvNext"), &QAction::triggered, p, &TpgxPreview::next);
    connect(addCommand(PreviewCommand::Last, "pvLast"), &QAction::triggered, p, &TpgxPreview::last);
    m_toolBar->addSeparator();
    connect(addCommand(PreviewCommand::Close, "pvClose"), &QAction::triggered, this, [this] {
        if (m_preview->isRunning())
            m_preview->cancel();
        else
            close();
    });
    // Only in the context menu.
    m_actions.insert(PreviewCommand::CollapseAll, new QAction(previewText("pvCollapseAll"), this));
    m_actions.insert(PreviewCommand::ExpandAll, new QAction(previewText("pvExpandAll"), this));
    connect(m_actions[PreviewCommand::CollapseAll], &QAction::triggered, p,
            [p] { p->setAllDrillDown(false); });
    connect(m_actions[PreviewCommand::ExpandAll], &QAction::triggered, p,
            [p] { p->setAllDrillDown(true); });
    // F3 works wherever the focus is, while Find is enabled.
    auto *findNext = new QAction(this);
    findNext->setShortcut(Qt::Key_F3);
    addAction(findNext);
    connect(findNext, &QAction::triggered, p, [this] {
        if (QAction *find = action(PreviewCommand::Find); find->isVisible() && find->isEnabled())
            m_preview->findNext();
    });

    connect(m_zoomBox, &QComboBox::activated, this, [this] { applyZoomText(); });
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { applyZoomText(); });
    connect(m_pageBox, &QLineEdit::returnPressed, this,
            [this] { m_preview->setPageNo(m_pageBox->text().toInt()); });
    connect(p, &TpgxPreview::zoomChanged, this, &TpgxPreviewForm::showZoom);
    connect(p, &TpgxPreview::pageChanged, this, [this](int page, int count) {
        m_pageStatus->setText(withNumbers(previewText("pvPageOf"), {page, count}));
        m_pageBox->setText(QString::number(page));
        updateCommands();
    });
    connect(p, &TpgxPreview::firstPassProgress, this, [this](int pages) {
        m_pageStatus->setText(previewText("pvFirstPass") + QString::number(pages));
    });
    connect(p, &TpgxPreview::statusText, m_infoStatus, &QLabel::setText);
    connect(p, &TpgxPreview::runningChanged, this, [this](bool running) {
        action(PreviewCommand::Close)->setText(previewText(running ? "pvCancel" : "pvClose"));
        updateCommands();
    });
    connect(p->workspace(), &TpgxPreviewWorkspace::doubleClicked, this, [this] {
        if (m_fullScreen)
            setFullScreen(false);
    });
    updateCommands();
}

TpgxPreviewForm::~TpgxPreviewForm() = default;

QAction *TpgxPreviewForm::addCommand(PreviewCommand command, const char *textKey,
                                     const QKeySequence &keys)
{
    QAction *action = m_toolBar->addAction(previewText(textKey));
    action->setObjectName(QString::fromLatin1(textKey));
    action->setToolTip(action->text());
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    // Standard pictures where the style has one; the others show their text.
    static const QHash<PreviewCommand, QStyle::StandardPixmap> kIcons = {
        {PreviewCommand::Open, QStyle::SP_DialogOpenButton},
        {PreviewCommand::Save, QStyle::SP_DialogSaveButton},
        {PreviewCommand::FullScreen, QStyle::SP_TitleBarMaxButton},
        {PreviewCommand::Outline, QStyle::SP_FileDialogListView},
        {PreviewCommand::Thumbnails, QStyle::SP_FileDialogDetailedView},
        {PreviewCommand::First, QStyle::SP_MediaSkipBackward},
        {PreviewCommand::Prior, QStyle::SP_ArrowLeft},
        {PreviewCommand::Next, QStyle::SP_ArrowRight},
        {PreviewCommand::Last, QStyle::SP_MediaSkipForward},
        {PreviewCommand::Close, QStyle::SP_DialogCloseButton},
    };
    if (const auto icon = kIcons.constFind(command); icon != kIcons.cend())
        action->setIcon(style()->standardIcon(*icon));
    m_actions.insert(command, action);
    return action;
}

void TpgxPreviewForm::setReport(TpgxReport *report, TpgxPreviewPages *pages)
{
    m_report = report;
    m_preview->setReport(report, pages);
    if (report) {
        const QString name = report->reportOptions()->name;
        setWindowTitle(name.isEmpty() ? previewText("pvPreview") : name);
        m_toolBar->setToolButtonStyle(report->previewOptions()->showCaptions
                                          ? Qt::ToolButtonTextUnderIcon
                                          : Qt::ToolButtonIconOnly);
        action(PreviewCommand::Outline)->setChecked(m_preview->outlineVisible());
        action(PreviewCommand::Thumbnails)->setChecked(m_preview->thumbnailVisible());
    }
    showZoom(m_preview->zoom());
    updateCommands();
}

void TpgxPreviewForm::updateCommands()
{
    PreviewState state;
    state.buttons = m_report ? int(m_report->previewOptions()->buttons)
                             : int(TpgxPreviewOptions::kAllButtons);
    state.running = m_preview->isRunning();
    state.hasPages = m_preview->pageCount() > 0;
    state.allowEdit = m_report && m_report->previewOptions()->allowEdit;
    state.designerAvailable = false;
    state.hasDrillDown = m_preview->hasDrillDown();
    state.hasExportFilters = !prepared::exportFilters().isEmpty();
    state.hasPdfExport = prepared::findExportFilter(prepared::ExportFilter::Kind::Pdf) != nullptr;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setVisible(preview::isVisible(it.key(), state));
        it.value()->setEnabled(preview::isEnabled(it.key(), state));
    }
}

QMenu *TpgxPreviewForm::contextMenu()
{
    delete m_contextMenu;
    m_contextMenu = new QMenu(this);
    m_contextMenu->addAction(action(PreviewCommand::CollapseAll));
    m_contextMenu->addAction(action(PreviewCommand::ExpandAll));
    m_contextMenu->addSeparator();
    int separators = 0;
    for (QAction *item : m_toolBar->actions()) {
        if (item->isSeparator()) {
            if (++separators == 2)
                break;
            m_contextMenu->addSeparator();
        } else if (item->isVisible() && !item->toolTip().isEmpty()
                   && !qobject_cast<QWidgetAction *>(item)) {
            m_contextMenu->addAction(item);
        }
    }
    return m_contextMenu;
}

void TpgxPreviewForm::contextMenuEvent(QContextMenuEvent *event)
{
    contextMenu()->popup(event->globalPos());
}

void TpgxPreviewForm::applyZoomText()
{
    const QString text = m_zoomBox->currentText();
    const QStringList choices = zoomChoices();
    if (text == choices.value(choices.size() - 2))
        m_preview->setZoomMode(TpgxPreviewOptions::zmPageWidth);
    else if (text == choices.value(choices.size() - 1))
        m_preview->setZoomMode(TpgxPreviewOptions::zmWholePage);
    else if (const std::optional<double> zoom = parseZoomText(text))
        m_preview->setZoom(*zoom);
    showZoom(m_preview->zoom());
    m_preview->workspace()->setFocus();
}

void TpgxPreviewForm::showZoom(double zoom)
{
    const QSignalBlocker block(m_zoomBox);
    m_zoomBox->setEditText(zoomText(zoom));
}

void TpgxPreviewForm::setFullScreen(bool on)
{
    m_fullScreen = on;
    m_toolBar->setVisible(!on);
    statusBar()->setVisible(!on);
    if (on)
        showFullScreen();
    else
        showNormal();
}

void TpgxPreviewForm::closeEvent(QCloseEvent *event)
{
    // A report still being prepared into the window holds it open.
    if (m_preview->isRunning()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TpgxPreviewForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_preview->isRunning())
            m_preview->cancel();
        else if (m_fullScreen)
            setFullScreen(false);
        else
            close();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(helpLocation(QStringLiteral("TpgxPreviewForm"))));
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}   // namespace pgx::preview
