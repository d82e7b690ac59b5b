#include "interchange/import_check.h"

#include <utility>

#include "base/character_column.h"
#include "base/input_file.h"
#include "interchange/chart_text_writer.h"
#include "style/style_library.h"

namespace kaz {

namespace {

//! The longest title a problem quotes whole, in characters.
constexpr std::size_t kMostTitleCharacters = 60;

//! The song as a problem names it: its title in quotes, cut short when long, or its place among the songs
//! read.
std::string SongName(const LeadSheet& song, std::size_t index) {
    if (song.title.empty()) {
        return "song " + std::to_string(index + 1) + " (untitled)";
    }
    std::size_t characters = 0;
    for (std::size_t i = 0; i < song.title.size(); ++i) {
        if ((static_cast<unsigned char>(song.title[i]) & 0xC0) != 0x80 &&
            ++characters > kMostTitleCharacters) {
            return "\"" + song.title.substr(0, i) + "\u2026\"";
        }
    }
    return "\"" + song.title + "\"";
}

}  // namespace

std::string ChartRefusal(std::string_view text, const CompileOptions& options) {
    if (text.size() > kMaxChartBytes) {
        return "is larger than a chart can be (" + std::to_string(kMaxChartBytes / (1024 * 1024)) + " MiB)";
    }
    if (const std::size_t longest = LongestLineCharacters(text); longest > kMaxChartLineCharacters) {
        return "has a line of " + std::to_string(longest) + " characters, and a chart's lines hold at most " +
               std::to_string(kMaxChartLineCharacters);
    }
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(text), options);
    const CompileResult& result = compiled->result;
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            return {};
        case CompileOutcome::LanguageError:
            return "does not compile: line " + std::to_string(result.error.line) + ": " +
                   result.error.message + ": `" + result.error.text + "`";
        case CompileOutcome::Fault:
            return "does not compile: " + result.fault;
        case CompileOutcome::NothingToPlay:
            break;
    }
    return "has no chord to play";
}

bool KeepChartsThatOpen(ImportedSongs& imported, std::shared_ptr<const StyleLibrary> styles,
                        const ImportProgress& progress) {
    CompileOptions options;
    options.settings.style.library = std::move(styles);
    DiscardedEvents discarded;
    options.stream = &discarded;
    std::vector<LeadSheet>& songs = imported.songs;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (progress && !progress(i, songs.size())) {
            return false;
        }
        if (std::string refusal = ChartRefusal(WriteChartText(songs[i]), options); !refusal.empty()) {
            imported.problems.push_back(SongName(songs[i], i) + " " + refusal);
        } else {
            if (kept != i) {
                songs[kept] = std::move(songs[i]);
            }
            ++kept;
        }
    }
    songs.erase(songs.begin() + static_cast<std::ptrdiff_t>(kept), songs.end());
    return true;
}

}  // namespace kaz
