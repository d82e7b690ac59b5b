#include "render/arrangement_renderer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/midi_bytes.h"
#include "render/count_in.h"
#include "render/style_map.h"
#include "render/style_performer.h"

namespace kaz {

namespace {

constexpr std::int32_t kNoteTag = 0;
// The intro of the song's last bars: four of them, in a song of at least twice as many.
constexpr std::size_t kIntroBars = 4;

//! Resolve how the chart spells B, store it back for transposition, and correct German charts.
void ResolveBNotation(ScoreTree& score, NotationMode setting) {
    score.bLettersSeen = ResolveNotation(score.bLettersSeen, setting);
    // The analysis read every "B" as B natural; in German it is B flat.
    if (score.bLettersSeen == kGermanNotation) {
        LowerGermanBChords(score);
    }
}

//! Where a played measure stands: what it plays and what follows it.
struct MeasureTurn {
    const Style* style = nullptr;
    bool fill = false;      //!< the last measure of a section, of a style, or of the song
    bool fillNext = false;  //!< the measure after it is a fill
    bool opensSection = false;
    bool last = false;      //!< the last measure of the song
    bool light = false;     //!< in the song's opening, which the band plays lighter
    std::int32_t lift = 0;  //!< how far the band has built up (see StylePerformer::MeasureCue)
};

class Renderer {
  public:
    Renderer(const RenderSettings& settings, std::int32_t tempo, EventList& events)
        : parts_(settings.parts), style_(settings.style), tempo_(tempo), events_(events) {
        programs_.fill(-1);
        pans_.fill(-1);
        reverbs_.fill(-1);
    }

    //! Where the performance ends: after its last measure, or after the held last chord of a style's ending.
    [[nodiscard]] Ticks End() const { return std::max(static_cast<Ticks>(sum_), styleEnd_); }

    //! The instruments the performance starts with.
    void EmitFirstPrograms(const Style* style) { EmitPrograms(style, 0); }

    //! Play one measure slot from time sum. False when the slot would end past the last tick a song can
    //! reach, so the performance ends before it.
    bool PlayMeasure(const Measure& slot, const MeasureTurn& turn) {
        const Measure& source = *slot.source;
        if (sum_ + source.ticks > std::numeric_limits<Ticks>::max()) {
            return false;
        }
        const auto start = static_cast<Ticks>(sum_);
        if (turn.style != nullptr) {
            PlayStyledMeasure(slot, turn, start);
        } else {
            StopStyle(start);
            // Every event of this measure and the ones after it comes at its start or later.
            events_.Advance(start);
            EmitMeasureMarks(slot, start);
            PlayChords(source, start, &slot == &source);
        }
        sum_ += source.ticks;
        return true;
    }

    //! A measure of clicks in the meter of first before the song, the band's count-in.
    void CountIn(const Measure& first) {
        AddCountIn(events_, first.meterNum, first.meterDen, first.ticks, first.ticks);
        sum_ += first.ticks;
    }

    //! End the style's last notes.
    void Finish() {
        if (performer_) {
            styleEnd_ = std::max(styleEnd_, performer_->Finish());
        }
    }

  private:
    void EmitMeasureMarks(const Measure& slot, Ticks start) {
        if (slot.repeatEnd != 0) {
            events_.AddHighlight(slot.repeatStart, slot.repeatEnd, start);
        }
        EmitMeterChange(*slot.source, start);
    }

    void EmitMeterChange(const Measure& source, Ticks start) {
        if (source.meterNum == meterNum_ && source.meterDen == meterDen_) {
            return;
        }
        meterNum_ = source.meterNum;
        meterDen_ = source.meterDen;
        events_.AddEvent(MidiEvent::TimeSignature(start, meterNum_, meterDen_));
    }

    //! Choose each part's instrument and place in the mix: the style's parts, or the block chords' two
    //! voices.
    void EmitPrograms(const Style* style, Ticks time) {
        if (style == nullptr) {
            // The block chords: both programs always, as the user or the defaults set them, and a pan only
            // where the user has placed the voice.
            for (const std::string_view id : {"comping", "bass"}) {
                const Part& part = parts_[id];
                EmitProgram(part.channel, parts_.Program(id), time);
            }
            for (const std::string_view id : {"comping", "bass"}) {
                if (const Part& part = parts_[id]; part.pan) {
                    EmitControl(pans_, part.channel, kPanController, *part.pan, time);
                }
            }
            return;
        }
        for (const StyleVoice& voice : style->voices) {
            EmitPart(voice.part, voice.program, time);
        }
        if (HasDrums(*style)) {
            EmitPart("drums", static_cast<std::uint8_t>(style->kit), time);
        }
    }

