#include "platform/SaveFile.h"

#include <QtCore/QSaveFile>

namespace pgx {

QString saveFile(const QString &fileName, const std::function<QString(QIODevice &device)> &write)
{
    // QSaveFile removes its temporary file when destroyed uncommitted, which
    // covers the early returns and exceptions alike. Writing in place when
    // no temporary file can be made would risk the old file: never.
    QSaveFile file(fileName);
    file.setDirectWriteFallback(false);
    QString reason;
    if (!file.open(QIODevice::WriteOnly))
        reason = file.errorString();
    else if (reason = write(file); reason.isEmpty() && !file.commit())
        reason = file.errorString();
    if (reason.isEmpty())
        return {};
    return QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, reason);
}

QString saveFile(const QString &fileName, const QByteArray &content)
{
    return saveFile(fileName, [&content](QIODevice &device) {
        return device.write(content) == content.size() ? QString() : device.errorString();
    });
}

}   // namespace pgx
