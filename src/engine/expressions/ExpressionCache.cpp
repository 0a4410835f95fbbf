#include "engine/expressions/ExpressionCache.h"

#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

namespace pgx::engine {

using script::TkxScript;
using script::Variant;

namespace {

// PascalScript and BasicScript ignore case; their string literals are
// quoted with ' and " respectively.
QChar foldingQuote(const QString &language)
{
    if (language.compare(QLatin1String("PascalScript"), Qt::CaseInsensitive) == 0)
        return QLatin1Char('\'');
    if (language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0)
        return QLatin1Char('"');
    return {};
}

QString functionName(int n)
{
    return QStringLiteral("pgrf") + QString::number(n);
}

}   // namespace

ExpressionCache::ExpressionCache(QString language, QString errorPrefix)
    : m_language(std::move(language)), m_errorPrefix(std::move(errorPrefix)),
      m_foldsCase(!foldingQuote(m_language).isNull())
{ }

ExpressionCache::~ExpressionCache() = default;

QString ExpressionCache::keyOf(const QString &expression) const
{
    if (!m_foldsCase)
        return expression;
    const QChar quote = foldingQuote(m_language);
    QString key = expression;
    bool inString = false;
    for (QChar &c : key) {
        if (c == quote)
            inString = !inString;
        else if (!inString)
            c = c.toUpper();
    }
    return key;
}

QString ExpressionCache::programText(const QString &language, const QString &expression, int n)
{
    const QString name = functionName(n);
    if (language.compare(QLatin1String("C++Script"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Variant ") + name + QStringLiteral("() { return ") + expression
            + QStringLiteral("; } {}");
    if (language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("function ") + name + QStringLiteral("\r\nreturn ") + expression
            + QStringLiteral("\r\nend function");
    if (language.compare(QLatin1String("JScript"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("function ") + name + QStringLiteral("() { return ") + expression
            + QStringLiteral("; }");
    return QStringLiteral("function ") + name + QStringLiteral(": Variant; begin Result := ")
        + expression + QStringLiteral(" end; begin end.");
}

ExpressionCache::Result ExpressionCache::calc(const QString &expression, TkxScript &caller)
{
    const QString key = keyOf(expression);
    auto found = m_entries.find(key);
    if (found == m_entries.end()) {
        Entry entry;
        entry.program = std::make_unique<TkxScript>();
        TkxScript &program = *entry.program;
        // The parent first: modules see it and leave to it what the run
        // declares (the macro functions).
        program.setParentScope(&caller);
        program.addModules();
        program.setSyntaxType(m_language);
        entry.function = functionName(count());
        program.setLines(
            programText(m_language, expression, count()).split(QStringLiteral("\r\n")));
        if (!program.compile())
            entry.error = m_errorPrefix + QStringLiteral(" '") + expression + QStringLiteral("': ")
                + program.errorMessage;
        found = m_entries.emplace(key, std::move(entry)).first;
    }
    Entry &entry = found->second;
    if (!entry.error.isEmpty())
        return {Variant::null(), entry.error};

    // A report expression runs outside the script's main run: what the
    // main run owns (its flags, Terminate) stays as it was.
    TkxScript *main = caller.findMainRun();
    const bool mainRun = main && main->mainRun;
    if (main)
        main->mainRun = false;
    struct Restore
    {
        TkxScript *main;
        bool value;
        ~Restore()
        {
            if (main)
                main->mainRun = value;
        }
    } restore{main, mainRun};
    try {
        return {entry.program->callFunction(entry.function, Variant::null()), QString()};
    } catch (const script::ScriptError &e) {
        return {Variant::null(), e.message()};
    }
}

}   // namespace pgx::engine
