// Reading iReal Pro links as real charts write them:
// - a 1,500-song playlist of songs in the conventions of real charts (measure repeats, empty cells after the
//   closing bar lines, remarks, counts, endings, segno and coda) read, written as charts and every chart
//   compiled with the shipped styles, as an import and a check of each chart do;
// - one link of 1.8 MB, and one of 18 MB, of a song of empty cells and remarks, which must read in time in
//   step with their length.
// cmake -DKAZ_BUILD_BENCH=ON, then build/.../bench/ireal_bench.
#include <benchmark/benchmark.h>

#include <cctype>
#include <memory>

#include "interchange/chart_text_writer.h"
#include "interchange/ireal_link.h"
#include "language/compile_score.h"
#include "style/style_library.h"

namespace {

using namespace kaz;

//! A 40-measure song in the cells of real charts, named after index.
std::string SongCells(int index) {
    static const char* const kKeys[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    return "Song " + std::to_string(index) + "=Writer Tess==Medium Swing=" + kKeys[index % 12] +
           "==1r34LbKcu7" +
           ScrambleMusic(
               "*A{T44C^7XyQKcl LZD-7 G7 |E-7 A7 |<3x>D-7 G7 }        [*BSF^7XyQ|Bb7XyQ|   r|XyQ|"
               "E-7XyQ|A7  Q ][*CD-7XyQ|G7XyQ|N1C^7XyQ|A7XyQ}        N2C^7XyQ|D-7 G7 |E-7,A7,D-7,G7,|"
               "C6XyQ|F^7XyQ|Bb7XyQ|<D.S. al Coda>G7sus G7b9 ]Y[QC^7XyQ|A7b9XyQ|D-9 G13 |n  C6Z") +
           "==140=1";
}

std::string Playlist(int songs) {
    std::string body;
    for (int i = 0; i < songs; ++i) {
        body += (i > 0 ? "===" : "") + SongCells(i);
    }
    return "<a href=\"irealb://" + body + "===Bench\">Bench</a>";
}

void BM_ImportAndCheckPlaylist(benchmark::State& state) {
    const std::string page = Playlist(1500);
    const auto styles = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    for (auto _ : state) {
        const ImportedSongs songs = ReadIrealLinks(page);
        std::size_t compiled = 0;
        CompileOptions options;
        options.settings.style.library = styles;
        for (const LeadSheet& song : songs.songs) {
            compiled += Compile(WriteChartText(song), options)->Accepted() ? 1 : 0;
        }
        if (compiled != 1500) {
            state.SkipWithError("not every chart compiles");
        }
    }
    state.counters["songs"] = 1500;
}
BENCHMARK(BM_ImportAndCheckPlaylist)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadLinkOfEmptyCellsAndRemarks(benchmark::State& state) {
    // 620 kB of cells make a link of 1.8 MB once encoded; the second run is ten times as long.
    std::string cells = "[T44C   ";
    while (cells.size() < static_cast<std::size_t>(state.range(0)) * 620 * 1000) {
        cells += std::string(160, ' ') + "<Play it softly>";
    }
    cells += "Z";
    // As links are shared: every sign of the music percent-encoded.
    std::string link = "irealb://Long=Writer==Ballad=C==1r34LbKcu7";
    for (const char c : ScrambleMusic(cells)) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        const auto byte = static_cast<unsigned char>(c);
        link +=
            std::isalnum(byte) != 0 ? std::string(1, c) : std::string{'%', kHex[byte >> 4], kHex[byte & 0xF]};
    }
    link += "==0=1";
    for (auto _ : state) {
        const ImportedSongs songs = ReadIrealLinks(link);
        if (songs.songs.size() != 1 || songs.songs.front().measures.empty()) {
            state.SkipWithError("the song was not read");
        }
    }
    state.counters["MB"] = static_cast<double>(link.size()) / 1e6;
}
BENCHMARK(BM_ReadLinkOfEmptyCellsAndRemarks)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
