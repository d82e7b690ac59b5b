#include "harmony/score_builder.h"

#include <algorithm>
#include <limits>
#include <string>

#include "base/language_messages.h"
#include "base/tempo.h"
#include "harmony/chord_analysis.h"
#include "harmony/form_mark_words.h"
#include "harmony/german_names.h"
#include "harmony/musical_key.h"
#include "harmony/spelling_hints.h"

namespace kaz {

namespace {

constexpr int kMinMeterPart = 1;
constexpr int kMaxMeterPart = 256;

std::string MeterText(int num, int den) {
    return std::to_string(num) + "/" + std::to_string(den);
}

// Counts of passes beyond this are as good as endless; keeping them small keeps every sum of them exact. A
// larger count is kept one above it, so that the form it is in plays more than any form may.
constexpr std::uint32_t kMaxPassNumber = 1'000'000;

//! The number at the front of text, capped; the digits read are dropped from text.
std::uint32_t TakeNumber(std::string_view& text) {
    std::uint32_t number = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        number = std::min(number * 10 + static_cast<std::uint32_t>(text.front() - '0'), kMaxPassNumber + 1);
        text.remove_prefix(1);
    }
    return number;
}

//! The passes of an ending written "1." or "1.2.", as first << 16 | last; 0 unless they are counted up
//! one by one from 1 or more.
std::uint32_t EndingPasses(std::string_view text) {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    while (!text.empty()) {
        const std::uint32_t pass = TakeNumber(text);
        text.remove_prefix(1);  // the '.'
        if (pass == 0 || pass > 0xFFFF || (first != 0 && pass != last + 1)) {
            return 0;
        }
        first = first == 0 ? pass : first;
        last = pass;
    }
    return first << 16 | last;
}

}  // namespace

ScoreBuilder::ScoreBuilder(ScoreTree& score, CompileContext& context, const ChordDefinitions& definitions)
    : score_(score), context_(context), definitions_(definitions), measureCount_(score.CountMeasures()) {}

Measure* ScoreBuilder::NewMeasure() {
    Measure& measure = score_.allMeasures.emplace_back();
    measure.ticks = score_.currentMeter.ticks;
    measure.meterNum = static_cast<std::int16_t>(score_.currentMeter.num);
    measure.meterDen = static_cast<std::int16_t>(score_.currentMeter.den);
    return &measure;
}

ScoreLine* ScoreBuilder::NewScoreLine() {
    return &score_.AddLine();
}

bool ScoreBuilder::AddChord(Measure& measure, std::string_view tokenText) {
    Chord& chord = score_.allChords.emplace_back();
    chord.textStart = context_.tokenStart;
    chord.textEnd = context_.tokenStart + context_.tokenLength;
    measure.chords.AddLast(score_.allChords);

    const ChordAnalysis result = AnalyzeChord(chord, tokenText, score_, definitions_, symbols_);
    if (result == ChordAnalysis::Ok) {
        HintAtChord(chord);
        return true;
    }
    if (result == ChordAnalysis::Unknown) {
        if (const std::optional<KeyInPlaceOfChord> key =
                KeyWrittenAsChord(context_.sourceText, static_cast<std::size_t>(chord.textStart),
                                  static_cast<std::size_t>(chord.textEnd))) {
            ReportError(context_, Message(messages::kKeyNameNotChord, {key->chord, key->chord}),
                        context_.sourceText.substr(key->start, key->end - key->start), context_.lineIndex + 1,
                        static_cast<int>(key->start), static_cast<int>(key->end));
            return false;
        }
    }
    const char* const message = result == ChordAnalysis::Ambiguous ? "B/Bb/H ambiguity" : "Unknown chord";
    ReportError(context_, message, tokenText, context_.lineIndex + 1, chord.textStart, chord.textEnd);
    return false;
}

void ScoreBuilder::HintAtChord(const Chord& chord) {
    // A chord the chart defines means what the chart says.
    if (!IsNoteLetter(chord.text().front()) ||
        (!definitions_.empty() &&
         (definitions_.Find(chord.text()) != nullptr || definitions_.Find(chord.suffix()) != nullptr))) {
        return;
    }
    if (std::optional<Message> hint = SpellingHint(chord)) {
        ReportHint(context_, std::move(*hint), chord.text(), context_.lineIndex + 1, chord.textStart,
                   chord.textEnd);
    }
}

