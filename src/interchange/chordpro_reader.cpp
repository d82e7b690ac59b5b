#include "interchange/chordpro_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <set>

#include "base/text_lines.h"
#include "chart/capo.h"
#include "interchange/chord_voice.h"
#include "interchange/measure_spread.h"
#include "interchange/musicxml_harmony.h"
#include "interchange/section_name.h"
#include "interchange/sheet_form.h"
#include "interchange/sheet_transposition.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

//! The longest chord name read as one; longer text in brackets is an annotation.
constexpr std::size_t kMaxChordBytes = 32;

//! The syllables of words, as their groups of vowels: enough to tell a word sung in passing from a phrase.
int Syllables(std::string_view words) {
    int syllables = 0;
    bool inVowels = false;
    for (const char c : words) {
        const bool vowel = std::string_view("aeiouyAEIOUY").find(c) != std::string_view::npos ||
                           static_cast<unsigned char>(c) >= 0x80;
        syllables += vowel && !inVowels ? 1 : 0;
        inVowels = vowel;
    }
    return syllables;
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool NameIs(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

//! Directives that only lay out the printed page: fonts, sizes, colours, columns, page breaks.
bool IsLayout(std::string_view name) {
    return name.ends_with("font") || name.ends_with("size") || name.ends_with("colour") ||
           name.ends_with("color") ||
           NameIs(name, {"new_page", "np", "new_physical_page", "npp", "column_break", "colb", "columns",
                         "col", "pagetype", "titles", "grid", "g", "no_grid", "ng", "diagrams", "sorttitle",
                         "sortartist"});
}

//! Metadata kept as a remark after the title, with its name.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kRemarkFields = {{
    {"subtitle", "Subtitle"},
    {"st", "Subtitle"},
    {"artist", "Artist"},
    {"lyricist", "Lyrics"},
    {"arranger", "Arranger"},
    {"album", "Album"},
    {"year", "Year"},
    {"copyright", "Copyright"},
    {"duration", "Duration"},
}};

bool IsBarToken(std::string_view token) {
    return !token.empty() &&
           std::all_of(token.begin(), token.end(), [](char c) { return c == '|' || c == ':' || c == '.'; }) &&
           token.find('|') != std::string_view::npos;
}

//! A directive's label: the value, or its label="…" attribute.
std::string LabelOf(std::string_view value) {
    const std::size_t label = value.find("label=\"");
    if (label == std::string_view::npos) {
        return OneLine(value);
    }
    const std::string_view rest = value.substr(label + 7);
    return OneLine(rest.substr(0, rest.find('"')));
}

//! The part of a file a start_of directive opens.
enum class Block { Song, Grid, Tab, Hidden };

class ChordProReader {
  public:
    ImportedSongs Read(std::string_view text) {
        NewSong();
        while (!text.empty()) {
            ++lineNumber_;
            ReadLine(TakeLine(text));
        }
        FinishSong();
        if (!layout_.empty()) {
            Remark({"the page layout (%1)", {layout_}});
        }
        if (!unknown_.empty()) {
            Remark({"the directives Kaz does not know (%1)", {unknown_}});
        }
        if (!unread_.empty()) {
            Remark({"chord names Kaz does not read, kept in the words (%1)", {unread_}});
        }
        if (result_.songs.empty()) {
            result_.error = Message("no chords found in the ChordPro file");
        }
        return std::move(result_);
    }

  private:
    void ReadLine(std::string_view line) {
        const std::string_view trimmed = Trimmed(line);
        if (trimmed.starts_with("{") && trimmed.ends_with("}")) {
            ReadDirective(trimmed.substr(1, trimmed.size() - 2));
        } else if (block_ == Block::Hidden) {
            // Music in another notation than chords.
        } else if (block_ == Block::Tab) {
            AddNotes(line);
        } else if (trimmed.starts_with("#")) {
            // A comment of the file itself, not of the song.
        } else if (block_ == Block::Grid) {
            ReadGridLine(trimmed);
        } else {
            ReadLyricLine(line);
        }
    }

