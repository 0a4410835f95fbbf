#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <functional>

class QIODevice;

namespace pgx {

// Saving never destroys the file it replaces: the content goes to a
// temporary file beside `fileName`, which is renamed over the file only
// once everything has been written. After any failure, or an exception
// thrown by `write` on its way out, the old file is as it was and no
// temporary file is left behind. The folder must exist.
//
// `write` writes the content to the device and returns the empty string,
// or the reason it could not. A write the device refused fails the save
// even when `write` did not notice.
//
// Returns the empty string when the file was saved, else the one message
// of a failed save: Cannot write file "<fileName>". <reason>
QString saveFile(const QString &fileName, const std::function<QString(QIODevice &device)> &write);
QString saveFile(const QString &fileName, const QByteArray &content);

}   // namespace pgx
