#include "AnalyserTestUtil.h"

#include "script/analyser/ScriptAnalyser.h"
#include "script/runtime/Items.h"
#include "script/value/ScriptError.h"

#include <QtCore/QStringList>

#include <mutex>

namespace pgx::script::test {

namespace {
// The part of the system library the analyser itself relies on: the basic
// types, the constants and the access items. The registry's modules
// declare the same names when they are registered.
void registerBasicLibrary()
{
    TkxScript::RegisterModule([](TkxScript &s) -> std::unique_ptr<TkxItemList> {
        const struct { const char *name; TkxKind kind; } types[] = {
            {"Byte", TkxKind::Integer}, {"Word", TkxKind::Integer}, {"Integer", TkxKind::Integer},
            {"Longint", TkxKind::Integer}, {"Cardinal", TkxKind::Integer}, {"Boolean", TkxKind::Boolean},
            {"Real", TkxKind::Float}, {"Single", TkxKind::Float}, {"Double", TkxKind::Float},
            {"Extended", TkxKind::Float}, {"Currency", TkxKind::Float}, {"TDateTime", TkxKind::Float},
            {"Char", TkxKind::Char}, {"String", TkxKind::String}, {"Variant", TkxKind::Variant},
            {"Pointer", TkxKind::Variant}, {"Array", TkxKind::Array},
        };
        for (const auto &t : types)
            s.Add(QString::fromLatin1(t.name), std::make_unique<TkxTypeVariable>(QString::fromLatin1(t.name), t.kind));
        s.AddConst(QStringLiteral("True"), TkxKind::Boolean, QStringLiteral("Boolean"), Variant(true));
        s.AddConst(QStringLiteral("False"), TkxKind::Boolean, QStringLiteral("Boolean"), Variant(false));
        s.AddConst(QStringLiteral("Null"), TkxKind::Variant, QStringLiteral("Variant"), Variant::null());
        s.AddConst(QStringLiteral("nil"), TkxKind::Variant, QStringLiteral("Variant"), Variant(0));
        s.AddVariable(QStringLiteral("ExceptionClassName"), TkxKind::String, QStringLiteral("String"));
        s.AddVariable(QStringLiteral("ExceptionMessage"), TkxKind::String, QStringLiteral("String"));
        s.Add(QStringLiteral("__StringHelper"), std::make_unique<TkxStringHelper>(QStringLiteral("__StringHelper")));
        s.Add(QStringLiteral("__ArrayHelper"), std::make_unique<TkxArrayHelper>(QStringLiteral("__ArrayHelper"), 3, true));
        return nullptr;
    });
}
} // namespace

void ensureScriptEngine()
{
    // Other tests in this program install stand-in compilers: put the
    // analyser back every time.
    InstallScriptAnalyser();
    static std::once_flag once;
    std::call_once(once, registerBasicLibrary);
}

std::unique_ptr<TkxScript> compileScript(const QString &language, const QString &text)
{
    ensureScriptEngine();
    auto script = std::make_unique<TkxScript>();
    script->SetSyntaxType(language);
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    script->SetLines(normal.split(u'\n'));
    script->Compile();
    return script;
}

QString compileError(const QString &language, const QString &text)
{
    auto script = compileScript(language, text);
    if (script->ErrorMessage.isEmpty())
        return QString();
    return script->ErrorMessage + QStringLiteral(" at ") + script->ErrorPosition;
}

QString valueText(const Variant &value)
{
    if (value.isNull())
        return QStringLiteral("Null");
    if (value.isArray()) {
        QStringList parts;
        if (value.arrayDimCount() == 1) {
            const qint64 n = value.arrayTotalCount();
            for (qint64 i = 0; i < n; ++i)
                parts << valueText(value.arrayData()[i]);
        }
        return u'[' + parts.join(QStringLiteral(", ")) + u']';
    }
    return value.toString();
}

QString runAndRead(const QString &language, const QString &text, const QString &global)
{
    auto script = compileScript(language, text);
    if (!script->ErrorMessage.isEmpty())
        return QStringLiteral("error: ") + script->ErrorMessage + QStringLiteral(" at ") + script->ErrorPosition;
    try {
        script->Execute();
    } catch (const ScriptError &e) {
        return QStringLiteral("error: ") + e.message() + QStringLiteral(" at ") + e.position();
    }
    TkxCustomVariable *v = script->Find(global);
    return v ? valueText(v->Value) : QStringLiteral("error: no global ") + global;
}

} // namespace pgx::script::test
