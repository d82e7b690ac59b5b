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
Message SongName(const LeadSheet& song, std::size_t index) {
    if (song.title.empty()) {
        return {"song %1 (untitled)", {std::to_string(index + 1)}};
    }
    std::size_t characters = 0;
    for (std::size_t i = 0; i < song.title.size(); ++i) {
        if ((static_cast<unsigned char>(song.title[i]) & 0xC0) != 0x80 &&
            ++characters > kMostTitleCharacters) {
            return {"\"%1\u2026\"", {song.title.substr(0, i)}};
        }
    }
    return {"\"%1\"", {song.title}};
}

}  // namespace

std::optional<Message> ChartRefusal(std::string_view text, const CompileOptions& options) {
    if (text.size() > kMaxChartBytes) {
        return Message{"is larger than a chart can be (%1 MiB)",
                       {std::to_string(kMaxChartBytes / (1024 * 1024))}};
    }
    if (const std::size_t longest = LongestLineCharacters(text); longest > kMaxChartLineCharacters) {
        return Message{"has a line of %1 characters, and a chart's lines hold at most %2",
                       {std::to_string(longest), std::to_string(kMaxChartLineCharacters)}};
    }
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(text), options);
    const CompileResult& result = compiled->result;
    switch (result.outcome) {
        case CompileOutcome::Accepted:
            return std::nullopt;
        case CompileOutcome::LanguageError: {
            const LanguageError& error = result.error;
            // The language error in the words the window says it in, where it keeps them.
            Message said =
                std::string_view(error.said.pattern).empty() ? Message("%1", {error.message}) : error.said;
            return Message{"does not compile: line %1: %3: `%2`",
                           {std::to_string(error.line), error.text},
                           {std::move(said)}};
        }
        case CompileOutcome::Fault:
            return Message{"does not compile: %1", {result.fault}};
        case CompileOutcome::NothingToPlay:
            break;
    }
    return Message("has no chord to play");
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
        if (std::optional<Message> refusal = ChartRefusal(WriteChartText(songs[i]), options)) {
            // The song, then what is wrong with it, as a sentence in any language the window speaks.
            imported.problems.push_back({"%1 %2", {}, {SongName(songs[i], i), std::move(*refusal)}});
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