    void ReadDirective(std::string_view directive) {
        const std::size_t colon = directive.find_first_of(": ");
        std::string name = Lowercase(Trimmed(directive.substr(0, colon)));
        const std::string_view rawValue =
            colon == std::string_view::npos ? std::string_view() : Trimmed(directive.substr(colon + 1));
        const std::string value = OneLine(rawValue);
        // A directive for one instrument or user ("textfont-piano") is read as for all.
        name = name.substr(0, name.find('-'));
        if (name == "meta") {
            const std::size_t space = value.find(' ');
            ReadDirective(value.substr(0, space) + ":" +
                          (space == std::string::npos ? "" : value.substr(space)));
        } else if (NameIs(name, {"new_song", "ns"})) {
            FinishSong();
            NewSong();
        } else if (NameIs(name, {"title", "t"})) {
            song_.title = value;
        } else if (name == "composer") {
            song_.composer += (song_.composer.empty() ? "" : ", ") + value;
        } else if (const auto field = std::find_if(kRemarkFields.begin(), kRemarkFields.end(),
                                                   [&](const auto& f) { return f.first == name; });
                   field != kRemarkFields.end()) {
            song_.notes.push_back(std::string(field->second) + ": " + value);
        } else if (name == "key") {
            ReadKey(value);
        } else if (name == "tempo") {
            ReadTempo(value);
        } else if (name == "time") {
            ReadMeter(value);
        } else if (name == "capo") {
            ReadCapo(value);
        } else if (NameIs(name, {"comment", "c", "comment_italic", "ci", "comment_box", "cb", "highlight"})) {
            ReadComment(value);
        } else if (name == "chorus") {
            RecallChorus(LabelOf(rawValue));
        } else if (name.starts_with("start_of_") || NameIs(name, {"soc", "sov", "sob", "sog", "sot"})) {
            StartBlock(name, LabelOf(rawValue));
        } else if (name.starts_with("end_of_") || NameIs(name, {"eoc", "eov", "eob", "eog", "eot"})) {
            EndBlock();
        } else if (NameIs(name, {"define", "chord"})) {
            Remark({"the chord diagrams ({%1})", {name}});
        } else if (IsLayout(name)) {
            AddName(layout_, layoutNames_, "{" + name + "}");
        } else if (!name.starts_with("x_")) {
            // Directives of other programs ("x_…") are theirs to read; any other is named once.
            AddName(unknown_, unknownNames_, "{" + name + "}");
        }
    }

    //! A comment that names a section ("Intro", "Verse 2:") opens it; any other is kept as a remark.
    void ReadComment(const std::string& value) {
        if (const std::optional<std::string> section = SectionWordName(value);
            section && pendingSection_.empty()) {
            pendingSection_ = *section;
        } else {
            AddNotes(value);
        }
    }

    void ReadKey(const std::string& value) {
        if (song_.measures.empty() && song_.key.empty()) {
            song_.key = value;
        } else {
            AddNotes("Key: " + value);
        }
    }

