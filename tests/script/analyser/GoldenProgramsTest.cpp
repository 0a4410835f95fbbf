// Golden programs: every script under tests/data/script/programs runs, and
// the globals named in its expected file must have the values written
// there. Programs meant to run alike in the four languages share one
// expected file (statements.expected for statements.pas, .cpp, .vb, .js);
// a file named after the script itself (x.pas.expected) takes precedence.
// An expected line "error=message at line:col" expects that compile or run
// error instead.

#include "AnalyserTestUtil.h"

#include "script/front/LanguageRegistry.h"
#include "script/value/ScriptError.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace pgx::script::test {
namespace {

QString dataDir()
{
    return QStringLiteral(PGX_TEST_DATA "/script/programs");
}

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// The lines the program gives for the expected file's names.
QString actualFor(const QString &language, const QString &text, const QStringList &expectedLines)
{
    auto script = compileScript(language, text);
    if (!script->errorMessage.isEmpty())
        return QStringLiteral("error=") + script->errorMessage + QStringLiteral(" at ")
            + script->errorPosition + u'\n';
    try {
        script->execute();
    } catch (const ScriptError &e) {
        return QStringLiteral("error=") + e.message() + QStringLiteral(" at ") + e.position()
            + u'\n';
    }
    QString out;
    for (const QString &line : expectedLines) {
        const QString name = line.section(u'=', 0, 0);
        if (name.isEmpty() || name == QLatin1String("error"))
            continue;
        TkxCustomVariable *v = script->find(name);
        out += name + u'=' + (v ? valueText(v->value) : QStringLiteral("<undeclared>")) + u'\n';
    }
    return out;
}

TEST(GoldenPrograms, RunAsExpected)
{
    const QFileInfoList scripts = scriptFiles(dataDir());
    ASSERT_GE(scripts.size(), 1);
    for (const QFileInfo &script : scripts) {
        QString expectedPath = script.filePath() + QStringLiteral(".expected");
        if (!QFileInfo::exists(expectedPath))
            expectedPath
                = script.path() + u'/' + script.completeBaseName() + QStringLiteral(".expected");
        const QString expected = readText(expectedPath);
        ASSERT_FALSE(expected.isEmpty())
            << "no expected output for " << qPrintable(script.fileName());
        const QStringList lines = expected.split(u'\n', Qt::SkipEmptyParts);
        const QString actual
            = actualFor(languageForFile(script.fileName()), readText(script.filePath()), lines);
        // Compared, never rewritten: the four languages share expected files.
        EXPECT_TRUE(actual == expected)
            << "program " << qPrintable(script.fileName()) << ": "
            << pgx::test::lineDifference(expected.toUtf8(), actual.toUtf8()).toStdString();
    }
}

}   // namespace
}   // namespace pgx::script::test
