#include <gtest/gtest.h>

#include "TemplateLoaderFuzzTarget.h"

#include <QtCore/QDir>
#include <QtCore/QFile>

// Every input the template loader's fuzzer was seeded with, or found a fault
// with, runs through the fuzz target's checks on each build.
TEST(TemplateLoaderFuzzSeeds, ReplayCorpus)
{
    const QDir seeds(QStringLiteral(PGX_TEST_DATA "/persist/serializer/fuzz-seeds"));
    const QStringList files = seeds.entryList(QDir::Files);
    ASSERT_GE(files.size(), 10);
    for (const QString &name : files) {
        QFile file(seeds.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
        const QByteArray data = file.readAll();
        SCOPED_TRACE(qPrintable(name));
        pgx::fuzz::FuzzTemplateLoader(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
    }
}