void ScoreBuilder::AppendMeasure(ScoreLine& line, Measure& measure) {
    if (OnlyOpensTheNext(measure)) {
        return;
    }
    OpenStyleMarks();
    score_.AppendToLine(line, measure);
    ++measureCount_;
    score_.meterGiven = false;
    PlacePendingMarks(measure);
    StartNextMeasure();
}

bool ScoreBuilder::OnlyOpensTheNext(const Measure& measure) const {
    if (!measure.chords.empty() || measureMarkGiven_) {
        return false;
    }
    return openStyleMarks_ > 0 || openKeyMark_ ||
           std::any_of(pendingMarks_.begin(), pendingMarks_.end(), [](const FormMark& mark) {
               return mark.kind == FormMarkKind::Section || mark.kind == FormMarkKind::Ending ||
                      mark.kind == FormMarkKind::Segno || mark.kind == FormMarkKind::Coda;
           });
}

void ScoreBuilder::StartNextMeasure() {
    measureMarkGiven_ = false;
}

void ScoreBuilder::AppendNewMeasures(ScoreLine& line, int count) {
    OpenStyleMarks();
    for (int i = 0; i < count; ++i) {
        score_.AppendToLine(line, *NewMeasure());
    }
    measureCount_ += count;
    StartNextMeasure();
}

void ScoreBuilder::PadLine(ScoreLine& line, int front, int back) {
    if (front > 0) {
        // Made in order at the end, then moved to the front: slot 0 holds the first one made.
        const std::size_t lineStart = score_.measureSlots.size() - line.measures.size();
        AppendNewMeasures(line, front);
        score_.MoveToLineFront(line, static_cast<std::size_t>(front));
        // A style mark on the line's first measure moves along with it.
        for (OpeningMark& mark : score_.styleMarks) {
            if (mark.slot >= lineStart && mark.slot < score_.measureSlots.size() - front) {
                mark.slot += static_cast<std::uint32_t>(front);
            }
        }
    }
    if (back > 0) {
        AppendNewMeasures(line, back);
    }
}

void ScoreBuilder::AddRepeatMark() {
    score_.pendingRepeats.push_back({context_.tokenStart, context_.tokenStart + context_.tokenLength});
}

void ScoreBuilder::AppendRepeatMeasures(ScoreLine& line) {
    OpenStyleMarks();
    const auto count = static_cast<int>(score_.pendingRepeats.size());
    const int base = std::max(measureCount_ - count, 0);
    for (int i = 0; i < count; ++i) {
        Measure& repeat = *NewMeasure();
        score_.AppendToLine(line, repeat);
        ++measureCount_;
        PlacePendingMarks(repeat);
        // Before any measure the index reaches the repeat measure itself, which then repeats itself.
        const Measure* repeated = score_.MeasureAt(base + i, measureCount_);
        const Measure* source = repeated != nullptr ? repeated->source : &repeat;
        repeat.source = source;
        repeat.ticks = source->ticks;
        repeat.meterNum = source->meterNum;
        repeat.meterDen = source->meterDen;
        repeat.repeatStart = score_.pendingRepeats[static_cast<std::size_t>(i)].start;
        repeat.repeatEnd = score_.pendingRepeats[static_cast<std::size_t>(i)].end;
    }
    score_.pendingRepeats.clear();
    StartNextMeasure();
}

bool ScoreBuilder::SetMeter(int num, int den) {
    if (score_.meterGiven) {
        ReportAtBracket("Multiple meter", MeterText(num, den));
        return false;
    }
    if (num < kMinMeterPart || num > kMaxMeterPart || den < kMinMeterPart || den > kMaxMeterPart) {
        ReportAtBracket("Invalid meter", MeterText(num, den));
        return false;
    }
    score_.currentMeter = Meter{num, den, num * TICKS_PER_WHOLE / den};
    score_.meterGiven = true;
    measureMarkGiven_ = true;
    return true;
}

