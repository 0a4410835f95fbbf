#pragma once

#include "preview/window/PreviewCommands.h"

#include <QtCore/QHash>
#include <QtWidgets/QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class TpgxPreviewPages;
class TpgxReport;

namespace pgx::preview {

class TpgxPreview;

// The preview window: the preview control under a toolbar whose buttons
// follow the report's PreviewOptions.Buttons, a zoom box and a page box,
// and a status bar ("Page %d of %d", links and progress). The window's
// context menu repeats the toolbar.
class TpgxPreviewForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TpgxPreviewForm(QWidget *parent = nullptr);
    ~TpgxPreviewForm() override;

    // Neither is owned. Sets the caption, zoom and panels from the report.
    void setReport(TpgxReport *report, TpgxPreviewPages *pages);
    TpgxPreview *preview() const { return m_preview; }

    QAction *action(PreviewCommand command) const { return m_actions.value(command); }
    QComboBox *zoomBox() const { return m_zoomBox; }
    QLineEdit *pageBox() const { return m_pageBox; }
    QLabel *pageStatus() const { return m_pageStatus; }
    QLabel *infoStatus() const { return m_infoStatus; }
    QToolBar *toolBar() const { return m_toolBar; }
    // The window's context menu as it is now.
    QMenu *contextMenu();

    // The visible and enabled state of every command, from the report's
    // buttons and the preview's state.
    void updateCommands();
    void setFullScreen(bool on);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QAction *addCommand(PreviewCommand command, const char *textKey, const QKeySequence &keys = {});
    void applyZoomText();
    void showZoom(double zoom);

    TpgxPreview *m_preview;
    TpgxReport *m_report = nullptr;
    QToolBar *m_toolBar;
    QComboBox *m_zoomBox;
    QLineEdit *m_pageBox;
    QLabel *m_pageStatus;
    QLabel *m_infoStatus;
    QMenu *m_exportMenu;
    QMenu *m_contextMenu = nullptr;
    QHash<PreviewCommand, QAction *> m_actions;
    bool m_fullScreen = false;
};

}   // namespace pgx::preview
