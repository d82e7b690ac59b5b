#include "interchange/chordpro_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/text_lines.h"
#include "interchange/measure_spread.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool NameIs(const std::string& name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

//! A chord as the chart writes it: the first word of the bracket, or nothing for an annotation.
std::string ChartChord(std::string_view chord) {
    chord = Trimmed(chord);
    if (chord.empty() || chord.front() == '*') {
        return {};
    }
    chord = chord.substr(0, chord.find_first_of(" \t|[]"));
    if (chord == "NC" || chord == "N.C" || chord == "N.C.") {
        return "N.C.";
    }
    return ValidUtf8(chord);
}

bool IsBarToken(std::string_view token) {
    return !token.empty() &&
           std::all_of(token.begin(), token.end(), [](char c) { return c == '|' || c == ':' || c == '.'; }) &&
           token.find('|') != std::string_view::npos;
}

class ChordProReader {
  public:
    ImportedSongs Read(std::string_view text) {
        NewSong();
        while (!text.empty()) {
            const std::string_view line = TakeLine(text);
            ReadLine(line);
        }
        FinishSong();
        if (result_.songs.empty()) {
            result_.error = "no chords found in the ChordPro file";
        }
        return std::move(result_);
    }

  private:
    void ReadLine(std::string_view line) {
        const std::string_view trimmed = Trimmed(line);
        if (trimmed.starts_with("{") && trimmed.ends_with("}")) {
            ReadDirective(trimmed.substr(1, trimmed.size() - 2));
        } else if (trimmed.starts_with("#")) {
            // A comment of the file itself, not of the song.
        } else if (inGrid_) {
            ReadGridLine(trimmed);
        } else {
            ReadLyricLine(line);
        }
    }

    void ReadDirective(std::string_view directive) {
        const std::size_t colon = directive.find_first_of(": ");
        const std::string name = Lowercase(Trimmed(directive.substr(0, colon)));
        const std::string value =
            colon == std::string_view::npos ? std::string() : OneLine(directive.substr(colon + 1));
        LeadSheet& song = song_;
        if (NameIs(name, {"new_song", "ns"})) {
            FinishSong();
            NewSong();
        } else if (NameIs(name, {"title", "t"})) {
            song.title = value;
        } else if (NameIs(name, {"artist", "composer", "subtitle", "st"})) {
            if (song.composer.empty()) {
                song.composer = value;
            }
        } else if (name == "key") {
            song.key = value;
        } else if (name == "tempo") {
            int tempo = 0;
            std::from_chars(value.data(), value.data() + value.size(), tempo);
            song.tempo = tempo;
        } else if (name == "time") {
            ReadMeter(value);
        } else if (NameIs(name, {"comment", "c", "comment_italic", "ci", "comment_box", "cb", "highlight"})) {
            pendingNotes_.push_back(value);
        } else if (NameIs(name, {"start_of_chorus", "soc"})) {
            pendingSection_ = "Chorus";
        } else if (NameIs(name, {"start_of_verse", "sov"})) {
            pendingSection_ = "Verse";
        } else if (NameIs(name, {"start_of_bridge", "sob"})) {
            pendingSection_ = "Bridge";
        } else if (NameIs(name, {"start_of_grid", "sog"})) {
            inGrid_ = true;
        } else if (NameIs(name, {"end_of_grid", "eog"})) {
            inGrid_ = false;
        }
    }

    void ReadMeter(const std::string& value) {
        const std::size_t slash = value.find('/');
        int numerator = 0;
        int denominator = 0;
        if (slash == std::string::npos) {
            return;
        }
        std::from_chars(value.data(), value.data() + slash, numerator);
        std::from_chars(value.data() + slash + 1, value.data() + value.size(), denominator);
        if (numerator > 0 && denominator > 0) {
            pendingNumerator_ = numerator;
            pendingDenominator_ = denominator;
        }
    }

