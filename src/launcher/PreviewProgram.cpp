#include "launcher/PreviewProgram.h"

#include "objects/ReportRuntime.h"
#include "platform/Error.h"
#include "platform/UserPrompts.h"
#include "prepared/TpgxPreviewPages.h"
#include "preview/window/TpgxPreview.h"
#include "preview/window/TpgxPreviewForm.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QFileInfo>
#include <QtCore/QStringList>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

namespace pgx::launcher {

bool wantsPreview(const QStringList &arguments, QString *fileName)
{
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--preview")) {
        *fileName = arguments[1];
        return true;
    }
    if (arguments.size() == 1
        && QFileInfo(arguments[0]).suffix().compare(QLatin1String("pgp"), Qt::CaseInsensitive)
            == 0) {
        *fileName = arguments[0];
        return true;
    }
    return false;
}

int runPreview(const QString &fileName)
{
    setUpReportRuntime();
    TpgxReport report;
    TpgxPreviewPages pages(&report);
    const bool prepared
        = QFileInfo(fileName).suffix().compare(QLatin1String("pgp"), Qt::CaseInsensitive) == 0;
    if (prepared) {
        if (!pages.loadFromFile(fileName)) {
            UserPrompts::current().showMessage(UserPrompts::Kind::Error, pages.errorString());
            return 1;
        }
    } else {
        try {
            report.loadFromFile(fileName, true);
        } catch (const Error &error) {
            UserPrompts::current().showMessage(UserPrompts::Kind::Error, error.message());
            return 1;
        }
        if (!report.errors().isEmpty()) {
            UserPrompts::current().showMessage(UserPrompts::Kind::Error,
                                               report.errors().join(QLatin1Char('\n')));
            return 1;
        }
    }
    preview::TpgxPreviewForm form;
    form.setReport(&report, &pages);
    if (report.previewOptions()->maximized)
        form.showMaximized();
    else
        form.show();
    // The window is up before the report runs, so that pages appear as
    // they are prepared.
    if (!prepared)
        QTimer::singleShot(0, &form, [&form] { form.preview()->prepare(); });
    // Closing the window, the last one, ends the program.
    return QApplication::exec();
}

}   // namespace pgx::launcher