bool ScoreBuilder::SetTempo(int bpm, bool dotted) {
    const std::string written = std::to_string(bpm) + (dotted ? "." : "");
    if (score_.tempoGiven) {
        ReportAtBracket("Multiple tempo", written);
        return false;
    }
    // A dotted quarter is three eighths: the performance's quarter notes go half as fast again, to the
    // nearest whole one.
    const std::int64_t quarters = dotted ? (std::int64_t{bpm} * 3 + 1) / 2 : bpm;
    if (bpm < 0 || quarters < kMinTempo || quarters > kMaxTempo) {
        ReportAtBracket("Invalid tempo", written);
        return false;
    }
    score_.scoreTempo = static_cast<std::int32_t>(quarters);
    score_.tempoMark = {bpm, dotted};
    score_.tempoGiven = true;
    measureMarkGiven_ = true;
    return true;
}

void ScoreBuilder::AddCountMark() {
    measureMarkGiven_ = true;
}

void ScoreBuilder::EndMarkLine() {
    measureMarkGiven_ = false;
}

void ScoreBuilder::ReportAtMark(const char* message, std::string_view text, std::string_view bracket) {
    const auto start = static_cast<int>(bracket.data() - context_.sourceText.data());
    ReportError(context_, message, text, context_.lineIndex + 1, start,
                start + static_cast<int>(bracket.size()));
}

void ScoreBuilder::AddStyleMark(std::string_view lexeme) {
    std::string_view name = lexeme.substr(lexeme.find('=') + 1);
    const auto first = name.find_first_not_of(" \t");
    name = first == std::string_view::npos ? std::string_view()
                                           : name.substr(first, name.find_last_not_of(" \t") - first + 1);
    // No measure yet: a mark with none after it opens nothing.
    score_.styleMarks.push_back({std::string(name), std::numeric_limits<std::uint32_t>::max(),
                                 context_.bracketStart, context_.bracketEnd});
    ++openStyleMarks_;
}

bool ScoreBuilder::AddKeyMark(std::string_view lexeme) {
    std::string_view value = lexeme.substr(lexeme.find('=') + 1);
    value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
    value = value.substr(0, value.find_last_not_of(" \t") + 1);
    const std::optional<WrittenKey> key = ReadWrittenKey(value);
    if (!key) {
        ReportAtBracket(messages::kInvalidKey, value);
        return false;
    }
    KeyMark& mark = score_.keyMarks.emplace_back();
    mark.tonicName = NoteName(key->note.english);
    mark.minor = key->minor;
    mark.written = std::string(value.substr(0, key->note.length));
    mark.textStart = context_.bracketStart;
    mark.textEnd = context_.bracketEnd;
    mark.noteStart = static_cast<std::int32_t>(value.data() - context_.sourceText.data());
    score_.bLettersSeen |= SpellingOf(mark.tonicName);
    if (score_.bLettersSeen == (kSpelledB | kSpelledBb | kSpelledH)) {
        ReportAtBracket("B/Bb/H ambiguity", mark.written);
        return false;
    }
    openKeyMark_ = true;
    return true;
}

void ScoreBuilder::OpenStyleMarks() {
    openKeyMark_ = false;
    const auto slot = static_cast<std::uint32_t>(score_.measureSlots.size());
    for (std::size_t i = score_.styleMarks.size() - openStyleMarks_; i < score_.styleMarks.size(); ++i) {
        score_.styleMarks[i].slot = slot;
    }
    openStyleMarks_ = 0;
}

void ScoreBuilder::ReportAtBracket(const char* message, std::string_view text) {
    ReportError(context_, message, text, context_.lineIndex + 1, context_.bracketStart, context_.bracketEnd);
}

FormMark& ScoreBuilder::AddPendingMark(FormMarkKind kind, std::string_view text, std::string_view selected) {
    const auto offset = [this](std::string_view part) {
        return static_cast<std::int32_t>(part.data() - context_.sourceText.data());
    };
    FormMark& mark = pendingMarks_.emplace_back();
    mark.kind = kind;
    mark.textStart = offset(text);
    mark.textEnd = mark.textStart + static_cast<std::int32_t>(text.size());
    mark.selectionStart = offset(selected);
    mark.selectionEnd = mark.selectionStart + static_cast<std::int32_t>(selected.size());
    return mark;
}