    void ReadLyricLine(std::string_view line) {
        std::string lyrics;
        const std::size_t firstMeasure = song_.measures.size();
        startLine_ = true;
        std::size_t at = 0;
        while (at < line.size()) {
            const std::size_t open = line.find('[', at);
            lyrics += line.substr(at, open == std::string_view::npos ? std::string_view::npos : open - at);
            if (open == std::string_view::npos) {
                break;
            }
            const std::size_t close = line.find(']', open);
            if (close == std::string_view::npos) {
                lyrics += line.substr(open);
                break;
            }
            if (const std::string chord = ChartChord(line.substr(open + 1, close - open - 1));
                !chord.empty()) {
                AddMeasure({chord});
            }
            at = close + 1;
        }
        const std::string words = OneLine(lyrics);
        if (words.empty()) {
            return;
        }
        if (song_.measures.size() > firstMeasure) {
            song_.measures[firstMeasure].notes.push_back(words);
        } else {
            pendingNotes_.push_back(words);
        }
    }

    //! A grid line: cells between bar lines, "." holding the chord before it, text before the first bar line
    //! or after the last a margin.
    void ReadGridLine(std::string_view line) {
        startLine_ = true;
        std::vector<std::string> cells;
        bool inside = false;
        std::size_t at = 0;
        while (at < line.size()) {
            const std::size_t start = line.find_first_not_of(" \t", at);
            if (start == std::string_view::npos) {
                break;
            }
            const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
            const std::string_view token = line.substr(start, end - start);
            at = end;
            if (IsBarToken(token)) {
                if (inside && !cells.empty()) {
                    AddMeasure(GridChords(cells), token.starts_with(":"));
                }
                pendingRepeat_ = token.ends_with(":");
                cells.clear();
                inside = true;
            } else if (inside) {
                cells.emplace_back(token);
            }
        }
    }

    static std::vector<std::string> GridChords(const std::vector<std::string>& cells) {
        std::vector<PlacedChord> chords;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i] != ".") {
                chords.push_back({static_cast<int>(i),
                                  cells[i] == "/" || cells[i] == "%" ? cells[i] : ChartChord(cells[i])});
            }
        }
        if (!chords.empty() && chords.front().position != 0) {
            chords.insert(chords.begin(), {0, "="});
        }
        return SpreadChords(chords, static_cast<int>(cells.size()));
    }

    void AddMeasure(std::vector<std::string> chords, bool closesRepeat = false) {
        SheetMeasure measure;
        measure.chords = std::move(chords);
        measure.section = std::move(pendingSection_);
        measure.notes = std::move(pendingNotes_);
        measure.repeatOpens = pendingRepeat_;
        measure.repeatCloses = closesRepeat ? 2 : 0;
        measure.meterNumerator = pendingNumerator_;
        measure.meterDenominator = pendingDenominator_;
        pendingSection_.clear();
        pendingNotes_.clear();
        pendingRepeat_ = false;
        pendingNumerator_ = 0;
        pendingDenominator_ = 0;
        measure.startsLine = startLine_;
        startLine_ = false;
        song_.measures.push_back(std::move(measure));
    }

    void NewSong() {
        song_ = LeadSheet();
        inGrid_ = false;
    }

    void FinishSong() {
        if (song_.measures.empty()) {
            return;
        }
        song_.notes.insert(song_.notes.end(), pendingNotes_.begin(), pendingNotes_.end());
        pendingNotes_.clear();
        result_.songs.push_back(std::move(song_));
    }

    ImportedSongs result_;
    LeadSheet song_;
    std::vector<std::string> pendingNotes_;
    std::string pendingSection_;
    bool pendingRepeat_ = false;
    int pendingNumerator_ = 0;
    int pendingDenominator_ = 0;
    bool inGrid_ = false;
    bool startLine_ = false;
};

}  // namespace

ImportedSongs ReadChordPro(std::string_view text) {
    return ChordProReader().Read(text);
}

}  // namespace kaz
