#include "interchange/chart_text_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "base/text_lines.h"
#include "chart/capo.h"
#include "chart/chart_layout.h"
#include "harmony/chord_analysis.h"
#include "harmony/musical_key.h"
#include "interchange/text_fields.h"
#include "style/style_library.h"

namespace kaz {

namespace {

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

//! A line that holds only bracket marks, such as the tempo or a section, does not end the header.
bool IsMarkLine(std::string_view line) {
    bool inMark = false;
    for (const char c : line) {
        if (c == '[') {
            inMark = true;
        } else if (c == ']') {
            inMark = false;
        } else if (!inMark && c != ' ' && c != '\t' && c != '\r') {
            return false;
        }
    }
    return true;
}

//! The header fields the import writes as comments: the title first, then the named fields, until the first
//! line of measures.
void ReadHeader(std::string_view text, LeadSheet& sheet, std::string& styleComment) {
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        if (line.empty() || line.front() != '#') {
            if (!IsMarkLine(line)) {
                return;
            }
            continue;
        }
        const std::string_view comment = Trimmed(line.substr(1));
        const auto field = [&](std::string_view name, std::string& into) {
            if (comment.starts_with(name) && into.empty()) {
                into = std::string(Trimmed(comment.substr(name.size())));
                return true;
            }
            return false;
        };
        std::string choruses;
        if (sheet.title.empty() && !comment.empty()) {
            sheet.title = std::string(comment);
        } else if (field("Composer:", sheet.composer) || field("Style:", styleComment) ||
                   field("Key:", sheet.key)) {
            continue;
        } else if (field("Choruses:", choruses)) {
            sheet.choruses = WholeNumber(choruses).value_or(0);
        }
    }
}

//! An ending's passes, kept as first << 16 | last, written "1." or "1.2.".
std::string EndingText(std::uint32_t passes) {
    std::string text;
    for (std::uint32_t pass = passes >> 16; pass <= (passes & 0xFFFFU); ++pass) {
        text += std::to_string(pass) + ".";
    }
    return text;
}

std::string JumpBackText(const char* jump, JumpUntil until) {
    switch (until) {
        case JumpUntil::Fine:
            return std::string(jump) + " al Fine";
        case JumpUntil::Coda:
            return std::string(jump) + " al Coda";
        case JumpUntil::End:
            break;
    }
    return jump;
}

//! The style a name plays, in lower case: a foreign name plays one of ours.
std::string StylePlayed(std::string_view name) {
    const std::string_view ours = StyleForForeignName(name);
    std::string played(ours == kBlockChordsStyle ? name : ours);
    for (char& c : played) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return played;
}

class CompiledChartReader {
  public:
    CompiledChartReader(const CompiledChart& chart, ChartReading& reading)
        : score_(chart.score), definitions_(*chart.chordDefinitions), reading_(reading) {}

    void Read(std::string_view text) {
        LeadSheet& sheet = reading_.sheet;
        std::string styleComment;
        ReadHeader(text, sheet, styleComment);
        sheet.tempo = score_.tempoGiven ? score_.scoreTempo : 0;
        ReadStyle(styleComment);
        ReadMeasures();
        ReadFormMarks();
        ReadLinesAndWords(text);
        if (sheet.key.empty() && !score_.keyMarks.empty()) {
            const MusicalKey key = KeyOfMark(score_.keyMarks.front(), score_.bLettersSeen);
            sheet.key = KeySpellings(key, kEnglishNotation)[static_cast<std::size_t>(key.tonic)] +
                        (key.minor ? "m" : "");
        }
        sheet.capo = CapoOfChart(text);
    }

  private:
    //! The song's style is the style mark at its start, named as other programs name it unless the header
    //! gives a name that plays the same style; a style that changes later is not carried.
    void ReadStyle(const std::string& styleComment) {
        LeadSheet& sheet = reading_.sheet;
        sheet.style = styleComment;
        for (const OpeningMark& mark : score_.styleMarks) {
            if (mark.slot == 0 && &mark == &score_.styleMarks.front()) {
                if (StylePlayed(styleComment) != StylePlayed(mark.name)) {
                    sheet.style = std::string(ForeignNameOfStyle(mark.name));
                }
            } else {
                reading_.dropped.push_back(
                    {"the change to the style %1 at measure %2", {mark.name, std::to_string(mark.slot + 1)}});
            }
        }
    }

