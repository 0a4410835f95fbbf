#include "launcher/MessageBoxPrompts.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QInputDialog>
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
    QMessageBox box(kind == Kind::Error ? QMessageBox::Critical : QMessageBox::Information,
                    caption(kind), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

std::optional<QString> MessageBoxPrompts::askPassword(const PasswordRequest &request)
{
    if (!canShowWindows())
        return UserPrompts::console().askPassword(request);
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(request.caption);
    dialog.setLabelText(request.label);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setOkButtonText(request.okText);
    dialog.setCancelButtonText(request.cancelText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> MessageBoxPrompts::askSaveFileName(const SaveFileRequest &request)
{
    if (!canShowWindows())
        return UserPrompts::console().askSaveFileName(request);
    const QString chosen = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), request.caption, request.fileName, request.filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> MessageBoxPrompts::askOpenFileName(const SaveFileRequest &request)
{
    if (!canShowWindows())
        return UserPrompts::console().askOpenFileName(request);
    const QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), request.caption, request.fileName, request.filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

}   // namespace pgx::launcher
