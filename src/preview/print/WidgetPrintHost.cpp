#include "preview/print/WidgetPrintHost.h"

#include "platform/UserPrompts.h"
#include "preview/PreviewTexts.h"
#include "preview/print/TpgxPrintDialog.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QProgressDialog>

namespace pgx::preview {

WidgetPrintHost::WidgetPrintHost(TpgxReport *report, QWidget *parent)
    : m_report(report), m_parent(parent),
      m_runDialog([](TpgxPrintDialog &dialog) { return dialog.exec(); })
{ }

WidgetPrintHost::~WidgetPrintHost()
{
    delete m_progress;
}

bool WidgetPrintHost::showPrintDialog(TpgxReport &report, int &duplexChoice)
{
    m_report = &report;
    TpgxPrintDialog dialog(*report.printOptions(), m_parent);
    dialog.setCurrentPageNumber(m_currentPageNumber);
    if (!m_runDialog || m_runDialog(dialog) != QDialog::Accepted)
        return false;
    duplexChoice = dialog.duplexChoice();
    return true;
}

void WidgetPrintHost::showError(const QString &text)
{
    UserPrompts::current().showMessage(UserPrompts::Kind::Error, text);
}

void WidgetPrintHost::progressStarted()
{
    delete m_progress;
    if (m_report && !m_report->showProgress())
        return;
    m_progress = new QProgressDialog(m_parent);
    m_progress->setObjectName(QStringLiteral("printProgress"));
    m_progress->setWindowTitle(previewText("200"));
    m_progress->setCancelButtonText(previewText("2"));
    m_progress->setRange(0, 0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->setWindowModality(Qt::WindowModal);
    QObject::connect(m_progress, &QProgressDialog::canceled, m_progress, [this] {
        if (m_report)
            m_report->setTerminated(true);
    });
    m_progress->show();
}

void WidgetPrintHost::progress(const QString &text, int /*page*/)
{
    if (m_progress)
        m_progress->setLabelText(text);
}

void WidgetPrintHost::progressStopped()
{
    delete m_progress;
}

void WidgetPrintHost::processEvents()
{
    QCoreApplication::processEvents();
}

}   // namespace pgx::preview