    void ReadTempo(const std::string& value) {
        int tempo = 0;
        std::from_chars(value.data(), value.data() + value.size(), tempo);
        if (tempo > 0 && song_.measures.empty() && song_.tempo == 0) {
            song_.tempo = tempo;
        } else if (tempo > 0) {
            AddNotes("Tempo " + std::to_string(tempo));
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
        if (numerator > 0 && numerator <= 256 && denominator > 0 && denominator <= 256) {
            pendingNumerator_ = numerator;
            pendingDenominator_ = denominator;
        }
    }

    // A ChordPro file writes the shapes a guitarist fingers; the chart keeps the capo and plays what sounds.
    void ReadCapo(const std::string& value) {
        const std::optional<int> fret = ReadCapoFret(value);
        if (fret && song_.capo == 0) {
            song_.capo = *fret;
            song_.notes.push_back("Capo " + value + ": the chords are written here as they sound");
        } else {
            song_.notes.push_back("Capo " + value + ": Kaz plays the chords as written");
        }
    }

    void StartBlock(const std::string& name, const std::string& label) {
        EndBlock();
        const std::string kind = name.starts_with("start_of_") ? name.substr(9) : name;
        if (NameIs(kind, {"tab", "sot", "textblock"})) {
            block_ = Block::Tab;
            return;
        }
        if (NameIs(kind, {"abc", "ly", "svg", "image"})) {
            block_ = Block::Hidden;
            Remark({"the %1 music in line %2", {kind, std::to_string(lineNumber_)}});
            return;
        }
        std::string section = NameIs(kind, {"chorus", "soc"})   ? "Chorus"
                              : NameIs(kind, {"verse", "sov"})  ? "Verse"
                              : NameIs(kind, {"bridge", "sob"}) ? "Bridge"
                                                                : ChartSectionName(kind).value_or("");
        if (NameIs(kind, {"grid", "sog"})) {
            block_ = Block::Grid;
            section.clear();
        }
        if (!label.empty()) {
            // A label the chart's section marks take names the section; any other is kept as a remark.
            if (const std::optional<std::string> named = ChartSectionName(label)) {
                section = *named;
            } else {
                AddNotes(label);
            }
        }
        pendingSection_ = section;
        if (section == "Chorus" || NameIs(kind, {"chorus", "soc"})) {
            chorusStart_ = song_.measures.size();
            chorusName_ = section;
            inChorus_ = true;
        }
    }

    void EndBlock() {
        if (inChorus_) {
            chorus_.assign(song_.measures.begin() + static_cast<std::ptrdiff_t>(chorusStart_),
                           song_.measures.end());
            inChorus_ = false;
        }
        block_ = Block::Song;
    }

    //! {chorus}: the chorus's chords once more, with its section mark.
    void RecallChorus(const std::string& label) {
        EndBlock();
        if (chorus_.empty()) {
            Remark({"{chorus} in line %1 before any chorus with chords", {std::to_string(lineNumber_)}});
            return;
        }
        if (!label.empty()) {
            AddNotes(label);
        }
        for (std::size_t i = 0; i < chorus_.size(); ++i) {
            SheetMeasure again = chorus_[i];
            again.notes.clear();
            if (i == 0) {
                again.section = chorusName_;
                again.notes = std::move(pendingNotes_);
                pendingNotes_.clear();
                again.startsLine = true;
            }
            song_.measures.push_back(std::move(again));
        }
    }

    //! A chord in brackets as the chart writes it, in the spelling Kaz plays; nothing for an annotation or
    //! a name Kaz cannot read, which stays in the lyrics.
    std::string ChordInBrackets(std::string_view text) {
        text = Trimmed(text);
        if (text.empty() || text.front() == '*' || text.size() > kMaxChordBytes) {
            return {};
        }
        std::string chord = ValidUtf8(text.substr(0, text.find_first_of(" \t|[]")));
        if (chord == "NC" || chord == "N.C" || chord == "N.C.") {
            return "N.C.";
        }
        // A song names the same few chords again and again.
        auto known = chords_.find(chord);
        if (known == chords_.end()) {
            known = chords_.emplace(chord, PlayedChord(chord)).first;
        }
        if (known->second.empty()) {
            AddName(unread_, unreadNames_, chord);
        }
        return known->second;
    }

    //! The chord Kaz plays for a chord name: the name itself, or its everyday spelling ("C(add9)" as
    //! "Cadd9"), or the nearest chord Kaz plays; nothing for a name it cannot read.
    std::string PlayedChord(const std::string& chord) {
        if (PlaysAsChord(chord)) {
            return chord;
        }
        HarmonyDescription description;
        if (!DescribeChord(chord, description) || description.kind == "other") {
            return {};
        }
        const WrittenChord played = WrittenChordOf(description);
        if (!played.described.empty()) {
            Remark({"what Kaz cannot play of the chord %1 (it plays %2)", {chord, played.symbol}});
        }
        return played.symbol;
    }

    //! A line of words with chords in brackets: each chord opens a measure, unless it stands over a syllable
    //! of a word or less before the next chord ("[G]a[D]way", "[G][D]"), a chord in passing that shares the
    //! next one's measure. A line of words alone is sung under the measures before it.
    void ReadLyricLine(std::string_view line) {
        std::string pickup;
        std::vector<std::pair<std::string, std::string>> placed;  // a chord and the words sung from it on
        std::size_t at = 0;
        while (at < line.size()) {
            std::string& words = placed.empty() ? pickup : placed.back().second;
            const std::size_t open = line.find('[', at);
            words += line.substr(at, open == std::string_view::npos ? std::string_view::npos : open - at);
            if (open == std::string_view::npos) {
                break;
            }
            const std::size_t close = line.find(']', open);
            if (close == std::string_view::npos) {
                words += line.substr(open);
                break;
            }
            const std::string_view inBrackets = line.substr(open + 1, close - open - 1);
            if (std::string chord = ChordInBrackets(inBrackets); !chord.empty()) {
                placed.emplace_back(std::move(chord), std::string());
            } else {
                words += "[" + std::string(inBrackets) + "]";
            }
            at = close + 1;
        }
        if (placed.empty()) {
            ReadWordsAlone(pickup);
            return;
        }
        startLine_ = true;
        // Chords without words are a line of measures like any other, one chord each; words longer than a
        // window takes are kept as remarks before them.
        const bool sung =
            line.size() <= kMaxRemarkCharacters &&
            std::any_of(placed.begin(), placed.end(), [](const auto& p) { return Syllables(p.second) > 0; });
        if (!sung) {
            std::string words = pickup;
            for (const auto& [chord, after] : placed) {
                words += after;
            }
            AddNotes(words);
        }
        bool sharing = false;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            auto& [chord, words] = placed[i];
            if (!sharing) {
                AddMeasure({});
                song_.measures.back().sung = sung;
            }
            SheetMeasure& measure = song_.measures.back();
            if (i == 0) {
                measure.pickup = std::move(pickup);
            }
            measure.chords.push_back(std::move(chord));
            sharing = sung && i + 1 < placed.size() && Syllables(words) <= 1 &&
                      words.find_first_of(" \t") == std::string::npos;
            measure.words.push_back(std::move(words));
        }
    }

