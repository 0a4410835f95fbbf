#include "script_run.h"

#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"

#include <QtCore/QFileInfo>
#include <QtCore/QStringList>

namespace pgx::tool {

void setUpScriptEngine()
{
    script::InstallScriptAnalyser();
    script::registerLibraryModules();
}

QString languageForFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("cpp"))
        return QStringLiteral("C++Script");
    if (suffix == QLatin1String("js"))
        return QStringLiteral("JScript");
    if (suffix == QLatin1String("vb"))
        return QStringLiteral("BasicScript");
    return QStringLiteral("PascalScript");
}

} // namespace pgx::tool
