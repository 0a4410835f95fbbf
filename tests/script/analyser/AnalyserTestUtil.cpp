#include "AnalyserTestUtil.h"

#include "script/analyser/ScriptAnalyser.h"
#include "script/front/LanguageRegistry.h"
#include "script/library/SysFunctions.h"
#include "script/runtime/Items.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantFormat.h"

#include <QtCore/QDir>
#include <QtCore/QStringList>

#include <gtest/gtest.h>

namespace pgx::script::test {

void ensureScriptEngine()
{
    // Other tests in this program install stand-in compilers: put the
    // analyser back every time.
    installScriptAnalyser();
    registerLibraryModules();
}

std::unique_ptr<TkxScript> compileScript(const QString &language, const QString &text)
{
    ensureScriptEngine();
    auto script = std::make_unique<TkxScript>();
    script->setSyntaxType(language);
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    script->setLines(normal.split(u'\n'));
    script->compile();
    return script;
}

QString compileError(const QString &language, const QString &text)
{
    auto script = compileScript(language, text);
    if (script->errorMessage.isEmpty())
        return QString();
    return script->errorMessage + QStringLiteral(" at ") + script->errorPosition;
}

QFileInfoList scriptFiles(const QString &folder)
{
    QStringList filters;
    for (const QString &suffix : scriptFileSuffixes())
        filters << QStringLiteral("*.") + suffix;
    return QDir(folder).entryInfoList(filters, QDir::Files, QDir::Name);
}

QString valueText(const Variant &value)
{
    return displayText(value);
}

QString runAndRead(const QString &language, const QString &text, const QString &global)
{
    auto script = compileScript(language, text);
    if (!script->errorMessage.isEmpty())
        return QStringLiteral("error: ") + script->errorMessage + QStringLiteral(" at ")
            + script->errorPosition;
    try {
        script->execute();
    } catch (const ScriptError &e) {
        return QStringLiteral("error: ") + e.message() + QStringLiteral(" at ") + e.position();
    }
    TkxCustomVariable *v = script->find(global);
    return v ? valueText(v->value) : QStringLiteral("error: no global ") + global;
}

void expectRunValues(std::span<const RunCase> cases)
{
    for (const RunCase &c : cases) {
        EXPECT_EQ(runAndRead(c.language, QString::fromUtf8(c.text), QString::fromUtf8(c.global))
                      .toStdString(),
                  std::string(c.value))
            << qPrintable(c.language) << ": " << c.text;
    }
}

}   // namespace pgx::script::test
