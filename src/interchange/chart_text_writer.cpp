#include "interchange/chart_text_writer.h"

#include <algorithm>

#include "base/tempo.h"
#include "chart/capo.h"
#include "chart/notation_line.h"
#include "harmony/musical_key.h"
#include "harmony/notation.h"
#include "interchange/text_fields.h"
#include "style/style_library.h"

namespace kaz {

namespace {

constexpr int kMeasuresPerLine = 4;

void AddComment(std::string& text, const std::string& comment) {
    text += "# ";
    text += OneLine(comment);
    text += '\n';
}

void AddHeader(std::string& text, const LeadSheet& sheet) {
    const std::string title = OneLine(sheet.title);
    AddComment(text, title.empty() ? "Untitled" : title);
    if (!sheet.composer.empty()) {
        AddComment(text, "Composer: " + sheet.composer);
    }
    if (!sheet.style.empty()) {
        text += StyleLine(sheet.style);
        text += '\n';
    }
    if (!sheet.key.empty()) {
        AddComment(text, "Key: " + sheet.key);
        // The key the parts and the transposition spell by, when it reads as one.
        if (ReadWrittenKey(sheet.key)) {
            text += "[KEY=" + OneLine(sheet.key) + "]\n";
        }
    }
    if (sheet.choruses > 0) {
        AddComment(text, "Choruses: " + std::to_string(sheet.choruses));
    }
    for (const std::string& note : sheet.notes) {
        AddComment(text, note);
    }
    if (sheet.capo > 0) {
        text += std::string(kCapoLinePrefix) + std::to_string(sheet.capo) + "\n";
    }
    if (sheet.tempo >= kMinTempo && sheet.tempo <= kMaxTempo) {
        text += "[TEMPO=" + std::to_string(sheet.tempo) + "]\n";
    } else if (sheet.tempo != 0) {
        AddComment(text, "Tempo " + std::to_string(sheet.tempo) + " is outside " + std::to_string(kMinTempo) +
                             ".." + std::to_string(kMaxTempo) + " and is not set");
    }
}

//! The measure's marks, chords and closing marks, separated by single spaces.
std::string MeasureContent(const SheetMeasure& measure) {
    std::string content;
    const auto add = [&](const std::string& word) {
        if (!content.empty()) {
            content += ' ';
        }
        content += word;
    };
    if (!measure.section.empty()) {
        add("[" + measure.section + "]");
    }
    if (!measure.ending.empty()) {
        add("[" + measure.ending + "]");
    }
    if (measure.segno) {
        add("[SEGNO]");
    }
    if (measure.coda) {
        add("[CODA]");
    }
    if (measure.meterNumerator > 0) {
        add("[" + std::to_string(measure.meterNumerator) + "/" + std::to_string(measure.meterDenominator) +
            "]");
    }
    const bool marked = !content.empty() || !measure.jump.empty() || measure.repeatCloses > 2;
    if (measure.chords.empty() && marked) {
        add("-");
    }
    for (const std::string& chord : measure.chords) {
        add(chord);
    }
    if (!measure.jump.empty()) {
        add("[" + measure.jump + "]");
    }
    if (measure.repeatCloses > 2) {
        add("[x" + std::to_string(measure.repeatCloses) + "]");
    }
    return content;
}

int OpeningMarks(const SheetMeasure& measure) {
    return static_cast<int>(!measure.section.empty()) + static_cast<int>(!measure.ending.empty()) +
           static_cast<int>(measure.segno) + static_cast<int>(measure.coda) +
           static_cast<int>(measure.meterNumerator > 0);
}

int WrittenMeasures(const SheetMeasure& measure) {
    return measure.chords.size() == 1 && measure.chords.front() == "%%" ? 2 : 1;
}

//! A sung measure the chart writes in a lyric line: one of chords alone, with no form marks but a section or
//! a meter, which go on a line of their own before the words.
bool WrittenInWords(const SheetMeasure& measure) {
    const auto plain = [](const std::string& chord) {
        return !chord.empty() && chord.find_first_of("%/=") != 0 && chord != "-";
    };
    return measure.sung && !measure.chords.empty() &&
           std::all_of(measure.chords.begin(), measure.chords.end(), plain) &&
           measure.words.size() == measure.chords.size() && !measure.repeatOpens &&
           measure.repeatCloses == 0 && measure.jump.empty() && measure.ending.empty() && !measure.segno &&
           !measure.coda;
}

//! The measures of the sheet grouped into the chart's lines: a lyric line is one line, however long.
std::vector<std::vector<const SheetMeasure*>> Lines(const LeadSheet& sheet) {
    std::vector<std::vector<const SheetMeasure*>> lines;
    int filled = kMeasuresPerLine;
    for (const SheetMeasure& measure : sheet.measures) {
        const bool inWords = WrittenInWords(measure);
        const SheetMeasure* before = lines.empty() ? nullptr : lines.back().back();
        const bool apart =
            before == nullptr || WrittenInWords(*before) != inWords || !before->lyricsAfter.empty();
        if ((filled >= kMeasuresPerLine && !inWords) || apart || !measure.section.empty() ||
            measure.startsLine || (inWords && OpeningMarks(measure) > 0)) {
            lines.emplace_back();
            filled = 0;
        }
        lines.back().push_back(&measure);
        filled += WrittenMeasures(measure);
    }
    return lines;
}

std::string LineText(const std::vector<const SheetMeasure*>& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const SheetMeasure& measure = *line[i];
        const std::string content = MeasureContent(measure);
        if (measure.repeatOpens) {
            // A repeat that opens right where one closes is the one sign ":|:"; a bar line between the two
            // would be a measure of its own.
            text += i == 0 ? "|: " : line[i - 1]->repeatCloses > 0 ? ": " : " |: ";
        } else if (i > 0) {
            text += line[i - 1]->repeatCloses > 0 ? " " : " | ";
        } else if (content.empty() || OpeningMarks(measure) > 1) {
            // A line that starts with two marks would be a line of marks; the bar line keeps it a measure.
            text += "| ";
        }
        text += content;
        if (measure.repeatCloses > 0) {
            text += " :|";
        }
    }
    if (line.back()->repeatCloses == 0) {
        text += " |";
    }
    return std::string(Trimmed(text));
}

//! Words as a lyric line keeps them: brackets would be chords there, and bar lines would divide the measures
//! of a line with chords.
std::string LyricWords(std::string_view words, bool withChords) {
    std::string kept;
    for (const char c : words) {
        // Blanks around the chords are kept: "a[D]way" is sung as one word.
        kept += static_cast<unsigned char>(c) < 0x20 ? ' '
                : c == '['                           ? '('
                : c == ']'                           ? ')'
                : c == '|' && withChords             ? '/'
                                                     : c;
    }
    return kept;
}

//! A line of sung measures: its section or meter on a line of its own, then the words with the chords in
//! brackets where they are sung, and bar lines between the measures unless each has one chord.
std::string SungLineText(const std::vector<const SheetMeasure*>& line) {
    const SheetMeasure& first = *line.front();
    std::string text;
    if (!first.section.empty()) {
        text += "[" + first.section + "]";
    }
    if (first.meterNumerator > 0) {
        text +=
            "[" + std::to_string(first.meterNumerator) + "/" + std::to_string(first.meterDenominator) + "]";
    }
    if (!text.empty()) {
        text += '\n';
    }
    const bool barLines =
        std::any_of(line.begin(), line.end(), [](const SheetMeasure* m) { return m->chords.size() != 1; });
    text += ">" + LyricWords(first.pickup, true);
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (barLines && i > 0) {
            text.erase(text.find_last_not_of(' ') + 1);
            text += " | ";
        }
        for (std::size_t c = 0; c < line[i]->chords.size(); ++c) {
            text += "[" + line[i]->chords[c] + "]" + LyricWords(line[i]->words[c], true);
        }
    }
    return std::string(Trimmed(text)) + (barLines ? " |" : "");
}