    static bool HasDrums(const Style& style) {
        return std::any_of(style.meters.begin(), style.meters.end(), [](const MeterPattern& meter) {
            return std::any_of(meter.rows.begin(), meter.rows.end(),
                               [](const PatternRow& row) { return row.part == StylePart::Drums; });
        });
    }

    //! A style's part: its instrument, pan and room, unless the mixer keeps it silent.
    void EmitPart(std::string_view id, std::uint8_t styleProgram, Ticks time) {
        const Part& part = parts_[id];
        const std::uint8_t program = id == "drums" ? styleProgram : part.program.value_or(styleProgram);
        if (!parts_.Plays(id, program)) {
            return;
        }
        const PartDefaults& defaults = *PartDefaultsOf(id);
        EmitProgram(part.channel, program, time);
        EmitControl(pans_, part.channel, kPanController, part.pan.value_or(defaults.pan), time);
        EmitControl(reverbs_, part.channel, kReverbController, defaults.reverb, time);
    }

    void EmitProgram(std::uint8_t channel, std::uint8_t program, Ticks time) {
        if (programs_[channel] != program) {
            events_.AddEvent(MidiEvent::ProgramChange(time, channel, program));
            programs_[channel] = program;
        }
    }

    void EmitControl(std::array<std::int32_t, kMidiChannels>& values, std::uint8_t channel,
                     std::uint8_t controller, std::uint8_t value, Ticks time) {
        if (values[channel] != value) {
            events_.AddEvent(MidiEvent::ControlChange(time, channel, controller, value));
            values[channel] = value;
        }
    }

    void PlayChords(const Measure& source, Ticks start, bool highlightChords) {
        const auto count = static_cast<std::int64_t>(source.chords.size());
        if (count == 0) {
            events_.ReleaseNoteOffs(kNoteTag);
            if (source.repeatEnd == 0) {
                events_.AddHighlight(0, 0, start);
            }
            return;
        }
        const Ticks slotTicks = static_cast<Ticks>(source.ticks / count);
        // Every note of the measure sounds nine tenths of its slot.
        const auto sounding = static_cast<Ticks>(slotTicks * 0.9);
        for (std::int64_t j = 0; j < count; ++j) {
            const Chord& chord = *source.chords[static_cast<std::size_t>(j)];
            const Ticks strike = ChordStart(source, start, j);
            if (highlightChords) {
                events_.AddHighlight(chord.textStart, chord.textEnd, strike);
            }
            if (chord.text().starts_with('=')) {
                events_.RetimeNoteOffs(kNoteTag, strike + sounding);
            } else {
                Strike(chord, strike, strike + sounding);
            }
        }
    }

    //! Where chord j of source begins in a measure from start.
    static Ticks ChordStart(const Measure& source, Ticks start, std::int64_t j) {
        // The product first, so the slots absorb the remainder of the division.
        return static_cast<Ticks>(start + source.ticks * j / static_cast<std::int64_t>(source.chords.size()));
    }

    void Strike(const Chord& chord, Ticks on, Ticks off) {
        events_.ReleaseNoteOffs(kNoteTag);
        if (chord.noteCount == 0) {
            return;
        }
        // notes[0] is the bass key, the rest the chord voice; the bass sounds first.
        const std::span<const std::int8_t> keys(chord.notes, static_cast<std::size_t>(chord.noteCount));
        if (parts_.Plays("bass", parts_.Program("bass"))) {
            events_.AddNotes(kNoteTag, parts_["bass"].channel, parts_.Volume("bass"), keys.first(1), on, off);
        }
        if (parts_.Plays("comping", parts_.Program("comping"))) {
            events_.AddNotes(kNoteTag, parts_["comping"].channel, parts_.Volume("comping"), keys.subspan(1),
                             on, off);
        }
    }

    StylePerformer& Performer() {
        if (!performer_) {
            events_.ReleaseNoteOffs(kNoteTag);
            performer_.emplace(BandSettings{style_.seed, style_.feel, style_.swing, parts_}, tempo_, events_);
        }
        return *performer_;
    }

    void StopStyle(Ticks time) {
        if (performer_) {
            styleEnd_ = std::max(styleEnd_, performer_->Finish());
            performer_.reset();
            EmitPrograms(nullptr, time);
        }
        lastStyle_ = nullptr;
    }