    //! Words without chords: under the measures before them, or a remark before the song's first chord.
    void ReadWordsAlone(const std::string& words) {
        if (Trimmed(words).empty()) {
            return;
        }
        if (song_.measures.empty() || !pendingNotes_.empty() || !pendingSection_.empty()) {
            AddNotes(words);
            return;
        }
        song_.measures.back().lyricsAfter.push_back(OneLine(words));
    }

    //! A grid line: cells between bar lines, "." holding the chord before it; text before the first bar
    //! line names the section or is a remark, text after the last a remark.
    void ReadGridLine(std::string_view line) {
        startLine_ = true;
        std::vector<std::string> cells;
        std::string margin;
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
                if (!inside) {
                    ReadMargin(margin);
                    margin.clear();
                }
                if (inside && !cells.empty()) {
                    AddMeasure(GridChords(cells), token.starts_with(":"));
                }
                pendingRepeat_ = token.ends_with(":");
                cells.clear();
                inside = true;
            } else if (inside) {
                cells.emplace_back(token);
            } else {
                margin += (margin.empty() ? "" : " ") + std::string(token);
            }
        }
        // Cells after the last bar line are the line's remark.
        std::string after;
        for (const std::string& cell : cells) {
            after += (after.empty() ? "" : " ") + cell;
        }
        AddNotes(inside ? after : margin);
    }

    void ReadMargin(const std::string& margin) {
        if (const std::optional<std::string> section = ChartSectionName(margin)) {
            pendingSection_ = *section;
        } else {
            AddNotes(margin);
        }
    }

    std::vector<std::string> GridChords(const std::vector<std::string>& cells) {
        std::vector<PlacedChord> chords;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i] == "." || (cells[i] == "/" && i == 0)) {
                continue;
            }
            std::string chord =
                cells[i] == "/" || cells[i] == "%" || cells[i] == "%%" ? cells[i] : ChordInBrackets(cells[i]);
            if (!chord.empty()) {
                chords.push_back({static_cast<std::int64_t>(i), std::move(chord)});
            }
        }
        if (chords.empty() || chords.front().position != 0) {
            chords.insert(chords.begin(), {0, song_.measures.empty() ? "-" : "="});
        }
        return SpreadChords(chords, static_cast<std::int64_t>(cells.size()));
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

    void AddNotes(std::string_view text) {
        const std::vector<std::string> lines = RemarkLines(text);
        pendingNotes_.insert(pendingNotes_.end(), lines.begin(), lines.end());
    }

    void Remark(const Message& remark) {
        if (said_.insert(remark.English()).second) {
            result_.problems.push_back(remark);
        }
    }

    //! Add name to a list of names for one remark, each once, the first few only.
    static void AddName(std::string& list, std::set<std::string>& names, const std::string& name) {
        constexpr std::size_t kNamed = 12;
        if (names.size() <= kNamed && names.insert(name).second) {
            list += (list.empty() ? "" : ", ") + (names.size() > kNamed ? std::string("…") : name);
        }
    }

    void NewSong() {
        song_ = LeadSheet();
        block_ = Block::Song;
        chorus_.clear();
        inChorus_ = false;
    }

    void FinishSong() {
        EndBlock();
        if (song_.measures.empty()) {
            return;
        }
        song_.notes.insert(song_.notes.end(), pendingNotes_.begin(), pendingNotes_.end());
        pendingNotes_.clear();
        TransposeSheet(song_, song_.capo);
        for (const Message& remark : SettleForm(song_.measures)) {
            Remark(remark);
        }
        result_.songs.push_back(std::move(song_));
    }

    ImportedSongs result_;
    LeadSheet song_;
    std::vector<std::string> pendingNotes_;
    std::string pendingSection_;
    bool pendingRepeat_ = false;
    int pendingNumerator_ = 0;
    int pendingDenominator_ = 0;
    Block block_ = Block::Song;
    bool startLine_ = false;
    std::vector<SheetMeasure> chorus_;  //!< the last chorus's measures, which {chorus} plays again
    std::string chorusName_;
    std::size_t chorusStart_ = 0;
    bool inChorus_ = false;
    std::size_t lineNumber_ = 0;
    std::map<std::string, std::string> chords_;  //!< the chords met, and how the chart writes each
    std::set<std::string> said_;                 //!< the remarks made
    std::string layout_;                         //!< the layout directives met, named once each
    std::set<std::string> layoutNames_;
    std::string unknown_;  //!< the directives met that Kaz does not know
    std::set<std::string> unknownNames_;
    std::string unread_;  //!< the chord names met that Kaz does not read
    std::set<std::string> unreadNames_;
};

}  // namespace

ImportedSongs ReadChordPro(std::string_view text) {
    return ChordProReader().Read(text);
}

}  // namespace kaz