    void ReadMeasures() {
        const MeasureSlots& slots = score_.measureSlots;
        int numerator = 4;
        int denominator = 4;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const Measure& measure = *slots[i];
            SheetMeasure sheetMeasure;
            if (measure.meterNum != numerator || measure.meterDen != denominator) {
                numerator = measure.meterNum;
                denominator = measure.meterDen;
                sheetMeasure.meterNumerator = numerator;
                sheetMeasure.meterDenominator = denominator;
            }
            if (IsTwoMeasureRepeat(i)) {
                sheetMeasure.chords = {"%%"};
                sheetSlots_.push_back(reading_.sheet.measures.size());
                ++i;
            } else if (measure.repeatEnd == 0) {
                sheetMeasure.chords = Chords(measure);
            } else if (i > 0 && slots[i - 1]->source == measure.source) {
                sheetMeasure.chords = {"%"};
            } else {
                // A sign that repeats several measures is written out measure by measure.
                sheetMeasure.chords = Chords(*measure.source);
            }
            sheetSlots_.push_back(reading_.sheet.measures.size());
            reading_.sheet.measures.push_back(std::move(sheetMeasure));
        }
    }

    //! Whether the slot and the next are the two measures of one "%%" sign, with no form mark in between.
    [[nodiscard]] bool IsTwoMeasureRepeat(std::size_t slot) const {
        const MeasureSlots& slots = score_.measureSlots;
        const auto adjacent = [&](std::size_t first) {
            return first + 1 < slots.size() && slots[first]->repeatEnd != 0 &&
                   slots[first + 1]->repeatStart == slots[first]->repeatEnd;
        };
        if (!adjacent(slot) || adjacent(slot + 1) || (slot > 0 && adjacent(slot - 1)) ||
            slots[slot + 1]->meterNum != slots[slot]->meterNum ||
            slots[slot + 1]->meterDen != slots[slot]->meterDen) {
            return false;
        }
        return std::none_of(score_.formMarks.begin(), score_.formMarks.end(), [&](const FormMark& mark) {
            return mark.slot == slot + 1 || (mark.slot == slot && mark.EndsMeasure());
        });
    }

    std::vector<std::string> Chords(const Measure& measure) {
        std::vector<std::string> chords;
        for (const Chord* chord : measure.chords) {
            chords.push_back(SheetChord(*chord));
        }
        return chords;
    }

    //! A note name in English notation, as the chart's notation reads it.
    [[nodiscard]] std::string EnglishName(std::string_view name) const {
        if (name == "H") {
            return "B";
        }
        if (name == "B" && score_.bLettersSeen == kGermanNotation) {
            return "Bb";
        }
        return std::string(name);
    }

    std::string SheetChord(const Chord& chord) {
        const std::string_view text = chord.text();
        if (text.empty() || text[0] == '-' || text[0] == '/' || text[0] == '=') {
            return std::string(text.substr(0, 1));
        }
        if (IsNoChord(text)) {
            return "N.C.";
        }
        std::string suffix(chord.suffix());
        if (definitions_.Find(text) != nullptr || definitions_.Find(suffix) != nullptr) {
            suffix = OwnChordSuffix(chord);
        }
        std::string written = EnglishName(chord.rootName) + suffix;
        if (!chord.bassName.empty()) {
            written += "/" + EnglishName(chord.bassName);
        }
        return written;
    }

    //! A chord shape of the chart's own has no place on a lead sheet: the chord keeps its name where the name
    //! is a suffix Kaz knows without it, and is otherwise written as its root.
    std::string OwnChordSuffix(const Chord& chord) {
        const std::string suffix(chord.suffix());
        ScoreTree scratch;
        Chord plain;
        const bool known =
            AnalyzeChord(plain, "C" + suffix, scratch, ChordDefinitions()) == ChordAnalysis::Ok;
        const std::string bass = chord.bassName.empty() ? std::string() : "/" + EnglishName(chord.bassName);
        AddOnce(reading_.dropped, {"the chart's own chord shape of %1, written as %2",
                                   {std::string(chord.text()),
                                    EnglishName(chord.rootName) + (known ? suffix : std::string()) + bass}});
        return known ? suffix : std::string();
    }

