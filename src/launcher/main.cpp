// pagoryn [template.pgr] | --preview TEMPLATE.pgr | FILE.pgp: the desktop program.
#include "launcher/MessageBoxPrompts.h"
#include "launcher/PreviewProgram.h"
#include "launcher/TfrmMain.h"
#include "objects/RegisterObjects.h"
#include "report/root/RegisterClasses.h"

#include <QtGui/QIcon>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>

namespace {

// The program's icon, drawn rather than shipped: the red "Pgr" of the splash.
QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::white);
        QPainter painter(&pixmap);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(size * 2 / 5);
        painter.setFont(font);
        painter.setPen(Qt::red);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Pgr"));
        painter.setPen(QPen(Qt::black, qMax(1, size / 16)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
        icon.addPixmap(pixmap);
    }
    return icon;
}

}   // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pagoryn"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pagoryn"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(PGX_VERSION));
    QApplication::setWindowIcon(programIcon());

    // Registrations run once, explicitly, before any template is read.
    pgx::registerReportClasses();
    pgx::registerObjectClasses();

    pgx::launcher::MessageBoxPrompts prompts;
    pgx::ScopedUserPrompts usePrompts(prompts);

    QString previewFile;
    if (pgx::launcher::wantsPreview(QApplication::arguments().mid(1), &previewFile))
        return pgx::launcher::runPreview(previewFile);

    pgx::launcher::TfrmMain form(QApplication::arguments().mid(1),
                                 QApplication::applicationFilePath());
    QObject::connect(&form, &pgx::launcher::TfrmMain::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    form.show();
    return app.exec();
}
