#include "LanguageRegistry.h"

#include "KxMessages.h"
#include "TkxGrammar.h"
#include "platform/Error.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMutex>
#include <mutex>
#include <vector>

// The grammar documents are resources of this static library; a static
// library's resources are linked in only when something asks for them.
static void initGrammarResources()
{
    Q_INIT_RESOURCE(grammars);
}

namespace pgx::script {

namespace {

struct LanguageEntry
{
    QString name;
    QString grammar;
    std::shared_ptr<const TkxGrammar> parsed;   // filled on first use
};

struct Registry
{
    QMutex mutex;
    std::vector<LanguageEntry> entries;

    LanguageEntry *find(const QString &name)
    {
        for (LanguageEntry &entry : entries)
            if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
                return &entry;
        return nullptr;
    }
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

const QString kPascalScript = QStringLiteral("PascalScript");

struct SuffixEntry
{
    QLatin1StringView suffix;
    QLatin1StringView language;
};

constexpr SuffixEntry kSuffixes[] = {
    {QLatin1StringView("pas"), QLatin1StringView("PascalScript")},
    {QLatin1StringView("cpp"), QLatin1StringView("C++Script")},
    {QLatin1StringView("js"), QLatin1StringView("JScript")},
    {QLatin1StringView("vb"), QLatin1StringView("BasicScript")},
};

QString readGrammarResource(const QString &fileName)
{
    QFile file(QStringLiteral(":/script/grammars/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw pgx::Error(QStringLiteral("Missing grammar resource ") + fileName);
    return QString::fromUtf8(file.readAll());
}

}   // namespace

void registerLanguage(const QString &name, const QString &grammar)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    if (LanguageEntry *entry = r.find(name)) {
        entry->grammar = grammar;
        entry->parsed.reset();
        return;
    }
    r.entries.push_back({name, grammar, nullptr});
}

QString languageGrammar(const QString &name)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    if (const LanguageEntry *entry = r.find(name))
        return entry->grammar;
    lock.unlock();
    throw pgx::Error(kxMessageWith(QStringLiteral("SLangNotFound"), name));
}

void languageNames(QStringList &list)
{
    list.clear();
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    for (const LanguageEntry &entry : r.entries)
        if (!entry.name.startsWith(u'@'))
            list.append(entry.name);
}

std::shared_ptr<const TkxGrammar> languageGrammarDocument(const QString &name)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    LanguageEntry *entry = r.find(name);
    if (!entry) {
        lock.unlock();
        throw pgx::Error(kxMessageWith(QStringLiteral("SLangNotFound"), name));
    }
    if (!entry->parsed)
        entry->parsed = TkxGrammar::parse(entry->grammar);
    return entry->parsed;
}

void adaptPascalGrammar()
{
    QString grammar;
    {
        Registry &r = registry();
        QMutexLocker lock(&r.mutex);
        const LanguageEntry *entry = r.find(kPascalScript);
        if (!entry)
            return;
        grammar = entry->grammar;
    }
    // (1) The first set constructor between "[" and "]" in factor becomes a
    // set constructor between backquotes, followed by a bracketed report
    // expression between "[" and "]".
    const QString setInBrackets = QStringLiteral(
        R"(<sequence><char text="["/><setconstructor err="err2"/><char text="]" err="err8"/></sequence>)");
    const QString setInBackquotes = QStringLiteral(
        R"(<sequence><char text="`"/><setconstructor err="err2"/><char text="`" err="err8"/></sequence>)");
    const QString reportExpression = QStringLiteral(
        R"(<sequence><char text="["/><frstring/><char text="]" err="err8"/></sequence>)");
    const qsizetype at = grammar.indexOf(setInBrackets);
    if (at >= 0)
        grammar.replace(at, setInBrackets.size(), setInBackquotes + reportExpression);
    // (2) Undeclared variables are allowed: declarevars "0" goes in front of
    // commentline1 (once, should start-up run twice).
    const QString declareVars = QStringLiteral(R"(<declarevars text="0"/>)");
    const qsizetype comment = grammar.indexOf(QLatin1String("<commentline1"));
    if (comment >= 0 && !grammar.contains(declareVars))
        grammar.insert(comment, declareVars);
    registerLanguage(kPascalScript, grammar);
}

QString languageForFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const SuffixEntry &entry : kSuffixes)
        if (suffix.compare(entry.suffix, Qt::CaseInsensitive) == 0)
            return entry.language;
    return kPascalScript;
}

QStringList scriptFileSuffixes()
{
    QStringList suffixes;
    for (const SuffixEntry &entry : kSuffixes)
        suffixes.append(entry.suffix);
    return suffixes;
}

void registerStandardLanguages()
{
    static std::once_flag once;
    std::call_once(once, [] {
        initGrammarResources();
        registerLanguage(QStringLiteral("JScript"),
                         readGrammarResource(QStringLiteral("jscript.xml")));
        registerLanguage(QStringLiteral("BasicScript"),
                         readGrammarResource(QStringLiteral("basicscript.xml")));
        registerLanguage(QStringLiteral("C++Script"),
                         readGrammarResource(QStringLiteral("cppscript.xml")));
        registerLanguage(kPascalScript, readGrammarResource(QStringLiteral("pascalscript.xml")));
        adaptPascalGrammar();
    });
}

}   // namespace pgx::script
