#include <gtest/gtest.h>

#include "XMLFuzzTarget.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

// Every input the XML fuzzer was seeded with or has found a fault with runs
// through the fuzz target's checks on each build.
TEST(XMLFuzzSeeds, ReplayCorpus)
{
    const QDir seeds(QStringLiteral(PGX_TEST_DATA "/persist/fuzz-seeds"));
    const QStringList files = seeds.entryList(QDir::Files);
    ASSERT_GE(files.size(), 10);
    for (const QString &name : files) {
        QFile file(seeds.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
        const QByteArray data = file.readAll();
        SCOPED_TRACE(qPrintable(name));
        pgx::fuzz::FuzzXMLDocument(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
    }
}
