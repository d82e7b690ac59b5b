#include "chart/chart_layout.h"

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

#include "harmony/transposition.h"

namespace kaz {

namespace {

//! The heading a chart gives itself in its first line: "# Blues in F - a 12-bar blues".
void ReadHeading(std::string_view text, ChartLayout& layout) {
    // A line the program writes ("#kaz:capo=2") is no title.
    if (!text.starts_with('#') || text.starts_with("#kaz:")) {
        return;
    }
    std::string_view line = text.substr(1, text.find_first_of("\r\n") - 1);
    const auto trim = [](std::string_view part) {
        const std::size_t first = part.find_first_not_of(' ');
        const std::size_t last = part.find_last_not_of(' ');
        return first == std::string_view::npos ? std::string()
                                               : std::string(part.substr(first, last - first + 1));
    };
    const std::size_t dash = line.find(" - ");
    layout.title = trim(line.substr(0, dash));
    if (dash != std::string_view::npos) {
        layout.subtitle = trim(line.substr(dash + 3));
    }
}

}  // namespace

std::string ChartTitle(std::string_view text) {
    ChartLayout heading;
    ReadHeading(text, heading);
    return heading.title;
}

ChartChord ShowChord(const Chord& chord, const ChartSpelling& spelling) {
    ChartChord shown;
    shown.text = {chord.textStart, chord.textEnd};
    const std::string_view text = chord.text();
    if (text.empty() || text.front() == '-') {
        shown.kind = ChartChord::Kind::Rest;
        return shown;
    }
    if (text.front() == '/' || text.front() == '=') {
        shown.kind = ChartChord::Kind::Again;
        return shown;
    }
    // The name the chord is read by, as spelled for the part, and the tones its diagram sounds.
    const std::array<std::string, 12>* keyNames = spelling.NamesAt(chord.textStart);
    const std::string_view root = keyNames == nullptr
                                      ? chord.rootName.view()
                                      : (*keyNames)[MovedPitchClass(chord.rootPitch, spelling.shift)];
    const std::string_view bass = chord.bassName.empty() || keyNames == nullptr
                                      ? chord.bassName.view()
                                      : (*keyNames)[MovedPitchClass(chord.bassPitch, spelling.shift)];
    shown.name =
        std::string(root) + std::string(chord.suffix()) + (bass.empty() ? "" : "/" + std::string(bass));
    shown.tones = TonesOf(chord, keyNames == nullptr ? 0 : spelling.shift);
    if (spelling.numbers != ChordNumbers::Letters) {
        if (const ChartSpelling::KeyNames* key = spelling.KeyAt(chord.textStart)) {
            shown.symbol = NumberedChord(chord, key->concert, spelling.numbers);
            return shown;
        }
    }
    shown.symbol = DisplayChord(root, chord.suffix(), bass);
    return shown;
}

namespace {

std::string MeterText(const Measure& measure) {
    return std::to_string(measure.meterNum) + "/" + std::to_string(measure.meterDen);
}

void AddMeasure(const Measure& measure, const Measure* before, const ChartSpelling& spelling,
                ChartLayout& layout) {
    ChartMeasure shown;
    shown.firstChord = static_cast<std::uint32_t>(layout.chords.size());
    if (measure.repeatEnd != 0) {
        shown.repeatsPrevious = true;
        shown.text = {measure.repeatStart, measure.repeatEnd};
    } else {
        for (const Chord* chord : measure.chords) {
            layout.chords.push_back(ShowChord(*chord, spelling));
        }
        shown.chordCount = static_cast<std::uint32_t>(measure.chords.size());
        if (!measure.chords.empty()) {
            shown.text = {measure.chords.front()->textStart,
                          measure.chords[measure.chords.size() - 1]->textEnd};
        }
    }
    if (before == nullptr || before->meterNum != measure.meterNum || before->meterDen != measure.meterDen) {
        shown.meter = MeterText(measure);
    }
    layout.measures.push_back(std::move(shown));
}

void AddRows(const ScoreTree& score, ChartLayout& layout) {
    std::uint32_t first = 0;
    for (const ScoreLine& line : score.scoreLines) {
        const auto count = static_cast<std::uint32_t>(line.measures.size());
        const std::uint32_t perRow = count <= kMostMeasuresPerLine ? count : kMeasuresPerRow;
        for (std::uint32_t done = 0; done < count; done += perRow) {
            ChartRow& row = layout.rows.emplace_back();
            row.first = first + done;
            row.count = std::min(perRow, count - done);
        }
        first += count;
    }
}

//! "1.", "1.2.": the passes an ending is played on, as its bracket is labelled.
std::string EndingLabel(const FormMark& ending) {
    std::string label;
    for (std::uint32_t pass = ending.value >> 16; pass <= (ending.value & 0xFFFF); ++pass) {
        label += std::to_string(pass) + ".";
    }
    return label;
}

std::string DirectionOf(const FormMark& mark) {
    if (mark.kind == FormMarkKind::Fine) {
        return "Fine";
    }
    if (mark.kind == FormMarkKind::ToCoda) {
        return "To Coda";
    }
    const std::string jump = mark.kind == FormMarkKind::DaCapo ? "D.C." : "D.S.";
    return mark.until == JumpUntil::Fine   ? jump + " al Fine"
           : mark.until == JumpUntil::Coda ? jump + " al Coda"
                                           : jump;
}

//! The last measure of the row that holds measure.
std::uint32_t RowEnd(const ChartLayout& layout, std::uint32_t measure) {
    const auto row = std::upper_bound(layout.rows.begin(), layout.rows.end(), measure,
                                      [](std::uint32_t m, const ChartRow& r) { return m < r.first; });
    return row == layout.rows.begin() ? measure : std::prev(row)->first + std::prev(row)->count - 1;
}

//! The bracket of the ending marks[index] runs to the ":|" that takes it back to its repeat, or up to the
//! next ending, repeat or section; the last ending of a repeat, which goes on, at most to the end of its row.
void MarkEnding(const std::vector<FormMark>& marks, std::size_t index, ChartLayout& layout) {
    const FormMark& ending = marks[index];
    const std::uint32_t rowEnd = RowEnd(layout, ending.slot);
    std::uint32_t last = rowEnd;
    bool closes = false;
    for (std::size_t i = index + 1; i < marks.size(); ++i) {
        const FormMark& mark = marks[i];
        if (mark.kind == FormMarkKind::RepeatClose) {
            last = mark.slot;
            closes = true;
            break;
        }
        const bool opensAnother = mark.kind == FormMarkKind::Ending || mark.kind == FormMarkKind::Section ||
                                  mark.kind == FormMarkKind::RepeatOpen;
        if (opensAnother && mark.slot > ending.slot) {
            last = std::min(rowEnd, mark.slot - 1);
            break;
        }
    }
    layout.measures[ending.slot].ending = EndingLabel(ending);
    for (std::uint32_t slot = ending.slot; slot <= last; ++slot) {
        layout.measures[slot].inEnding = true;
    }
    layout.measures[last].endingCloses = closes;
}

void AddFormMark(const std::vector<FormMark>& marks, std::size_t index, ChartLayout& layout) {
    const FormMark& mark = marks[index];
    ChartMeasure& shown = layout.measures[mark.slot];
    switch (mark.kind) {
        case FormMarkKind::RepeatOpen:
            shown.start = BarLine::RepeatStart;
            break;
        case FormMarkKind::RepeatClose:
            shown.end = BarLine::RepeatEnd;
            shown.times = mark.value != 0 ? static_cast<int>(mark.value) : shown.times;
            break;
        case FormMarkKind::Times:
            shown.times = static_cast<int>(mark.value);
            break;
        case FormMarkKind::Ending:
            MarkEnding(marks, index, layout);
            break;
        case FormMarkKind::Segno:
            shown.segno = true;
            break;
        case FormMarkKind::Coda:
            shown.coda = true;
            break;
        case FormMarkKind::ToCoda:
        case FormMarkKind::Fine:
        case FormMarkKind::DaCapo:
        case FormMarkKind::DalSegno:
            shown.direction = DirectionOf(mark);
            break;
        case FormMarkKind::Section:
            break;
    }
}

//! The form's signs stand on the measures they belong to; section letters open their measure after a
//! double bar, and the chart ends with the final bar.
void AddMarks(const ScoreTree& score, ChartLayout& layout) {
    for (std::size_t i = 0; i < score.formMarks.size(); ++i) {
        if (score.formMarks[i].slot < layout.measures.size()) {
            AddFormMark(score.formMarks, i, layout);
        }
    }
    for (const OpeningMark& section : score.sections) {
        if (section.slot >= layout.measures.size()) {
            continue;
        }
        ChartMeasure& opened = layout.measures[section.slot];
        opened.section = section.name;
        if (section.slot > 0 && opened.start == BarLine::Single &&
            layout.measures[section.slot - 1].end == BarLine::Single) {
            layout.measures[section.slot - 1].end = BarLine::Double;
        }
    }
    if (!layout.measures.empty() && layout.measures.back().end == BarLine::Single) {
        layout.measures.back().end = BarLine::Final;
    }
}

//! The words of a lyric line between from and to, without the bar lines written among them, trimmed.
std::string WordsBetween(std::string_view line, std::size_t from, std::size_t to) {
    std::string words;
    for (char c : line.substr(from, to - from)) {
        if (c != '|' && (c != ' ' || (!words.empty() && words.back() != ' '))) {
            words += c;
        }
    }
    while (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

//! A lyric line with chords in it: each chord takes the words after its bracket, up to the next one; the
//! words before the first chord (a pickup) go with the first. chords are the line's, line starts at start.
void GiveWordsToChords(std::string_view line, int start, std::span<ChartChord> chords) {
    std::string pickup = WordsBetween(line, 1, line.find('['));
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const auto after = static_cast<std::size_t>(chords[i].text.end - start);
        const std::size_t close = line.find_first_not_of(" \t", after);
        // Chords sharing one bracket ("[C G]") sing nothing until the last of them.
        if (close == std::string_view::npos || line[close] != ']') {
            continue;
        }
        const std::size_t next = std::min(line.find('[', close), line.size());
        chords[i].words = WordsBetween(line, close + 1, next);
        chords[i].wordGoesOn = next < line.size() && next > close + 1 && line[next - 1] != ' ';
        if (!pickup.empty()) {
            chords[i].pickup = std::exchange(pickup, {});
            chords[i].words = chords[i].pickup + " " + chords[i].words;
        }
    }
}

//! The text offset where a row's measures end; 0 for a row of empty measures.
int RowTextEnd(const ChartLayout& layout, const ChartRow& row) {
    int end = 0;
    for (std::uint32_t m = row.first; m < row.first + row.count; ++m) {
        end = std::max(end, layout.measures[m].text.end);
    }
    return end;
}

//! The lyric lines of text (those that start with ">"): words of chords written in them go with those chords,
//! a line of words alone goes under the row of measures above it (or the first row, before any).
void AddLyrics(std::string_view text, ChartLayout& layout) {
    if (layout.rows.empty()) {
        return;
    }
    std::size_t rowAbove = 0;
    auto chord = layout.chords.begin();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const auto lineStart = static_cast<int>(start);
        const auto lineEnd = static_cast<int>(start + line.size());
        start = end + 1;
        if (!line.starts_with('>')) {
            continue;
        }
        chord = std::find_if(chord, layout.chords.end(),
                             [&](const ChartChord& c) { return c.text.start >= lineStart; });
        const auto past = std::find_if(chord, layout.chords.end(),
                                       [&](const ChartChord& c) { return c.text.start >= lineEnd; });
        while (rowAbove + 1 < layout.rows.size() && RowTextEnd(layout, layout.rows[rowAbove + 1]) != 0 &&
               RowTextEnd(layout, layout.rows[rowAbove + 1]) <= lineStart) {
            ++rowAbove;
        }
        if (chord == past) {
            layout.rows[rowAbove].lyrics.push_back(WordsBetween(line, 1, line.size()));
            continue;
        }
        GiveWordsToChords(line, lineStart, std::span<ChartChord>(chord, past));
        chord = past;
    }
    for (ChartRow& row : layout.rows) {
        for (std::uint32_t m = row.first; m < row.first + row.count; ++m) {
            const ChartMeasure& measure = layout.measures[m];
            for (std::uint32_t c = measure.firstChord; c < measure.firstChord + measure.chordCount; ++c) {
                row.wordsUnderChords = row.wordsUnderChords || !layout.chords[c].words.empty();
            }
        }
    }
}

}  // namespace

const ChartSpelling::KeyNames* ChartSpelling::KeyAt(std::int32_t offset) const {
    if (keys.empty()) {
        return nullptr;
    }
    const auto after = std::upper_bound(keys.begin() + 1, keys.end(), offset,
                                        [](std::int32_t at, const KeyNames& key) { return at < key.from; });
    return &*std::prev(after);
}

const std::array<std::string, 12>* ChartSpelling::NamesAt(std::int32_t offset) const {
    const KeyNames* key = moved ? KeyAt(offset) : nullptr;
    return key != nullptr ? &key->names : nullptr;
}

ChartSpelling SpellingFor(const ScoreTree& score, const Instrument& instrument) {
    return SpellingFor(score, ChartPart{instrument});
}

ChartSpelling SpellingFor(const ScoreTree& score, const ChartPart& part) {
    const bool concert = part.instrument.kind == Instrument::Kind::Concert;
    if (concert && part.capo == 0 && part.numbers == ChordNumbers::Letters) {
        return {};
    }
    ChartSpelling spelling;
    spelling.numbers = part.numbers;
    // A capo on fret n sounds n semitones above the shapes: the shapes are written that much lower.
    spelling.shift = MovedPitchClass(WrittenShift(part.instrument, KeyOfScore(score)) - part.capo, 0);
    spelling.moved = !concert || spelling.shift != 0;
    const auto addKey = [&](std::int32_t from, MusicalKey concert) {
        spelling.keys.push_back(
            {from, KeySpellings(MovedKey(concert, spelling.shift), score.bLettersSeen), concert});
    };
    if (score.keyMarks.empty()) {
        addKey(0, KeyOfChart(score.allChords));
    }
    for (const KeyMark& mark : score.keyMarks) {
        // The first key holds from the start: a chart names its key at its top, or before the chords in it.
        addKey(spelling.keys.empty() ? 0 : mark.textStart, KeyOfMark(mark, score.bLettersSeen));
    }
    return spelling;
}

std::string SungLine(const ChartLayout& layout, std::uint32_t slot, int pass) {
    const auto row = std::find_if(layout.rows.begin(), layout.rows.end(), [slot](const ChartRow& candidate) {
        return slot >= candidate.first && slot < candidate.first + candidate.count;
    });
    if (row == layout.rows.end() || row->LyricLineCount() == 0) {
        return {};
    }
    const std::size_t line =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(pass, 1)) - 1, row->LyricLineCount() - 1);
    if (!row->wordsUnderChords || line > 0) {
        return row->lyrics[line - (row->wordsUnderChords ? 1 : 0)];
    }
    std::string words;
    bool inWord = false;
    for (std::uint32_t measure = row->first; measure < row->first + row->count; ++measure) {
        const ChartMeasure& bar = layout.measures[measure];
        for (std::uint32_t i = 0; i < bar.chordCount; ++i) {
            const ChartChord& chord = layout.chords[bar.firstChord + i];
            if (!chord.words.empty()) {
                words += (words.empty() || inWord ? "" : " ") + chord.words;
                inWord = chord.wordGoesOn;
            }
        }
    }
    return words;
}

ChartLayout LayOutChart(const ScoreTree& score, std::string_view text, const ChartSpelling& spelling) {
    ChartLayout layout;
    ReadHeading(text, layout);
    layout.tempo = score.tempoGiven ? score.tempoMark.beats : 0;
    layout.tempoDotted = score.tempoGiven && score.tempoMark.dotted;
    layout.measures.reserve(score.measureSlots.size());
    layout.chords.reserve(score.allChords.size());
    const Measure* before = nullptr;
    for (const Measure* measure : score.measureSlots) {
        AddMeasure(*measure, before, spelling, layout);
        before = measure;
    }
    AddRows(score, layout);
    AddMarks(score, layout);
    AddLyrics(text, layout);
    return layout;
}

}  // namespace kaz
