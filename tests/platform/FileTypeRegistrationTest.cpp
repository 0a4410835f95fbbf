#include "platform/FileTypeRegistration.h"
#include "platform/KeyStore.h"
#include "platform/XdgDirs.h"
#include "platform/XdgSandbox.h"

#include <gtest/gtest.h>

#include <QtCore/QDeadlineTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>

namespace pgx {
namespace {

using test::XdgSandbox;

QByteArray golden(const char *name)
{
    return XdgSandbox::readFile(QStringLiteral(PGX_TEST_DATA "/platform/") + QLatin1String(name));
}

QByteArray goldenClasses(const QString &exe)
{
    QByteArray text = golden("Classes.ini");
    return text.replace("${EXE}", exe.toUtf8());
}

// Waits for a file a background tool writes; false after `ms`.
bool waitForFile(const QString &path, int ms)
{
    QDeadlineTimer deadline(ms);
    while (!QFileInfo::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

TEST(XdgDirs, DefaultsAndInvalidEntries)
{
    XdgSandbox xdg;
    qunsetenv("XDG_DATA_DIRS");
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(xdg::dataDirs(), (QStringList{"/usr/local/share", "/usr/share"}));
    EXPECT_EQ(xdg::configDirs(), QStringList{"/etc/xdg"});
    // Relative entries are invalid by the base-directory rules.
    XdgSandbox::set("XDG_DATA_DIRS", QStringLiteral("relative:/a/b/::/a/b:/c"));
    EXPECT_EQ(xdg::dataDirs(), (QStringList{"/a/b", "/c"}));
    XdgSandbox::set("XDG_CONFIG_HOME", QStringLiteral("not/absolute"));
    EXPECT_EQ(xdg::configHome(), QDir::homePath() + "/.config");

    // Missing folders and paths that are files are passed over; the user's
    // folder is made when no shared one can be written.
    const QString good = xdg.path("good");
    QDir().mkpath(good);
    const QStringList dirs = {xdg.path("missing"), xdg.blockedPath("a-file"), good};
    EXPECT_EQ(xdg::firstWritableDir(dirs, xdg.path("home")), good);
    EXPECT_EQ(xdg::firstWritableDir(dirs.first(2), xdg.path("home/made")), xdg.path("home/made"));
    EXPECT_TRUE(QFileInfo(xdg.path("home/made")).isDir());
    EXPECT_EQ(xdg::firstWritableDir(dirs.first(2), xdg.blockedPath("a-file") + "/x"), QString());
}

TEST(FileTypeRegistration, ExecArgumentsAreQuotedForTheDesktop)
{
    struct Case
    {
        const char *path;
        const char *exec;   // as it stands in the file
    } cases[] = {
        {"/usr/bin/pagoryn", R"("/usr/bin/pagoryn")"},
        {"/opt/my apps/pagoryn", R"("/opt/my apps/pagoryn")"},
        {"/opt/a\"b/p", R"("/opt/a\\"b/p")"},
        {"/opt/$x/`y`/p", R"("/opt/\\$x/\\`y\\`/p")"},
        {"/opt/back\\slash/p", R"("/opt/back\\\\slash/p")"},
        {"/opt/100%/p", R"("/opt/100%%/p")"},
        {"/opt/semi;colon&amp'/p", R"("/opt/semi;colon&amp'/p")"},
    };
    for (const Case &c : cases) {
        const QString quoted = FileTypeRegistration::quoteExecArgument(QString::fromUtf8(c.path));
        EXPECT_EQ(FileTypeRegistration::escapeDesktopValue(quoted), QString::fromUtf8(c.exec))
            << c.path;
    }
}

// The four class keys, exactly and in order, and the desktop's own files.
TEST(FileTypeRegistration, WritesClassKeysAndDesktopFiles)
{
    XdgSandbox xdg;
    const QString exe = QStringLiteral("/opt/Pago ryn/$HOME/100%/bin/pagoryn");
    const FileTypeRegistration::Outcome outcome = FileTypeRegistration(exe).registerAll();

    const QString classes = xdg.path("etc-xdg/Velmora/Classes.ini");
    EXPECT_EQ(outcome.classesFile, classes);
    EXPECT_EQ(outcome.keysWritten,
              (QStringList{".pgr", "PgrView.pgr", "PgrView.pgr\\DefaultIcon",
                           "PgrView.pgr\\Shell\\Open\\Command"}));
    EXPECT_EQ(XdgSandbox::readFile(classes), goldenClasses(exe));
    KeyStore store(classes);
    EXPECT_EQ(store.readString(QStringLiteral("PgrView.pgr\\Shell\\Open\\Command"), QString()),
              "\"" + exe + "\" \"%1\"");
    EXPECT_EQ(store.readString(QStringLiteral("PgrView.pgr\\DefaultIcon"), QString()), exe + ",0");

    EXPECT_EQ(outcome.mimePackagePath, xdg.path("usr-share/mime/packages/velmora-pagoryn.xml"));
    EXPECT_EQ(XdgSandbox::readFile(outcome.mimePackagePath), golden("velmora-pagoryn.xml"));
    EXPECT_EQ(outcome.desktopEntryPath, xdg.path("usr-share/applications/velmora-pagoryn.desktop"));
    EXPECT_EQ(XdgSandbox::readFile(outcome.desktopEntryPath), golden("velmora-pagoryn.desktop"));
    EXPECT_EQ(outcome.iconPath,
              xdg.path("usr-share/icons/hicolor/scalable/apps/velmora-pagoryn.svg"));
    EXPECT_EQ(XdgSandbox::readFile(outcome.iconPath), FileTypeRegistration::iconImage());
    // Nothing lands in the per-user folders when the shared ones can be written.
    EXPECT_FALSE(QFileInfo::exists(xdg.path("config-home/Velmora")));
    EXPECT_FALSE(QFileInfo::exists(xdg.path("data-home/mime")));
}

// A second start from elsewhere rewrites every value with its own path and
// keeps the file to the four keys.
TEST(FileTypeRegistration, SecondRunRewritesWithTheCurrentPath)
{
    XdgSandbox xdg;
    FileTypeRegistration(QStringLiteral("/old/pagoryn")).registerAll();
    const QString exe = QStringLiteral("/new place/pagoryn");
    const FileTypeRegistration::Outcome outcome = FileTypeRegistration(exe).registerAll();
    EXPECT_EQ(outcome.keysWritten.size(), 4);
    EXPECT_EQ(XdgSandbox::readFile(outcome.classesFile), goldenClasses(exe));
    EXPECT_TRUE(
        XdgSandbox::readFile(outcome.desktopEntryPath).contains("Exec=\"/new place/pagoryn\" %f"));
}

TEST(FileTypeRegistration, UnwritableFoldersAreSkippedSilently)
{
    XdgSandbox xdg;
    // Shared folders that cannot be written: the next one, then the user's.
    const QString blocked = xdg.blockedPath("blocked");
    XdgSandbox::set("XDG_CONFIG_DIRS", blocked + ":" + xdg.path("missing"));
    XdgSandbox::set("XDG_DATA_DIRS", blocked + ":" + xdg.path("usr-share"));
    FileTypeRegistration::Outcome outcome
        = FileTypeRegistration(QStringLiteral("/bin/p")).registerAll();
    EXPECT_EQ(outcome.classesFile, xdg.path("config-home/Velmora/Classes.ini"));
    EXPECT_EQ(outcome.keysWritten.size(), 4);
    EXPECT_EQ(outcome.desktopEntryPath, xdg.path("usr-share/applications/velmora-pagoryn.desktop"));

    // Nowhere to write at all: nothing is written and nothing fails.
    XdgSandbox::set("XDG_CONFIG_HOME", blocked + "/config");
    XdgSandbox::set("XDG_DATA_HOME", blocked + "/data");
    XdgSandbox::set("XDG_DATA_DIRS", blocked);
    outcome = FileTypeRegistration(QStringLiteral("/bin/p")).registerAll();
    EXPECT_TRUE(outcome.classesFile.isEmpty());
    EXPECT_TRUE(outcome.keysWritten.isEmpty());
    EXPECT_TRUE(outcome.mimePackagePath.isEmpty());
    EXPECT_TRUE(outcome.desktopEntryPath.isEmpty());

    // A folder that exists but whose sub-folders cannot be made.
    XdgSandbox::set("XDG_DATA_DIRS", xdg.path("usr-share"));
    XdgSandbox::set("XDG_CONFIG_DIRS", xdg.path("etc-xdg"));
    QDir(xdg.path("usr-share")).removeRecursively();
    QDir().mkpath(xdg.path("usr-share"));
    xdg.blockedPath("usr-share/mime");
    xdg.blockedPath("etc-xdg/Velmora");
    outcome = FileTypeRegistration(QStringLiteral("/bin/p")).registerAll();
    EXPECT_TRUE(outcome.keysWritten.isEmpty());
    EXPECT_TRUE(outcome.mimePackagePath.isEmpty());
    EXPECT_EQ(outcome.desktopEntryPath, xdg.path("usr-share/applications/velmora-pagoryn.desktop"));
}

// With the real tools installed, the files are ones they accept: the MIME
// database learns `*.pgr` and the desktop entry validates.
TEST(FileTypeRegistration, DesktopToolsAcceptTheFiles)
{
    XdgSandbox xdg;
    if (!xdg.linkTool("desktop-file-validate") || !xdg.linkTool("update-mime-database")
        || !xdg.linkTool("update-desktop-database"))
        GTEST_SKIP() << "desktop-file-utils or shared-mime-info not installed";
    const QString validator = xdg.path("bin/desktop-file-validate");
    const FileTypeRegistration::Outcome outcome
        = FileTypeRegistration(QStringLiteral("/opt/my apps/pagoryn")).registerAll();
    EXPECT_EQ(outcome.toolsStarted,
              (QStringList{"update-mime-database", "update-desktop-database"}));

    QProcess validate;
    validate.start(validator, {outcome.desktopEntryPath});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();

    const QString typeFile = xdg.path("usr-share/mime/application/x-pagoryn-template.xml");
    ASSERT_TRUE(waitForFile(typeFile, 10000));
    ASSERT_TRUE(waitForFile(xdg.path("usr-share/mime/mime.cache"), 10000));
    ASSERT_TRUE(waitForFile(xdg.path("usr-share/applications/mimeinfo.cache"), 10000));
    EXPECT_TRUE(XdgSandbox::readFile(xdg.path("usr-share/applications/mimeinfo.cache"))
                    .contains("application/x-pagoryn-template=velmora-pagoryn.desktop;"));
    QThread::msleep(100);   // the tool renames the last files into place
    EXPECT_TRUE(XdgSandbox::readFile(xdg.path("usr-share/mime/globs2"))
                    .contains("application/x-pagoryn-template:*.pgr"));
    EXPECT_TRUE(XdgSandbox::readFile(xdg.path("usr-share/mime/icons"))
                    .contains("application/x-pagoryn-template:velmora-pagoryn"));

    // Up to date: a second start leaves the databases alone.
    const FileTypeRegistration::Outcome again
        = FileTypeRegistration(QStringLiteral("/opt/my apps/pagoryn")).registerAll();
    EXPECT_TRUE(again.toolsStarted.isEmpty());
}

}   // namespace
}   // namespace pgx
