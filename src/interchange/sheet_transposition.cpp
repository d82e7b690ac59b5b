#include "interchange/sheet_transposition.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "harmony/chord_analysis.h"
#include "harmony/musical_key.h"
#include "harmony/transposition.h"
#include "interchange/chart_text_writer.h"
#include "language/compile_score.h"

namespace kaz {

namespace {

using NoteNames = std::array<std::string, kPitchClassCount>;

//! The key the sheet names in its key field, or the one its chords are heard in.
MusicalKey KeyOfSheet(const LeadSheet& sheet) {
    if (const std::optional<WrittenKey> written = ReadWrittenKey(sheet.key)) {
        return MusicalKey{ReadPitchClass(written->note.english), written->minor};
    }
    CompileOptions options;
    DiscardedEvents discarded;
    options.stream = &discarded;
    return KeyOfScore(Compile(WriteChartText(sheet), options)->score);
}

//! The length of the English note name at the front of text ("F#", "Bb", "A"), as other programs write
//! their chords; 0 where text starts with none. German names ("Es") are not read: "Esus4" is E.
std::size_t EnglishNameLength(std::string_view text) {
    if (text.empty() || text[0] < 'A' || text[0] > 'H') {
        return 0;
    }
    return text.size() > 1 && text[0] != 'H' && (text[1] == '#' || text[1] == 'b') ? 2 : 1;
}

std::string MovedName(std::string_view name, int shift, const NoteNames& names) {
    return names[MovedPitchClass(ReadPitchClass(name), shift)];
}

//! symbol with its root and slash bass moved; as written when it is a sign or no chord at all.
std::string MovedSymbol(const std::string& symbol, int shift, const NoteNames& names) {
    const std::size_t rootLength = EnglishNameLength(symbol);
    if (rootLength == 0 || IsNoChord(symbol)) {
        return symbol;
    }
    const std::string_view written(symbol);
    // The slash of a bass is followed by a note name to the end, the one of "6/9" by a digit.
    std::size_t slash = written.find('/', rootLength);
    while (slash != std::string_view::npos &&
           EnglishNameLength(written.substr(slash + 1)) != written.size() - slash - 1) {
        slash = written.find('/', slash + 1);
    }
    std::string moved = MovedName(written.substr(0, rootLength), shift, names);
    moved += written.substr(rootLength,
                            slash == std::string_view::npos ? std::string_view::npos : slash - rootLength);
    if (slash != std::string_view::npos) {
        moved += "/" + MovedName(written.substr(slash + 1), shift, names);
    }
    return moved;
}

}  // namespace

void TransposeSheet(LeadSheet& sheet, int shift) {
    if (MovedPitchClass(shift, 0) == 0) {
        return;
    }
    const bool namesKey = ReadWrittenKey(sheet.key).has_value();
    const MusicalKey key = MovedKey(KeyOfSheet(sheet), shift);
    const NoteNames names = KeySpellings(key, kEnglishNotation);
    if (namesKey) {
        sheet.key = names[key.tonic] + (key.minor ? "m" : "");
    }
    for (SheetMeasure& measure : sheet.measures) {
        for (std::string& chord : measure.chords) {
            chord = MovedSymbol(chord, shift, names);
        }
    }
}

}  // namespace kaz