    void PlayStyledMeasure(const Measure& slot, const MeasureTurn& turn, Ticks start) {
        const Measure& source = *slot.source;
        if (turn.style != lastStyle_) {
            StopStyle(start);
            EmitPrograms(turn.style, start);
            lastStyle_ = turn.style;
            round_ = 0;
        } else if (turn.opensSection) {
            round_ = 0;
        }
        StylePerformer& performer = Performer();
        events_.Advance(performer.Settled());
        EmitMeasureMarks(slot, start);
        const bool sounds = std::any_of(source.chords.begin(), source.chords.end(),
                                        [](const Chord* chord) { return chord->noteCount > 0; });
        performer.StartMeasure({turn.style, &source, start, round_++, turn.fill, turn.fillNext, sounds,
                                turn.last, turn.light, turn.lift});
        const auto count = static_cast<std::int64_t>(source.chords.size());
        if (count == 0 && source.repeatEnd == 0) {
            events_.AddHighlight(0, 0, start);
        }
        for (std::int64_t j = 0; j < count; ++j) {
            const Chord& chord = *source.chords[static_cast<std::size_t>(j)];
            const Ticks strike = ChordStart(source, start, j);
            if (&slot == &source) {
                events_.AddHighlight(chord.textStart, chord.textEnd, strike);
            }
            performer.PlayChord(chord, strike, ChordStart(source, start, j + 1));
        }
        if (count == 0) {
            performer.PlayRest(start);
        }
    }

    const BandParts& parts_;
    const StyleSettings& style_;
    std::int32_t tempo_;
    EventList& events_;
    std::optional<StylePerformer> performer_;
    const Style* lastStyle_ = nullptr;
    std::uint32_t round_ = 0;
    std::int64_t sum_ = 0;
    // No meter emitted yet, so the first measure always writes one.
    std::int32_t meterNum_ = 0;
    std::int32_t meterDen_ = 0;
    Ticks styleEnd_ = 0;  //!< where the last style's performance rang to
    // By channel; none sent yet (-1), so the first programs are always written.
    std::array<std::int32_t, kMidiChannels> programs_{};
    std::array<std::int32_t, kMidiChannels> pans_{};
    std::array<std::int32_t, kMidiChannels> reverbs_{};
};

//! Whether the measure played i-th ends a section, a style or the song, so the drums fill.
bool IsFill(const PlayOrder& order, const StyleMap& styles, std::size_t i) {
    return i + 1 == order.size() || styles.OpensSection(order[i + 1].slot) ||
           styles.At(order[i + 1].slot) != styles.At(order[i].slot);
}

//! How many measures the band's lighter opening lasts: the first sections of the song up to the first one of
//! another name (the two A sections of an AABA tune), or, for a song without sections, its first time through
//! when the form plays it again, else its first quarter. None in a song of fewer than sixteen measures.
std::size_t OpeningLength(const ScoreTree& score) {
    const PlayOrder& order = score.playOrder;
    if (order.size() < 16) {
        return 0;
    }
    const std::size_t most = order.size() / 2;
    if (!score.sections.empty()) {
        std::vector<std::pair<std::uint32_t, std::string_view>> opens;
        for (const OpeningMark& section : score.sections) {
            opens.emplace_back(section.slot, section.name);
        }
        std::sort(opens.begin(), opens.end());
        std::string_view first;
        for (std::size_t i = 0; i < most; ++i) {
            const auto found = std::lower_bound(
                opens.begin(), opens.end(), std::pair<std::uint32_t, std::string_view>(order[i].slot, {}));
            if (found == opens.end() || found->first != order[i].slot) {
                continue;
            }
            if (first.empty()) {
                first = found->second;
            } else if (found->second != first) {
                return i;
            }
        }
        return order.size() / 4;
    }
    for (std::size_t i = 0; i < most; ++i) {
        if (order[i].pass > 1) {
            return i;
        }
    }
    return order.size() / 4;
}

//! How far the band builds up in each played measure: a step for each time the form has gone round (a
//! chorus played again), up to two, and one more in a section of another name than the song's home section,
//! the one of most measures (the bridge of an AABA tune, a pop song's chorus after its verses).
class BuildUp {
  public:
    explicit BuildUp(const ScoreTree& score) : sections_(score.sections) {
        // Sections are in text order, so their slots rise.
        std::map<std::string_view, std::size_t> measures;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const std::size_t end =
                i + 1 < sections_.size() ? sections_[i + 1].slot : score.measureSlots.size();
            measures[sections_[i].name] += end - std::min<std::size_t>(sections_[i].slot, end);
        }
        std::size_t most = 0;
        for (const OpeningMark& section : sections_) {
            if (measures[section.name] > most) {
                most = measures[section.name];
                home_ = section.name;
            }
        }
    }

