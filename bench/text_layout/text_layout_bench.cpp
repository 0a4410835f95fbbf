// Laying out memos as a report run does: 100,000 texts of 20 to 200
// characters (words of 2 to 10 letters, some Cyrillic), measured in memos
// of 150 and 60 units. The goal is well under a second for the 100,000.
#include "report/text/MemoText.h"

#include <benchmark/benchmark.h>

#include <QtGui/QGuiApplication>

#include <random>

namespace {

using namespace pgx::text;

const std::vector<QStringList> &memos()
{
    static const std::vector<QStringList> kTexts = [] {
        std::mt19937 random(20261209);
        std::uniform_int_distribution<int> length(20, 200);
        std::uniform_int_distribution<int> wordLength(2, 10);
        std::uniform_int_distribution<int> letter(0, 25);
        std::uniform_int_distribution<int> percent(0, 99);
        std::vector<QStringList> out;
        out.reserve(100000);
        for (int i = 0; i < 100000; ++i) {
            const int target = length(random);
            const bool cyrillic = percent(random) < 20;
            QString text;
            while (text.size() < target) {
                if (!text.isEmpty())
                    text += QLatin1Char(' ');
                const int n = wordLength(random);
                for (int k = 0; k < n && text.size() < target; ++k)
                    text
                        += cyrillic ? QChar(0x0430 + letter(random)) : QChar(u'a' + letter(random));
            }
            out.push_back(QStringList{text});
        }
        return out;
    }();
    return kTexts;
}

void bmLayOut100000Memos(benchmark::State &state)
{
    const std::vector<QStringList> &texts = memos();
    MemoBox box;
    box.width = double(state.range(0));
    box.height = 100;
    TextOptions options;
    options.wordBreak = state.range(1) != 0;
    double total = 0;
    for (auto _ : state) {
        for (const QStringList &text : texts)
            total += calcHeight(text, options, box);
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * qint64(texts.size()));
}
BENCHMARK(bmLayOut100000Memos)
    ->Args({150, 0})
    ->Args({60, 0})
    ->Args({150, 1})
    ->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char **argv)
{
    // Fonts load only through a QGuiApplication; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    memos();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