    void ReadFormMarks() {
        std::vector<SheetMeasure>& measures = reading_.sheet.measures;
        if (measures.empty()) {
            return;
        }
        // The slot a ":|" without its "|:" goes back to: the last ":|", the last section mark or the start.
        std::size_t passageStart = 0;
        bool repeatOpen = false;
        for (const FormMark& mark : score_.formMarks) {
            if (mark.slot >= sheetSlots_.size()) {
                continue;
            }
            SheetMeasure& measure = measures[sheetSlots_[mark.slot]];
            switch (mark.kind) {
                case FormMarkKind::RepeatOpen:
                    measure.repeatOpens = true;
                    repeatOpen = true;
                    break;
                case FormMarkKind::RepeatClose:
                    if (!repeatOpen) {
                        measures[sheetSlots_[passageStart]].repeatOpens = true;
                    }
                    measure.repeatCloses =
                        mark.value > 0 ? static_cast<int>(mark.value) : std::max(measure.repeatCloses, 2);
                    repeatOpen = false;
                    passageStart = std::min<std::size_t>(mark.slot + 1, sheetSlots_.size() - 1);
                    break;
                case FormMarkKind::Times:
                    measure.repeatCloses = static_cast<int>(mark.value);
                    break;
                case FormMarkKind::Ending:
                    measure.ending = EndingText(mark.value);
                    break;
                case FormMarkKind::Section:
                    measure.section = score_.sections[mark.value].name;
                    if (!repeatOpen) {
                        passageStart = mark.slot;
                    }
                    break;
                case FormMarkKind::Segno:
                    measure.segno = true;
                    break;
                case FormMarkKind::Coda:
                    measure.coda = true;
                    break;
                case FormMarkKind::ToCoda:
                    measure.jump = "TO CODA";
                    break;
                case FormMarkKind::Fine:
                    measure.jump = "FINE";
                    break;
                case FormMarkKind::DaCapo:
                    measure.jump = JumpBackText("D.C.", mark.until);
                    break;
                case FormMarkKind::DalSegno:
                    measure.jump = JumpBackText("D.S.", mark.until);
                    break;
            }
        }
    }

    //! Where the chart's lines of measures start, and the words sung: a chord written in a lyric line with
    //! the words after it (and the line's first with the words before it), a line of words alone after the
    //! line of measures above it.
    void ReadLinesAndWords(std::string_view text) {
        std::vector<SheetMeasure>& measures = reading_.sheet.measures;
        if (sheetSlots_.empty()) {
            return;
        }
        const ChartLayout layout = LayOutChart(score_, text, ChartSpelling());
        for (const ChartRow& row : layout.rows) {
            if (row.count == 0 || row.first + row.count > sheetSlots_.size()) {
                continue;
            }
            measures[sheetSlots_[row.first]].startsLine = true;
            for (std::uint32_t slot = row.first; row.wordsUnderChords && slot < row.first + row.count;
                 ++slot) {
                ReadWords(layout, slot, measures[sheetSlots_[slot]]);
            }
            const std::vector<std::string>& lines = row.lyrics;
            std::vector<std::string>& after = measures[sheetSlots_[row.first + row.count - 1]].lyricsAfter;
            after.insert(after.end(), lines.begin(), lines.end());
        }
    }

    //! The words of the chords of a measure written in a lyric line; blanks where a word ends.
    static void ReadWords(const ChartLayout& layout, std::uint32_t slot, SheetMeasure& measure) {
        const ChartMeasure& shown = layout.measures[slot];
        if (shown.repeatsPrevious || shown.chordCount != measure.chords.size()) {
            return;
        }
        measure.sung = true;
        measure.words.clear();
        for (std::uint32_t c = shown.firstChord; c < shown.firstChord + shown.chordCount; ++c) {
            const ChartChord& chord = layout.chords[c];
            std::string words = chord.words;
            if (!chord.pickup.empty()) {
                measure.pickup = chord.pickup + " ";
                words.erase(0, std::min(words.size(), chord.pickup.size() + 1));
            }
            measure.words.push_back(words.empty() || chord.wordGoesOn ? words : words + " ");
        }
    }

    const ScoreTree& score_;
    const ChordDefinitions& definitions_;
    ChartReading& reading_;
    std::vector<std::size_t> sheetSlots_;  //!< the sheet measure of every measure slot
};

}  // namespace

ChartReading ReadCompiledChart(const CompiledChart& chart) {
    ChartReading reading;
    CompiledChartReader(chart, reading).Read(chart.text);
    return reading;
}

}  // namespace kaz
