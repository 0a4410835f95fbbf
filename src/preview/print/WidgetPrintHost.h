#pragma once

#include "prepared/print/PrintHost.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include <functional>

class QProgressDialog;
class TpgxReport;

namespace pgx::preview {

class TpgxPrintDialog;

// The print run's host in a program with windows: the print dialog shown
// modally over `parent`, a progress window whose Cancel stops the run (it
// sets the report's Terminated) and error boxes through the user prompts.
class WidgetPrintHost : public prepared::PrintHost
{
public:
    explicit WidgetPrintHost(TpgxReport *report, QWidget *parent = nullptr);
    ~WidgetPrintHost() override;
    WidgetPrintHost(const WidgetPrintHost &) = delete;
    WidgetPrintHost &operator=(const WidgetPrintHost &) = delete;

    // The page the preview shows, for the dialog's "Current page"; 0 (the
    // default) when there is none.
    void setCurrentPageNumber(int number) { m_currentPageNumber = number; }
    int currentPageNumber() const { return m_currentPageNumber; }

    // Shows the dialog and returns its result; exec() by default, tests
    // answer the dialog instead.
    using DialogRunner = std::function<int(TpgxPrintDialog &dialog)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    bool showPrintDialog(TpgxReport &report, int &duplexChoice) override;
    void showError(const QString &text) override;
    // No window when the report's ShowProgress is off.
    void progressStarted() override;
    void progress(const QString &text, int page) override;
    void progressStopped() override;
    void processEvents() override;

    // The progress window while a run shows one, else null.
    QProgressDialog *progressDialog() const { return m_progress; }

private:
    TpgxReport *m_report;
    QPointer<QWidget> m_parent;
    int m_currentPageNumber = 0;
    DialogRunner m_runDialog;
    // Guarded: a parent closed during the run takes the window with it.
    QPointer<QProgressDialog> m_progress;
};

}   // namespace pgx::preview