//! The B spellings of a name written in English: a bare "B" or "Bb".
NotationMode EnglishBSpelling(std::string_view name) {
    return name.starts_with("Bb") ? kSpelledBb : name.starts_with('B') ? kSpelledB : 0;
}

NotationMode BSpellings(const LeadSheet& sheet) {
    NotationMode seen = EnglishBSpelling(sheet.key);
    for (const SheetMeasure& measure : sheet.measures) {
        for (const std::string& chord : measure.chords) {
            seen |= EnglishBSpelling(chord);
            const std::size_t slash = chord.rfind('/');
            if (slash != std::string::npos && slash + 1 < chord.size() && chord[slash + 1] != '9') {
                seen |= EnglishBSpelling(std::string_view(chord).substr(slash + 1));
            }
        }
    }
    return seen;
}

}  // namespace

std::string StyleLine(const std::string& style) {
    const std::string name = OneLine(style);
    const std::string_view ours = StyleForForeignName(name);
    if (ours == kBlockChordsStyle) {
        return "# Style: " + name;
    }
    return "# Style: " + name + "\n[STYLE=" + std::string(ours) + "]";
}

std::string WriteChartText(const LeadSheet& sheet) {
    std::string text;
    AddHeader(text, sheet);
    for (const auto& line : Lines(sheet)) {
        for (const SheetMeasure* measure : line) {
            for (const std::string& note : measure->notes) {
                AddComment(text, note);
            }
        }
        text += WrittenInWords(*line.front()) ? SungLineText(line) : LineText(line);
        text += '\n';
        for (const std::string& words : line.back()->lyricsAfter) {
            text += ">" + LyricWords(words, false) + "\n";
        }
    }
    // Its chords are written in English names: a "B" that no "Bb" explains is B natural under any setting.
    if (BSpellings(sheet) == kSpelledB) {
        text += std::string(kNotationLinePrefix) + std::string(NotationWord(kEnglishNotation)) + "\n";
    }
    return text;
}

}  // namespace kaz
