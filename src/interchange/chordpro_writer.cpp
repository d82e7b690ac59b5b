#include "interchange/chordpro_writer.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "interchange/measure_spread.h"
#include "interchange/sheet_transposition.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

void AddDirective(std::string& text, std::string_view name, std::string_view value = {}) {
    text += "{";
    text += name;
    if (!value.empty()) {
        text += ": ";
        text += OneLine(value);
    }
    text += "}\n";
}

void AddComments(std::string& text, const std::vector<std::string>& notes) {
    for (const std::string& note : notes) {
        AddDirective(text, "comment", note);
    }
}

std::string MeterText(const SheetMeasure& measure) {
    return std::to_string(measure.meterNumerator) + "/" + std::to_string(measure.meterDenominator);
}

//! The block a section's sung lines stand in: ChordPro knows choruses, verses and bridges.
std::string_view BlockOf(std::string_view section) {
    if (section.starts_with("Chorus")) {
        return "chorus";
    }
    if (section.starts_with("Bridge")) {
        return "bridge";
    }
    return "verse";
}

//! A grid cell for a chord of the measure: a hold is a dot, a rest no chord; a strike again stays.
std::string GridCell(const std::string& chord, bool first) {
    if (chord == "=" || (chord == "/" && first)) {
        return ".";
    }
    if (chord == "-") {
        return "N.C.";
    }
    return chord;
}

//! The same music and words: a chorus sung again is only the same when every measure is.
bool SameMeasures(const std::vector<SheetMeasure>& measures, std::size_t a, std::size_t b,
                  std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const SheetMeasure& x = measures[a + i];
        const SheetMeasure& y = measures[b + i];
        if (x.chords != y.chords || x.meterNumerator != y.meterNumerator || x.repeatOpens != y.repeatOpens ||
            x.repeatCloses != y.repeatCloses || x.ending != y.ending || x.sung != y.sung ||
            x.words != y.words || x.pickup != y.pickup || x.lyricsAfter != y.lyricsAfter ||
            (i > 0 && (x.notes != y.notes || x.startsLine != y.startsLine))) {
            return false;
        }
    }
    return true;
}

//! The runs of measures from first to end that start a line of the sheet and are sung or not alike.
std::vector<std::pair<std::size_t, std::size_t>> Runs(const std::vector<SheetMeasure>& measures,
                                                      std::size_t first, std::size_t end) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t m = first; m < end; ++m) {
        if (runs.empty() ||
            (measures[m].startsLine && measures[m].sung != measures[runs.back().first].sung)) {
            runs.emplace_back(m, m);
        }
        runs.back().second = m + 1;
    }
    return runs;
}

//! Whether measure m starts a line of its own in the file.
bool StartsLine(const std::vector<SheetMeasure>& measures, std::size_t m, std::size_t first) {
    const SheetMeasure& measure = measures[m];
    return m == first || measure.startsLine || measure.meterNumerator > 0 || !measure.notes.empty() ||
           !measures[m - 1].lyricsAfter.empty();
}

//! What stands before a line: the comments, and the meter where it changes.
void AddLineOpening(std::string& text, const SheetMeasure& measure, bool withNotes) {
    if (withNotes) {
        AddComments(text, measure.notes);
    }
    if (measure.meterNumerator > 0) {
        AddDirective(text, "time", MeterText(measure));
    }
}

void AddWordsAlone(std::string& text, const SheetMeasure& measure) {
    for (const std::string& words : measure.lyricsAfter) {
        text += words + "\n";
    }
}

//! Sung lines: the words with each chord in brackets where it is sung, then the lines of words alone.
void AddSungLines(std::string& text, const std::vector<SheetMeasure>& measures, std::size_t first,
                  std::size_t end, bool withFirstNotes) {
    std::string line;
    const auto finish = [&] {
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        text += line + "\n";
        line.clear();
    };
    for (std::size_t m = first; m < end; ++m) {
        const SheetMeasure& measure = measures[m];
        if (StartsLine(measures, m, first)) {
            if (m > first) {
                finish();
                AddWordsAlone(text, measures[m - 1]);
            }
            AddLineOpening(text, measure, m > first || withFirstNotes);
            line = measure.pickup;
        }
        for (std::size_t c = 0; c < measure.chords.size(); ++c) {
            const std::string& chord = measure.chords[c];
            // A sign sings on under the chord before it.
            if (chord != "=" && chord != "/" && chord != "%") {
                line += "[" + chord + "]";
            }
            line += c < measure.words.size() ? measure.words[c] : std::string();
        }
    }
    finish();
    AddWordsAlone(text, measures[end - 1]);
}

//! Grid lines: a line of the chart each, with its repeat signs; a line of words alone under one ends the
//! grid for the words, and the grid goes on after them.
void AddGridLines(std::string& text, const std::vector<SheetMeasure>& measures, std::size_t first,
                  std::size_t end, std::string_view label, bool withFirstNotes) {
    std::string line;
    bool closed = false;  //!< the line's last bar line closes a repeat
    bool open = false;
    const auto finish = [&] {
        text += line + (closed ? "\n" : " |\n");
        line.clear();
    };
    for (std::size_t m = first; m < end; ++m) {
        const SheetMeasure& measure = measures[m];
        if (StartsLine(measures, m, first)) {
            if (m > first) {
                finish();
            }
            if (m > first && !measures[m - 1].lyricsAfter.empty()) {
                AddDirective(text, "end_of_grid");
                AddWordsAlone(text, measures[m - 1]);
                open = false;
            }
            AddLineOpening(text, measure, m > first || withFirstNotes);
            if (!open) {
                AddDirective(text, "start_of_grid",
                             m == first && !label.empty() ? "label=\"" + std::string(label) + "\"" : "");
                open = true;
            }
            line = measure.repeatOpens ? "|:" : "|";
        } else {
            line += measure.repeatOpens ? (closed ? ":" : " |:") : (closed ? "" : " |");
        }
        for (std::size_t c = 0; c < measure.chords.size(); ++c) {
            line += " " + GridCell(measure.chords[c], c == 0);
        }
        // An empty measure is silent.
        if (measure.chords.empty()) {
            line += " N.C.";
        }
        closed = measure.repeatCloses > 0;
        if (closed) {
            line += " :|";
        }
    }
    finish();
    AddDirective(text, "end_of_grid");
    AddWordsAlone(text, measures[end - 1]);
}

