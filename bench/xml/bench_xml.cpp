// Reading and writing large XML documents, with libxml2 (xmllint --noout)
// on the same files as the reference.
//
//   bench_xml --benchmark_counters_tabular=true
//
// Documents (about 50 MB each, generated once into a temporary folder):
//   template  - a report template: 20,000 objects in bands on pages,
//               indented, CR LF, each object with its attributes and a memo
//   prepared  - a prepared report: 5,000 page items marked unloadable, each
//               with 10 bands of 20 object nodes each
// Scale arguments 1, 2 and 4 read a quarter, a half and the whole document,
// to show that the time grows linearly with the size.
#include <benchmark/benchmark.h>

#include "persist/XMLDocument.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>

#include <sys/resource.h>
#include <time.h>

using namespace pgx;

namespace {

constexpr int kTemplateObjects = 20000;
constexpr int kPreparedPages = 5000;

QByteArray memoText(int i)
{
    // A memo of a few paragraphs, escaped as the serializer writes it.
    QByteArray text;
    for (int line = 0; line < 24; ++line)
        text += "Line " + QByteArray::number(line) + " of object " + QByteArray::number(i)
            + " with &#34;quotes&#34; &#38; a value of [Data.&#34;Amount&#34;]&#13;&#10;";
    return text;
}

QByteArray generateTemplate(int objects)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                     "<TpgxReport Version=\"4.2.16\" ScriptLanguage=\"PascalScript\" "
                     "ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\">\r\n";
    const int perBand = 20;
    const int perPage = 200;
    for (int i = 0; i < objects; ++i) {
        if (i % perPage == 0)
            out += "  <TpgxReportPage Name=\"Page" + QByteArray::number(i / perPage)
                + "\" PaperWidth=\"210\" "
                  "PaperHeight=\"297\" LeftMargin=\"10\" RightMargin=\"10\" TopMargin=\"10\" "
                  "BottomMargin=\"10\">\r\n";
        if (i % perBand == 0)
            out += "    <TpgxMasterData Name=\"MasterData" + QByteArray::number(i / perBand)
                + "\" Height=\"18.89765\" "
                  "Left=\"0\" Top=\""
                + QByteArray::number(i / perBand * 20) + "\" Width=\"718.1107\">\r\n";
        out += "      <TpgxMemoView Name=\"Memo" + QByteArray::number(i) + "\" Left=\""
            + QByteArray::number(i % 700)
            + "\" Top=\"0\" Width=\"94.48825\" Height=\"18.89765\" Font.Charset=\"1\" "
              "Font.Color=\"0\" "
              "Font.Height=\"-13\" Font.Name=\"Arial\" Font.Style=\"0\" Frame.Typ=\"15\" "
              "HAlign=\"haRight\" "
              "ParentFont=\"False\" Text=\""
            + memoText(i) + "\"/>\r\n";
        if (i % perBand == perBand - 1 || i == objects - 1)
            out += "    </TpgxMasterData>\r\n";
        if (i % perPage == perPage - 1 || i == objects - 1)
            out += "  </TpgxReportPage>\r\n";
    }
    out += "</TpgxReport>\r\n";
    return out;
}

QByteArray generatePrepared(int pages)
{
    QByteArray out = "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>";
    for (int p = 0; p < pages; ++p) {
        out += "<page0  ld=\"0\">";
        for (int band = 0; band < 10; ++band) {
            out += "<b" + QByteArray::number(band) + " t=\"" + QByteArray::number(band * 37.5)
                + "\">";
            for (int m = 0; m < 20; ++m)
                out += "<m" + QByteArray::number(10 + m) + " l=\"" + QByteArray::number(m * 70)
                    + "\" u=\"Value " + QByteArray::number(p * 100 + band * 20 + m)
                    + " &#38; more\"/>";
            out += "</b" + QByteArray::number(band) + ">";
        }
        out += "</page0>";
    }
    out += "</previewpages><logicalpagenumbers>";
    for (int p = 0; p < pages; ++p)
        out += "<page n=\"" + QByteArray::number(p + 1) + "\" t=\"" + QByteArray::number(pages)
            + "\"/>";
    out += "</logicalpagenumbers></preparedreport>";
    return out;
}

struct Files
{
    QTemporaryDir dir;
    QString templ[3];   // quarter, half, whole
    QString prepared[3];
    qint64 templSize[3] = {};
    qint64 preparedSize[3] = {};

