#include "render/arrangement_renderer.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "base/midi_bytes.h"
#include "render/style_map.h"
#include "render/style_performer.h"

namespace kaz {

namespace {

constexpr std::int32_t kNoteTag = 0;

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
    bool fill = false;  //!< the last measure of a section, of a style, or of the song
    bool opensSection = false;
    bool last = false;  //!< the last measure of the song
};

class Renderer {
  public:
    Renderer(const RenderSettings& settings, std::int32_t tempo, EventList& events)
        : voices_(settings.voices), style_(settings.style), tempo_(tempo), events_(events) {}

    [[nodiscard]] Ticks End() const { return static_cast<Ticks>(sum_); }

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

    //! End the style's last notes.
    void Finish() {
        if (performer_) {
            performer_->Finish();
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

    void EmitPrograms(const Style* style, Ticks time) {
        const bool own = style != nullptr && style_.styleInstruments;
        const std::uint8_t chords = own ? style->chords.program : voices_.chordsProgram;
        const std::uint8_t bass = own ? style->bass.program : voices_.bassProgram;
        if (chords != chordsProgram_) {
            events_.AddEvent(MidiEvent::ProgramChange(time, kChordsChannel, chords));
            chordsProgram_ = chords;
        }
        if (bass != bassProgram_) {
            events_.AddEvent(MidiEvent::ProgramChange(time, kBassChannel, bass));
            bassProgram_ = bass;
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
        if (voices_.bassEnabled) {
            events_.AddNotes(kNoteTag, kBassChannel, voices_.bassVolume, keys.first(1), on, off);
        }
        if (voices_.chordsEnabled) {
            events_.AddNotes(kNoteTag, kChordsChannel, voices_.chordsVolume, keys.subspan(1), on, off);
        }
    }

    StylePerformer& Performer(const Style& style) {
        if (!performer_) {
            events_.ReleaseNoteOffs(kNoteTag);
            BandSettings band{style_.seed,           style_.feel,         style_.drumsVolume,
                              voices_.chordsEnabled, voices_.bassEnabled, voices_.chordsVolume,
                              voices_.bassVolume};
            band.swing = style_.swing;
            if (style_.styleInstruments) {
                band.chordsVolume = style.chords.volume;
                band.bassVolume = style.bass.volume;
            }
            performer_.emplace(band, tempo_, events_);
        }
        return *performer_;
    }

    void StopStyle(Ticks time) {
        if (performer_) {
            performer_->Finish();
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
        StylePerformer& performer = Performer(*turn.style);
        events_.Advance(performer.Settled());
        EmitMeasureMarks(slot, start);
        const bool sounds = std::any_of(source.chords.begin(), source.chords.end(),
                                        [](const Chord* chord) { return chord->noteCount > 0; });
        performer.StartMeasure({turn.style, &source, start, round_++, turn.fill, sounds, turn.last});
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

    const VoiceSettings& voices_;
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
    // No program sent yet: the first programs are always written.
    std::int32_t chordsProgram_ = -1;
    std::int32_t bassProgram_ = -1;
};

}  // namespace

bool RenderArrangement(ScoreTree& score, const RenderSettings& settings, EventList& events) {
    events.notesAdded = false;
    const bool markHeld = settings.heldTempoMark == score.scoreTempo;
    const std::int32_t tempo = score.tempoGiven && !markHeld ? score.scoreTempo : settings.transportTempo;
    events.AddEvent(MidiEvent::Tempo(0, tempo));
    const StyleMap styles(score, settings.style);
    const auto& order = score.playOrder;
    Renderer renderer(settings, tempo, events);
    renderer.EmitFirstPrograms(styles.Empty() || order.empty() ? nullptr : styles.At(order.front().slot));
    ResolveBNotation(score, score.NotationSetting(settings.notation));

    for (std::size_t i = 0; i < order.size(); ++i) {
        MeasureTurn turn;
        if (!styles.Empty()) {
            turn.style = styles.At(order[i].slot);
            turn.opensSection = styles.OpensSection(order[i].slot);
            turn.last = i + 1 == order.size();
            turn.fill = turn.last || styles.OpensSection(order[i + 1].slot) ||
                        styles.At(order[i + 1].slot) != turn.style;
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
