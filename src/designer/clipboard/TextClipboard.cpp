#include "designer/clipboard/TextClipboard.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

QString SystemClipboard::text() const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

void SystemClipboard::setText(const QString &text)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}
