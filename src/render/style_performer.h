#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "base/ticks.h"
#include "harmony/score_tree.h"
#include "render/event_list.h"
#include "style/bass_line.h"
#include "style/comping_voicing.h"
#include "style/groove_feel.h"
#include "style/style.h"

namespace kaz {

//! How the band plays, besides the style: the variation's seed and amount and the drums' volume.
struct BandSettings {
    std::uint64_t seed = 1;
    std::int32_t feel = 100;         //!< percent of the timing and velocity variation
    std::int32_t drumsVolume = 100;  //!< percent of the style's drum velocities; 0 leaves the drums out
    bool chordsEnabled = true;
    bool bassEnabled = true;
    std::uint8_t chordsVolume = 70;
    std::uint8_t bassVolume = 85;
    //! Percent of a beat the first of two eighths takes; 0 plays the style's own swing.
    std::int32_t swing = 0;
};

//! Plays a chart's chords in a style: the comping and the bass from the style's patterns on each chord's
//! tones, and the drums on the percussion channel. Chords come in time order, one measure after the other;
//! each is played once the chord after it is known, so the bass can lead into it.
class StylePerformer {
  public:
    StylePerformer(const BandSettings& band, std::int32_t tempo, EventList& events);

    //! Where a measure stands in the performance.
    struct MeasureCue {
        const Style* style = nullptr;
        const Measure* source = nullptr;
        Ticks start = 0;
        std::uint32_t round =
            0;              //!< measures played in this style before it, for patterns of several measures
        bool fill = false;  //!< it ends a section or the song
        bool drums = true;  //!< it sounds a chord, so the drums play in it
        bool last = false;  //!< it ends the song: no note may ring past it
    };

    //! The measure the next chords belong to.
    void StartMeasure(const MeasureCue& cue);
    //! A chord of the measure, sounding from start to end.
    void PlayChord(const Chord& chord, Ticks start, Ticks end);
    //! A measure without chords: the chord before it ends and the band rests.
    void PlayRest(Ticks start);
    //! Play the chord still waiting and end every note.
    void Finish();
    //! No event the performer adds from now on is earlier than this.
    [[nodiscard]] Ticks Settled() const;

  private:
    //! Where the hits of a pattern fall in measures of one length and one swing, worked out once for all of
    //! them, and the rows each part plays from.
    struct PatternTiming {
        const MeterPattern* pattern = nullptr;
        Ticks ticks = 0;
        double swing = 0.5;
        //! By row and hit: the hit's time and its end, in ticks from the start of the measure.
        std::vector<std::vector<std::pair<Ticks, Ticks>>> hits;
        const PatternRow* comping = nullptr;  //!< the first comping row; nullptr when there is none
        const PatternRow* bass = nullptr;     //!< the first bass row; nullptr when there is none
        bool hasFill = false;                 //!< it has drum rows for a fill
    };
    struct MeasureContext {
        const MeterPattern* pattern = nullptr;
        const PatternTiming* timing = nullptr;
        const Style* style = nullptr;
        Ticks start = 0;
        Ticks ticks = 0;
        std::int32_t beats = 4;
        std::uint32_t round = 0;
        double swing = 0.5;
        bool fill = false;
        bool drums = true;
        bool last = false;
    };
    struct Span {
        MeasureContext measure;
        ChordTones chord;
        bool changes = true;  //!< a new chord, not a '/' or '=' going on with the one before
        Ticks start = 0;
        Ticks end = 0;
    };

    //! A hit of a row as a chord plays it: its time and length in ticks.
    struct TimedHit {
        const PatternHit* hit;
        Ticks time;
        Ticks length;
    };

    const MeterPattern& PatternFor(const Style& style, std::int32_t num, std::int32_t den);
    const PatternTiming& TimingFor(const MeterPattern& pattern, Ticks ticks, double swing);
    [[nodiscard]] static Ticks HitTime(Ticks ticks, double swing, const PatternRow& row, std::int32_t cell);
    //! A hit written at time as the band plays it, a few ticks early or late.
    [[nodiscard]] Ticks Nudge(const MeasureContext& measure, Ticks written);
    void PlayDrums(const Span& span);
    //! A note-on into the span's events, its note-off into its voice's pending ones.
    void AddNote(std::int32_t tag, std::uint8_t channel, std::int32_t key, std::uint8_t velocity, Ticks on,
                 Ticks off);
    void Emit(const MidiEvent& noteOn);
    //! Bring the pending note-offs later than time forward to time.
    static void Cut(std::vector<MidiEvent>& pending, Ticks time);
    //! The pending note-offs into the released ones, in their order.
    void Release(std::vector<MidiEvent>& pending);
    //! The released note-offs and the span's events to the list, in time order.
    void FlushBuffer();
    void PlaySpan(const Span& span, std::optional<ChordTones> next);
    //! The hits of row that fall within the span, in hits_.
    std::vector<TimedHit>& HitsWithin(const Span& span, const PatternRow* row);
    void PlayComping(const Span& span, const PatternRow* row);
    void PlayBass(const Span& span, const PatternRow* row, std::optional<ChordTones> next);
    void Silence(Ticks time);

    BandSettings band_;
    std::int32_t tempo_;
    EventList& events_;
    GrooveFeel feel_;
    BassLine bass_;
    CompingVoicing comping_;
    MeasureContext measure_;
    std::optional<Span> waiting_;
    std::vector<MidiEvent>
        buffer_;  //!< the events of the chord being played, in the order the parts made them
    //! The note-offs of the comping's and the bass's sounding notes, in the order they were played.
    std::vector<MidiEvent> pendingComping_;
    std::vector<MidiEvent> pendingBass_;
    std::vector<MidiEvent> released_;  //!< the note-offs ended since the last hand-over, in their order
    std::deque<std::pair<const Style*, MeterPattern>> cycledPatterns_;
    std::deque<PatternTiming> timings_;
    std::vector<TimedHit> hits_;
};

}  // namespace kaz