//! The measures of one section: its sung lines in a block named after it, its other lines as a grid.
void AddSection(std::string& text, const std::vector<SheetMeasure>& measures, std::size_t first,
                std::size_t end) {
    const std::string& name = measures[first].section;
    AddComments(text, measures[first].notes);
    bool labelled = name.empty();
    for (const auto& [from, to] : Runs(measures, first, end)) {
        const std::string_view label = labelled ? std::string_view() : std::string_view(name);
        if (!measures[from].sung) {
            AddGridLines(text, measures, from, to, label, from > first);
        } else if (!labelled) {
            const std::string block(BlockOf(name));
            AddDirective(text, "start_of_" + block, name);
            AddSungLines(text, measures, from, to, from > first);
            AddDirective(text, "end_of_" + block);
        } else {
            // Sung lines after a grid in one section stand outside a block: a block would start a section.
            AddSungLines(text, measures, from, to, from > first);
        }
        labelled = true;
    }
}

}  // namespace

std::string WriteChordPro(const LeadSheet& song) {
    // ChordPro files write the shapes a guitarist fingers with the capo on.
    LeadSheet sheet = song;
    if (sheet.capo > 0) {
        TransposeSheet(sheet, -sheet.capo);
    }
    std::string text;
    AddDirective(text, "title", sheet.title.empty() ? "Untitled" : sheet.title);
    if (!sheet.composer.empty()) {
        AddDirective(text, "composer", sheet.composer);
    }
    if (!sheet.key.empty()) {
        AddDirective(text, "key", sheet.key);
    }
    if (sheet.tempo > 0) {
        AddDirective(text, "tempo", std::to_string(sheet.tempo));
    }
    std::vector<SheetMeasure>& measures = sheet.measures;
    if (!measures.empty() && measures.front().meterNumerator > 0) {
        AddDirective(text, "time", MeterText(measures.front()));
        measures.front().meterNumerator = 0;
    }
    if (sheet.capo > 0) {
        AddDirective(text, "capo", std::to_string(sheet.capo));
    }
    AddComments(text, sheet.notes);
    std::optional<std::pair<std::size_t, std::size_t>> lastChorus;
    for (std::size_t first = 0; first < measures.size();) {
        std::size_t end = first + 1;
        while (end < measures.size() && measures[end].section.empty()) {
            ++end;
        }
        const std::string& name = measures[first].section;
        text += "\n";
        const bool chorus = BlockOf(name) == "chorus";
        if (chorus && lastChorus && lastChorus->second == end - first &&
            SameMeasures(measures, lastChorus->first, first, end - first) &&
            measures[first].section == measures[lastChorus->first].section) {
            AddComments(text, measures[first].notes);
            AddDirective(text, "chorus");
        } else {
            if (chorus) {
                lastChorus.emplace(first, end - first);
            }
            AddSection(text, measures, first, end);
        }
        first = end;
    }
    return text;
}

std::vector<Message> ChordProDifferences(const LeadSheet& sheet) {
    std::vector<Message> differences;
    if (!sheet.style.empty()) {
        differences.push_back({"the style %1, which ChordPro does not name", {sheet.style}});
    }
    const std::vector<SheetMeasure>& measures = sheet.measures;
    for (std::size_t m = 0; m < measures.size(); ++m) {
        const SheetMeasure& measure = measures[m];
        const std::string where = std::to_string(m + 1);
        if (!measure.ending.empty()) {
            AddOnce(differences, {"the ending %1 in measure %2", {measure.ending, where}});
        }
        if (measure.segno) {
            AddOnce(differences, {"the segno in measure %1", {where}});
        }
        if (measure.coda) {
            AddOnce(differences, {"the coda sign in measure %1", {where}});
        }
        if (!measure.jump.empty()) {
            AddOnce(differences, {"%1 in measure %2", {measure.jump, where}});
        }
        if (measure.repeatCloses > 2) {
            AddOnce(differences, {"the repeat played %1 times in measure %2",
                                  {std::to_string(measure.repeatCloses), where}});
        }
        // A grid places its chords in time and has no hold sign; a sung line places them in the words.
        const bool holds =
            std::find(measure.chords.begin(), measure.chords.end(), "=") != measure.chords.end();
        if (holds && (measure.sung || !HoldsComeBackInPlace(measure.chords))) {
            AddOnce(differences, {kHoldWrittenLonger, {where}});
        }
        if (measure.sung && (measure.repeatOpens || measure.repeatCloses > 0)) {
            AddOnce(differences, {"the repeat sign of the sung measure %1", {where}});
        }
        // Words place chords, not bar lines: a chord sung over more than a syllable opens a measure of its
        // own.
        for (std::size_t c = 0; measure.sung && c + 1 < measure.chords.size() && c < measure.words.size();
             ++c) {
            if (measure.words[c].find(' ') != std::string::npos) {
                AddOnce(differences,
                        {"the bar lines of the sung measure %1, whose chords are read back a measure "
                         "each",
                         {where}});
            }
        }
    }
    return differences;
}

}  // namespace kaz
