#include "report/data/DataPaths.h"

#include "report/root/TpgxReport.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

namespace pgx::data {

QString resolveDataPath(const TpgxComponent *component, const QString &name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    const TpgxReport *report = component ? component->report() : nullptr;
    const QString templateFile = report ? report->fileName() : QString();
    const QDir base
        = templateFile.isEmpty() ? QDir::current() : QFileInfo(templateFile).absoluteDir();
    return QDir::cleanPath(base.absoluteFilePath(name));
}

}   // namespace pgx::data
