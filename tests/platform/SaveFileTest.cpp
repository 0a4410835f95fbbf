// Saving through a temporary file: what a failed save leaves behind.
#include "platform/SaveFile.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QIODevice>
#include <QtCore/QTemporaryDir>

#include <stdexcept>

namespace pgx {
namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(SaveFile, AFailedSaveKeepsTheOldFileAndLeavesNothingBehind)
{
    enum class Outcome { Saved, Refused, Thrown };
    const struct
    {
        const char *name;
        Outcome outcome;
        QByteArray written;
    } cases[] = {
        {"saved", Outcome::Saved, "new content"},
        {"saved empty", Outcome::Saved, ""},
        // The writer gives up after writing half: the half never shows.
        {"refused", Outcome::Refused, "half of the new"},
        {"thrown", Outcome::Thrown, "half of the new"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pgr"));
        ASSERT_TRUE(saveFile(path, QByteArray("old content")).isEmpty());

        QString error;
        bool thrown = false;
        try {
            error = saveFile(path, [&c](QIODevice &device) {
                device.write(c.written);
                if (c.outcome == Outcome::Thrown)
                    throw std::runtime_error("writer failed");
                return c.outcome == Outcome::Refused ? QStringLiteral("No room on the page.")
                                                     : QString();
            });
        } catch (const std::runtime_error &) {
            thrown = true;
        }

        EXPECT_EQ(thrown, c.outcome == Outcome::Thrown);
        const QString expected = c.outcome == Outcome::Refused
            ? QStringLiteral("Cannot write file \"%1\". No room on the page.").arg(path)
            : QString();
        EXPECT_EQ(error, expected);
        EXPECT_EQ(contentOf(path),
                  c.outcome == Outcome::Saved ? c.written : QByteArray("old content"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("report.pgr")});
    }
}

TEST(SaveFile, AFileThatCannotBeCreatedIsNamedWithTheReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/a.pgr"));
    bool written = false;
    const QString error = saveFile(path, [&written](QIODevice &) {
        written = true;
        return QString();
    });
    EXPECT_FALSE(written);   // the writer never runs without a file to write to
    const QString prefix = QStringLiteral("Cannot write file \"%1\". ").arg(path);
    EXPECT_TRUE(error.startsWith(prefix)) << error.toStdString();
    EXPECT_GT(error.size(), prefix.size());   // the system's reason follows
    EXPECT_FALSE(QFile::exists(path));
}

}   // namespace
}   // namespace pgx