    Files()
    {
        for (int s = 0; s < 3; ++s) {
            const int div = 4 >> s;
            templ[s] = dir.filePath(QStringLiteral("template%1.pgr").arg(s));
            prepared[s] = dir.filePath(QStringLiteral("prepared%1.pgp").arg(s));
            templSize[s] = write(templ[s], generateTemplate(kTemplateObjects / div));
            preparedSize[s] = write(prepared[s], generatePrepared(kPreparedPages / div));
        }
    }
    static qint64 write(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        return data.size();
    }
};

Files &files()
{
    static Files f;
    return f;
}

int scaleIndex(const benchmark::State &state)
{
    return state.range(0) == 1 ? 0 : state.range(0) == 2 ? 1 : 2;
}

void setSize(benchmark::State &state, qint64 bytes)
{
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["MB"] = double(bytes) / 1e6;
}

void bmReadTemplate(benchmark::State &state)
{
    const int s = scaleIndex(state);
    for (auto _ : state) {
        TpgxXMLDocument doc;
        if (!doc.loadFromFile(files().templ[s]))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc.root()->count());
        state.PauseTiming();   // freeing the tree is not reading
        doc.clear();
        state.ResumeTiming();
    }
    setSize(state, files().templSize[s]);
}

void bmWriteTemplate(benchmark::State &state)
{
    const int s = scaleIndex(state);
    TpgxXMLDocument doc;
    doc.setIndented(true);
    doc.loadFromFile(files().templ[s]);
    const QString out = files().dir.filePath(QStringLiteral("out.pgr"));
    for (auto _ : state)
        if (!doc.saveToFile(out))
            state.SkipWithError("save failed");
    setSize(state, files().templSize[s]);
}

// Reading a prepared report whole, or with its pages left on disk.
void bmReadPrepared(benchmark::State &state)
{
    const int s = scaleIndex(state);
    const bool partial = state.range(1);
    for (auto _ : state) {
        TpgxXMLDocument doc;
        if (!doc.loadFromFile(files().prepared[s], partial))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc.root()->count());
        state.PauseTiming();
        doc.clear();
        state.ResumeTiming();
    }
    setSize(state, files().preparedSize[s]);
}

// Swapping on: every page goes to the temporary file (as the prepared-pages
// store does while a report runs), then the whole is saved, which reads each
// page back from the temporary file.
void bmSwapOutAndSavePrepared(benchmark::State &state)
{
    const int s = scaleIndex(state);
    const QString out = files().dir.filePath(QStringLiteral("out.pgp"));
    for (auto _ : state) {
        state.PauseTiming();
        TpgxXMLDocument doc;
        doc.setTempDir(files().dir.path());
        doc.loadFromFile(files().prepared[s], false);
        TpgxXMLItem *pages = doc.root()->items(0);
        state.ResumeTiming();
        for (int i = 0; i < pages->count(); ++i) {
            pages->items(i)->setSwappable(true);
            if (!doc.swapOut(pages->items(i)))
                state.SkipWithError("swap-out failed");
        }
        if (!doc.saveToFile(out))
            state.SkipWithError("save failed");
        state.PauseTiming();
        doc.clear();
        state.ResumeTiming();
    }
    setSize(state, files().preparedSize[s]);
}

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The CPU time of xmllint is its own process's: it shows as "cpu_MB/s"
// (on a busy machine real time says more about the load than the parser).
void runXmllint(benchmark::State &state, const QString &path, qint64 size)
{
    double cpu = 0;
    for (auto _ : state) {
        const double before = childCpuSeconds();
        QProcess p;
        p.start(QStringLiteral("xmllint"),
                {QStringLiteral("--noout"), QStringLiteral("--huge"), path});
        if (!p.waitForFinished(-1) || p.exitCode() != 0)
            state.SkipWithError("xmllint failed");
        cpu += childCpuSeconds() - before;
    }
    setSize(state, size);
    state.counters["cpu_MB/s"] = double(size) * double(state.iterations()) / 1e6 / cpu;
}

void bmXmllintTemplate(benchmark::State &state)
{
    const int s = scaleIndex(state);
    runXmllint(state, files().templ[s], files().templSize[s]);
}

void bmXmllintPrepared(benchmark::State &state)
{
    const int s = scaleIndex(state);
    runXmllint(state, files().prepared[s], files().preparedSize[s]);
}

}   // namespace

// The whole document first: the smaller ones then find the heap as warm as
// it is after any earlier load (a fresh heap's page faults are not parsing).
BENCHMARK(bmReadTemplate)->Arg(4)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bmXmllintTemplate)->Arg(4)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bmWriteTemplate)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bmReadPrepared)
    ->Args({4, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({4, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(bmXmllintPrepared)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bmSwapOutAndSavePrepared)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    files();   // generate the documents before anything is timed
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
