#include "persist/XMLStore.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryFile>

namespace pgx {

std::shared_ptr<TpgxXMLStore> TpgxXMLStore::createTemporary(const QString &dir, QString *error)
{
    // The whole folder name is used: cutting a path short would put the
    // file into some other folder, or none.
    const QString folder = dir.isEmpty() ? QDir::tempPath() : dir;
    auto file = std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral("pgXXXXXX")));
    file->setAutoRemove(true);
    if (!file->open()) {
        if (error)
            *error = QStringLiteral("Cannot create a temporary file in %1: %2")
                         .arg(folder, file->errorString());
        return nullptr;
    }
    return std::make_shared<TpgxXMLStore>(std::move(file), true);
}

}   // namespace pgx