void ScoreBuilder::PlacePendingMarks(const Measure& measure) {
    lastWritten_ = &measure;
    for (FormMark& mark : pendingMarks_) {
        mark.measure = &measure;
        score_.formMarks.push_back(mark);
    }
    pendingMarks_.clear();
}

bool ScoreBuilder::AddOpeningMark(std::string_view bracket) {
    const std::string_view text = MarkWord(bracket);
    const FormMarkKind kind = OpeningMarkKind(text);
    if (kind == FormMarkKind::Ending) {
        const std::uint32_t passes = EndingPasses(text);
        if (passes == 0) {
            ReportAtMark("Invalid ending", text, bracket);
            return false;
        }
        AddPendingMark(kind, text, bracket).value = passes;
        return true;
    }
    FormMark& mark = AddPendingMark(kind, text, bracket);
    if (kind == FormMarkKind::Section) {
        mark.value = static_cast<std::uint32_t>(score_.sections.size());
        score_.sections.push_back({std::string(text), 0, mark.selectionStart, mark.selectionEnd});
    }
    return true;
}

bool ScoreBuilder::AddClosingMark(std::string_view bracket) {
    const std::string_view text = MarkWord(bracket);
    const ClosingMarkMeaning meaning = ClosingMarkKind(text);
    std::uint32_t times = 0;
    if (meaning.kind == FormMarkKind::Times) {
        std::string_view digits = text.substr(1);
        times = TakeNumber(digits);
        if (times == 0) {
            ReportAtMark("Invalid repeat count", text, bracket);
            return false;
        }
    }
    FormMark& mark = AddPendingMark(meaning.kind, text, bracket);
    mark.until = meaning.until;
    mark.value = times;
    return true;
}

bool ScoreBuilder::EndLastMeasure() {
    const auto closing = std::stable_partition(pendingMarks_.begin(), pendingMarks_.end(),
                                               [](const FormMark& mark) { return !mark.EndsMeasure(); });
    if (closing == pendingMarks_.end()) {
        return true;
    }
    if (score_.measureSlots.empty()) {
        const FormMark& mark = *closing;
        const auto from = static_cast<std::size_t>(mark.textStart);
        ReportError(context_, "No measure before this mark",
                    context_.sourceText.substr(from, static_cast<std::size_t>(mark.textEnd) - from),
                    LineAt(context_.sourceText, mark.textStart), mark.selectionStart, mark.selectionEnd);
        return false;
    }
    for (auto mark = closing; mark != pendingMarks_.end(); ++mark) {
        mark->measure = score_.measureSlots.back();
        score_.formMarks.push_back(*mark);
    }
    pendingMarks_.erase(closing, pendingMarks_.end());
    return true;
}

void ScoreBuilder::OpenRepeat(int start, int length) {
    const std::string_view sign =
        context_.sourceText.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    AddPendingMark(FormMarkKind::RepeatOpen, sign, sign);
}

bool ScoreBuilder::CloseRepeat(int start, int length, std::string_view times) {
    const std::string_view sign =
        context_.sourceText.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    FormMark mark;
    mark.kind = FormMarkKind::RepeatClose;
    mark.textStart = mark.selectionStart = start;
    mark.textEnd = mark.selectionEnd = start + length;
    if (!times.empty()) {
        std::string_view digits = times.substr(1);
        mark.value = TakeNumber(digits);
        if (mark.value == 0) {
            ReportError(context_, "Invalid repeat count", times, context_.lineIndex + 1, start,
                        start + length);
            return false;
        }
    }
    if (lastWritten_ == nullptr) {
        ReportError(context_, "Nothing to repeat", sign, context_.lineIndex + 1, start, start + length);
        return false;
    }
    mark.measure = lastWritten_;
    score_.formMarks.push_back(mark);
    return true;
}

bool ScoreBuilder::FinishForm() {
    if (pendingMarks_.empty()) {
        return true;
    }
    const FormMark& mark = pendingMarks_.front();
    const auto from = static_cast<std::size_t>(mark.textStart);
    ReportError(context_, "No measure after this mark",
                context_.sourceText.substr(from, static_cast<std::size_t>(mark.textEnd) - from),
                LineAt(context_.sourceText, mark.textStart), mark.selectionStart, mark.selectionEnd);
    return false;
}

}  // namespace kaz
