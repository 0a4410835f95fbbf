#pragma once

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>

#include <cstddef>
#include <cstdint>

namespace pgx::test {

// Runs every file of a fuzzer's corpus through the fuzzer's own entry, so
// that each input once found interesting (or once crashing) is checked on
// every build. The corpus must hold at least `minimumFiles` inputs.
template<typename Entry>
void replayCorpus(const QString &folder, qsizetype minimumFiles, Entry entry)
{
    const QDir corpus(folder);
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), minimumFiles) << folder.toStdString();
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray data = file.readAll();
        SCOPED_TRACE(name.toStdString());
        entry(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
    }
}

}   // namespace pgx::test
