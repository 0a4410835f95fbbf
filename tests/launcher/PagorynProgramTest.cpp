// The real program, run as the desktop would run it, on the offscreen
// platform with the XDG folders in a temporary directory.
#include "launcher/LauncherTestSupport.h"
#include "platform/KeyStore.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>

namespace pgx {
namespace {

using test::XdgSandbox;

struct ProgramRun
{
    bool finished = false;
    int exitCode = -1;
    QString errors;
};

class PagorynProgram : public ::testing::Test
{
protected:
    ProgramRun start(const QStringList &arguments,
                     const QString &program = QStringLiteral(PAGORYN_PATH))
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char *name :
             {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS", "PATH"})
            env.insert(QLatin1String(name), qEnvironmentVariable(name));
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        ProgramRun result;
        result.finished = process.waitForFinished(20000);
        if (!result.finished)
            process.kill();
        result.exitCode = process.exitCode();
        // Qt's own notes about the offscreen platform are not the program's.
        for (const QString &line :
             QString::fromLocal8Bit(process.readAllStandardError()).split('\n')) {
            if (line.startsWith(QLatin1String("Error")))
                result.errors += line;
        }
        return result;
    }

    static QString executable()
    {
        return QFileInfo(QStringLiteral(PAGORYN_PATH)).canonicalFilePath();
    }

    XdgSandbox m_xdg;
};

TEST_F(PagorynProgram, NoArgumentRegistersAndExits)
{
    const ProgramRun result = start({});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();

    KeyStore classes(m_xdg.path("etc-xdg/Velmora/Classes.ini"));
    EXPECT_EQ(classes.sections(),
              (QStringList{".pgr", "PgrView.pgr", "PgrView.pgr\\DefaultIcon",
                           "PgrView.pgr\\Shell\\Open\\Command"}));
    EXPECT_EQ(classes.readString(QStringLiteral("PgrView.pgr\\DefaultIcon"), QString()),
              executable() + ",0");
    EXPECT_TRUE(XdgSandbox::readFile(m_xdg.path("usr-share/applications/velmora-pagoryn.desktop"))
                    .contains("Exec=\"" + executable().toUtf8() + "\" %f"));
    EXPECT_TRUE(QFileInfo::exists(m_xdg.path("usr-share/mime/packages/velmora-pagoryn.xml")));
}

// A path with blanks, passed through the registered open command, arrives
// whole; the missing file opens the designer on an empty report and the
// program ends normally.
TEST_F(PagorynProgram, RegisteredCommandPassesPathWithBlanksWhole)
{
    ASSERT_EQ(start({}).exitCode, 0);
    const QString command
        = KeyStore(m_xdg.path("etc-xdg/Velmora/Classes.ini"))
              .readString(QStringLiteral("PgrView.pgr\\Shell\\Open\\Command"), QString());
    const QString path = m_xdg.path("my templates/a b.pgr");
    QStringList words = QProcess::splitCommand(QString(command).replace(QLatin1String("%1"), path));
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[1], path);
    const QString program = words.takeFirst();
    const ProgramRun result = start(words, program);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.toStdString();
}

TEST_F(PagorynProgram, BundledExampleAndUnreadableFileEndNormally)
{
    const ProgramRun example = start({QStringLiteral(PGX_SOURCE_DIR "/examples/invoice.pgr")});
    ASSERT_TRUE(example.finished);
    EXPECT_EQ(example.exitCode, 0);
    // The example loads cleanly: every class it names is registered at start.
    EXPECT_FALSE(example.errors.contains(QLatin1String("Error"))) << example.errors.toStdString();

    // Exists, but cannot be read: the error is reported (on the console, as
    // no one could answer a box here) and the program still ends.
    const QString path = test::makeUnreadableFile(m_xdg.path("unreadable.pgr"));
    ASSERT_FALSE(path.isEmpty());
    const ProgramRun unreadable = start({path});
    ASSERT_TRUE(unreadable.finished);
    EXPECT_EQ(unreadable.exitCode, 0);
    EXPECT_TRUE(unreadable.errors.startsWith(QLatin1String("Error: ")))
        << unreadable.errors.toStdString();
}

}   // namespace
}   // namespace pgx
