#include "chart/chart_layout.h"

#include <algorithm>

#include "harmony/transposition.h"

namespace kaz {

namespace {

//! The heading a chart gives itself in its first line: "# Blues in F - a 12-bar blues".
void ReadHeading(std::string_view text, ChartLayout& layout) {
    if (!text.starts_with('#') || text.starts_with(kInstrumentLinePrefix)) {
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
    if (!spelling.names) {
        shown.symbol = DisplayChord(chord.rootName, chord.suffix(), chord.bassName);
        return shown;
    }
    const auto& names = *spelling.names;
    const std::string_view bass =
        chord.bassName.empty() ? std::string_view() : names[MovedPitchClass(chord.bassPitch, spelling.shift)];
    shown.symbol =
        DisplayChord(names[MovedPitchClass(chord.rootPitch, spelling.shift)], chord.suffix(), bass);
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
            layout.rows.push_back({first + done, std::min(perRow, count - done)});
        }
        first += count;
    }
}

//! Section letters open their measure after a double bar; the chart ends with the final bar.
void AddMarks(const ScoreTree& score, ChartLayout& layout) {
    for (const OpeningMark& section : score.sections) {
        if (section.slot >= layout.measures.size()) {
            continue;
        }
        layout.measures[section.slot].section = section.name;
        if (section.slot > 0 && layout.measures[section.slot - 1].end == BarLine::Single) {
            layout.measures[section.slot - 1].end = BarLine::Double;
        }
    }
    if (!layout.measures.empty() && layout.measures.back().end == BarLine::Single) {
        layout.measures.back().end = BarLine::Final;
    }
}

}  // namespace

ChartSpelling SpellingFor(const ScoreTree& score, const Instrument& instrument) {
    if (instrument.kind == Instrument::Kind::Concert) {
        return {};
    }
    const MusicalKey concert = KeyOfChart(score.allChords);
    const int shift = WrittenShift(instrument, concert);
    const MusicalKey written{MovedPitchClass(concert.tonic, shift), concert.minor};
    return {shift, KeySpellings(written, score.bLettersSeen)};
}

ChartLayout LayOutChart(const ScoreTree& score, std::string_view text, const ChartSpelling& spelling) {
    ChartLayout layout;
    ReadHeading(text, layout);
    layout.tempo = score.tempoGiven ? score.scoreTempo : 0;
    layout.measures.reserve(score.measureSlots.size());
    layout.chords.reserve(score.allChords.size());
    const Measure* before = nullptr;
    for (const Measure* measure : score.measureSlots) {
        AddMeasure(*measure, before, spelling, layout);
        before = measure;
    }
    AddRows(score, layout);
    AddMarks(score, layout);
    return layout;
}

}  // namespace kaz
