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

QString scriptValueText(const script::Variant &value)
{
    if (value.isNull())
        return QStringLiteral("Null");
    if (value.isArray()) {
        QStringList parts;
        if (value.arrayDimCount() == 1) {
            const qint64 n = value.arrayTotalCount();
            for (qint64 i = 0; i < n; ++i)
                parts << scriptValueText(value.arrayData()[i]);
        }
        return u'[' + parts.join(QStringLiteral(", ")) + u']';
    }
    return value.toString();
}

} // namespace pgx::tool
