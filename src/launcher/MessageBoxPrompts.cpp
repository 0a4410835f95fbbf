#include "launcher/MessageBoxPrompts.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace pgx::launcher {

bool MessageBoxPrompts::canShowWindows()
{
    const QString platform = QGuiApplication::platformName();
    return qobject_cast<QApplication *>(QCoreApplication::instance()) && !platform.isEmpty()
        && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void MessageBoxPrompts::showMessage(Kind kind, const QString &text)
{
    if (!canShowWindows()) {
        UserPrompts::console().showMessage(kind, text);
        return;
    }
    QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::Information, caption(kind), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace pgx::launcher
