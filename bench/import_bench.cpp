// The import's speed on generated playlists:
// - a 1,500-song playlist link read and every song's chart checked (compiled, its lines measured), the
//   import's rule before anything is written;
// - the same playlist read, checked and written as one chart a song into a fresh folder, as
//   `kaz-cli import PLAYLIST --into DIR` does;
// - 20,000 songs of one title written into a folder, each named after the names already taken;
// - a 50 MB web page holding 5,000 links read;
// - the window's song list for a 1,500-song playlist made and shown, on Qt's offscreen platform.
// cmake -DKAZ_BUILD_BENCH=ON, then build/.../bench/import_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/dialogs/song_picker_dialog.h"
#include "interchange/chart_folder.h"
#include "interchange/import_check.h"
#include "interchange/ireal_link.h"
#include "style/style_library.h"

namespace {

using namespace kaz;

//! A 32-measure song with a repeat, two endings, a section and a coda, its chords moved by index.
LeadSheet GeneratedSong(int index) {
    static const char* const kRoots[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    LeadSheet song;
    song.title = "Generated Song " + std::to_string(index);
    song.composer = "Writer Tess";
    song.style = "Medium Swing";
    song.key = kRoots[index % 12];
    song.tempo = 100 + index % 120;
    for (int m = 0; m < 32; ++m) {
        SheetMeasure measure;
        const std::string root = kRoots[(index + m * 5) % 12];
        measure.chords = m % 2 == 0 ? std::vector<std::string>{root + "m7", root + "7b9"}
                                    : std::vector<std::string>{root + "maj7"};
        measure.section = m % 8 == 0 ? std::string(1, static_cast<char>('A' + m / 8)) : "";
        measure.repeatOpens = m == 0;
        measure.ending = m == 6 ? "1." : m == 7 ? "2." : "";
        measure.repeatCloses = m == 6 ? 2 : 0;
        measure.jump = m == 30 ? "TO CODA" : "";
        song.measures.push_back(std::move(measure));
    }
    return song;
}

std::string Playlist(int songs) {
    std::vector<LeadSheet> list;
    for (int i = 0; i < songs; ++i) {
        list.push_back(GeneratedSong(i));
    }
    return WriteIrealPage(list, "Bench");
}

std::shared_ptr<const StyleLibrary> ShippedStyles() {
    static const auto styles = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    return styles;
}

void BM_ReadAndCheckPlaylist(benchmark::State& state) {
    const std::string page = Playlist(1500);
    for (auto _ : state) {
        ImportedSongs songs = ReadIrealLinks(page);
        if (!KeepChartsThatOpen(songs, ShippedStyles()) || songs.songs.size() != 1500) {
            state.SkipWithError("not every song passed the check");
        }
    }
    state.counters["songs"] = 1500;
}
BENCHMARK(BM_ReadAndCheckPlaylist)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportPlaylistIntoFolder(benchmark::State& state) {
    const std::string page = Playlist(1500);
    for (auto _ : state) {
        const QTemporaryDir folder;
        ImportedSongs songs = ReadIrealLinks(page);
        static_cast<void>(KeepChartsThatOpen(songs, ShippedStyles()));
        const FolderWriting writing = WriteChartsIntoFolder(folder.path().toStdString(), songs.songs, false);
        if (writing.written.size() != 1500) {
            state.SkipWithError("not every song was written");
        }
    }
    state.counters["songs"] = 1500;
}
BENCHMARK(BM_ImportPlaylistIntoFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WriteSongsOfOneTitle(benchmark::State& state) {
    std::vector<LeadSheet> songs(20000, GeneratedSong(1));
    for (auto _ : state) {
        const QTemporaryDir folder;
        const FolderWriting writing = WriteChartsIntoFolder(folder.path().toStdString(), songs, false);
        if (writing.written.size() != songs.size()) {
            state.SkipWithError("not every song was written");
        }
    }
    state.counters["songs"] = static_cast<double>(songs.size());
}
BENCHMARK(BM_WriteSongsOfOneTitle)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ReadLargePage(benchmark::State& state) {
    const std::string link = "<p><a href=\"" + WriteIrealLink({GeneratedSong(7)}, "") + "\">x</a></p>\n";
    std::string page;
    for (int i = 0; i < 5000; ++i) {
        page += link;
    }
    page += std::string(50 * 1000 * 1000 - std::min<std::size_t>(page.size(), 50 * 1000 * 1000 - 1), ' ');
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadIrealLinks(page).songs.size());
    }
    state.counters["MB"] = static_cast<double>(page.size()) / 1e6;
}
BENCHMARK(BM_ReadLargePage)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ShowSongList(benchmark::State& state) {
    const ImportedSongs songs = ReadIrealLinks(Playlist(1500));
    for (auto _ : state) {
        SongPickerDialog picker(songs, nullptr);
        picker.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ShowSongList)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