    [[nodiscard]] std::int32_t LiftAt(const PlayedMeasure& played) const {
        constexpr std::uint32_t kMostChorusSteps = 2;
        auto lift = static_cast<std::int32_t>(std::min(played.pass, kMostChorusSteps + 1) - 1);
        const auto after = std::upper_bound(
            sections_.begin(), sections_.end(), played.slot,
            [](std::uint32_t slot, const OpeningMark& section) { return slot < section.slot; });
        if (after != sections_.begin() && std::prev(after)->name != home_) {
            ++lift;
        }
        return lift;
    }

  private:
    const std::vector<OpeningMark>& sections_;
    std::string_view home_;
};

//! Play the intro the settings ask for, when a style opens the song, and note its length in score; true when
//! one was played. The last bars play lighter, their drummer fills into the top.
bool PlayIntro(ScoreTree& score, Intro intro, const StyleMap& styles, Renderer& renderer) {
    const PlayOrder& order = score.playOrder;
    if (intro == Intro::None || styles.Empty() || order.empty() || styles.At(order.front().slot) == nullptr) {
        return false;
    }
    if (intro == Intro::CountIn) {
        const Measure& first = *score.Slot(order.front()).source;
        score.intro = {first.ticks, 0};
        renderer.CountIn(first);
        return true;
    }
    if (order.size() < 2 * kIntroBars) {
        return false;
    }
    const std::size_t from = order.size() - kIntroBars;
    // Known before the first event goes out, for a listener that places the measures as they come.
    for (std::size_t i = from; i < order.size(); ++i) {
        score.intro.ticks += score.Slot(order[i]).source->ticks;
    }
    score.intro.fromMeasure = static_cast<std::uint32_t>(from + 1);
    for (std::size_t i = from; i < order.size(); ++i) {
        MeasureTurn turn;
        turn.style = styles.At(order[i].slot);
        turn.opensSection = i == from;
        turn.fill = i + 1 == order.size();
        turn.fillNext = i + 2 == order.size();
        turn.light = true;
        if (!renderer.PlayMeasure(score.Slot(order[i]), turn)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::int32_t PerformanceTempo(const ScoreTree& score, const RenderSettings& settings) {
    const bool markHeld = settings.heldTempoMark == score.scoreTempo;
    return score.tempoGiven && !markHeld ? score.scoreTempo : settings.transportTempo;
}

bool RenderArrangement(ScoreTree& score, const RenderSettings& settings, EventList& events) {
    events.notesAdded = false;
    const std::int32_t tempo = PerformanceTempo(score, settings);
    events.AddEvent(MidiEvent::Tempo(0, tempo));
    const StyleMap styles(score, settings.style);
    const auto& order = score.playOrder;
    Renderer renderer(settings, tempo, events);
    renderer.EmitFirstPrograms(styles.Empty() || order.empty() ? nullptr : styles.At(order.front().slot));
    ResolveBNotation(score, settings.notation);
    score.intro = {};

    const bool introPlayed = PlayIntro(score, settings.style.intro, styles, renderer);
    const std::size_t opening = styles.Empty() ? 0 : OpeningLength(score);
    const BuildUp buildUp(score);
    for (std::size_t i = 0; i < order.size(); ++i) {
        MeasureTurn turn;
        if (!styles.Empty()) {
            turn.style = styles.At(order[i].slot);
            // After an intro the song starts its patterns afresh.
            turn.opensSection = styles.OpensSection(order[i].slot) || (i == 0 && introPlayed);
            turn.last = i + 1 == order.size();
            turn.fill = IsFill(order, styles, i);
            turn.fillNext = i + 1 < order.size() && IsFill(order, styles, i + 1);
            turn.light = i < opening;
            turn.lift = buildUp.LiftAt(order[i]);
        }
        if (!renderer.PlayMeasure(score.Slot(order[i]), turn)) {
            break;
        }
    }
    renderer.Finish();
    events.AddEvent(MidiEvent::EndOfTrack(renderer.End()));
    events.Finish();
    return events.notesAdded;
}

void ClearScore(ScoreTree& score, EventList& events) {
    events.Clear();
    score.Clear();
}

}  // namespace kaz
