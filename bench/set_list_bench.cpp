// Opening a set list of 300 songs in the window's panel: the list read, every chart's title read from its
// file, the songs shown; once with the MIDI pedals looked for, as the first set list of a run does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>

#include "app/setlist/set_list_feature.h"
#include "app/user_prompts.h"
#include "bench_charts.h"

namespace {

constexpr int kSongs = 300;

//! A folder of kSongs charts of a hundred measures and the set list of all of them, some with a key and
//! tempo.
QString WriteSet(const QTemporaryDir& folder) {
    std::string list = "# A long night\n";
    for (int i = 0; i < kSongs; ++i) {
        const QString name = QStringLiteral("song-%1.kaz").arg(i);
        QFile chart(folder.filePath(name));
        if (!chart.open(QIODevice::WriteOnly)) {
            std::abort();
        }
        const std::string text = "# Song " + std::to_string(i) + " - a blues\n" + kaz::bench::BluesChart(100);
        chart.write(text.data(), static_cast<qint64>(text.size()));
        list += name.toStdString() + (i % 3 == 0 ? " [KEY=Bb] [TEMPO=140]" : "") + "\n";
    }
    const QString path = folder.filePath(QStringLiteral("night.kazset"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::abort();
    }
    file.write(list.data(), static_cast<qint64>(list.size()));
    return path;
}

void BM_SetListOf300SongsOpens(benchmark::State& state) {
    QTemporaryDir folder;
    const QString path = WriteSet(folder);
    QMainWindow window;
    kaz::NoteNameTables names;
    kaz::DialogPrompts prompts(window, names);
    kaz::SetListFeature feature(window, prompts);
    for (auto _ : state) {
        if (!feature.Open(path)) {
            std::abort();
        }
    }
    state.counters["songs"] = static_cast<double>(feature.List().songs.size());
}
// The first opening also looks for the MIDI pedals, which loads the device module.
BENCHMARK(BM_SetListOf300SongsOpens)
    ->Name("BM_SetListOf300SongsOpens/first")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetListOf300SongsOpens)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
