#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "base/midi_bytes.h"
#include "base/ticks.h"
#include "harmony/score_tree.h"
#include "render/event_list.h"
#include "style/band_part.h"
#include "style/bass_line.h"
#include "style/comping_voicing.h"
#include "style/groove_feel.h"
#include "style/style.h"

namespace kaz {

//! How the band plays, besides the style: the variation's seed and amount, the swing, and the parts as the
//! user set them.
struct BandSettings {
    std::uint64_t seed = 1;
    std::int32_t feel = 100;  //!< percent of the timing and velocity variation
    //! Percent of a beat the first of two eighths takes; 0 plays the style's own swing.
    std::int32_t swing = 0;
    BandParts parts;
};

//! Plays a chart's chords in a style: each chord part (the comping, a second guitar, a pad) and the bass from
//! the style's patterns on each chord's tones, and the drums on the percussion channel. Chords come in time
//! order, one measure after the other; each is played once the chord after it is known, so the bass can lead
//! into it and the comping can push it.
class StylePerformer {
  public:
    StylePerformer(const BandSettings& band, std::int32_t tempo, EventList& events);

    //! Where a measure stands in the performance.
    struct MeasureCue {
        const Style* style = nullptr;
        const Measure* source = nullptr;
        Ticks start = 0;
        //! Measures played in this style and section before it, for patterns of several measures.
        std::uint32_t round = 0;
        bool fill = false;      //!< it ends a section or the song
        bool fillNext = false;  //!< the measure after it ends a section: a two-bar fill may start here
        bool drums = true;      //!< it sounds a chord, so the drums play in it
        bool last = false;      //!< it ends the song: its last chord is held, under a cymbal roll
        bool light = false;     //!< the song's opening, played lighter (a two-feel where the style has one)
        //! How far the band has built up past the opening, 0 to kMostLift: a chorus played again, a bridge.
        std::int32_t lift = 0;
    };
    static constexpr std::int32_t kMostLift = 3;

    //! The measure the next chords belong to.
    void StartMeasure(const MeasureCue& cue);
    //! A chord of the measure, sounding from start to end.
    void PlayChord(const Chord& chord, Ticks start, Ticks end);
    //! A measure without chords: the chord before it ends and the band rests.
    void PlayRest(Ticks start);
    //! Play the chord still waiting and end every note; the time the last note ends.
    [[nodiscard]] Ticks Finish();
    //! No event the performer adds from now on is earlier than this.
    [[nodiscard]] Ticks Settled() const;

  private:
    //! The chord parts a style may have at once: the comping, a second guitar and a pad.
    static constexpr std::size_t kChordParts = 3;

    //! Where the hits of a pattern fall in measures of one length and one swing, worked out once for all of
    //! them.
    struct PatternTiming {
        const MeterPattern* pattern = nullptr;
        Ticks ticks = 0;
        double swing = 0.5;
        //! By row and hit: the hit's time and its end, in ticks from the start of the measure.
        std::vector<std::vector<std::pair<Ticks, Ticks>>> hits;
    };
    //! The measure of a row a part plays.
    struct CellChoice {
        const PatternRow* row = nullptr;
        std::uint16_t bar = 0;
    };
    struct MeasureContext {
        const MeterPattern* pattern = nullptr;
        const PatternTiming* timing = nullptr;
        const Style* style = nullptr;
        Ticks start = 0;
        Ticks ticks = 0;
        std::uint32_t round = 0;
        double swing = 0.5;
        bool drums = true;
        bool last = false;
        bool light = false;
        std::int32_t lift = 0;
        bool crash = false;         //!< a crash on the downbeat, after a fill
        std::int32_t fillBar = -1;  //!< the measure of the fill rows it plays; -1 plays the groove
        std::array<CellChoice, kChordParts> cells{};
        const PatternRow* bassRow = nullptr;
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
    //! The offsets of the hits of a measure from its start, in order, and the measure's length.
    struct Rhythm {
        Ticks ticks = 0;
        std::vector<Ticks> offsets;
        friend bool operator==(const Rhythm&, const Rhythm&) = default;
    };
    //! One chord instrument: its voicing hands, its notes still sounding, and the rhythms of its last bars.
    struct ChordPlayer {
        std::string_view id;
        std::uint8_t channel = 0;
        std::int32_t volume = 80;
        bool sounds = true;
        CompingVoicing voicing;
        std::vector<MidiEvent> pending;
        CellChoice cell;
        Rhythm older;            //!< the bar before the previous one
        Rhythm previous;         //!< the bar before this one
        Rhythm current;          //!< this bar, as its cell and its changes give it
        Ticks anticipated = -1;  //!< the change this player has already struck an eighth early
    };

    void SetUpParts(const Style& style);
    const MeterPattern& PatternFor(const Style& style, std::int32_t num, std::int32_t den);
    const PatternTiming& TimingFor(const MeterPattern& pattern, Ticks ticks, double swing);
    [[nodiscard]] static Ticks HitTime(Ticks ticks, double swing, const PatternRow& row, std::int32_t cell);
    //! The cell player plays in the measure starting now, never the rhythm of its bar before.
    CellChoice ChooseCell(ChordPlayer& player, const MeasureCue& cue);
    //! The rhythm of choice in the measure of cue, in rhythm_ until the next call.
    [[nodiscard]] const Rhythm& RhythmOf(const CellChoice& choice, const MeasureCue& cue);
    [[nodiscard]] static bool HasLightRows(const MeterPattern& pattern, StylePart part, std::string_view id);
    //! A hit written at time as the band plays it, a few ticks early or late.
    [[nodiscard]] Ticks Nudge(Ticks written);
    void PlayDrums(const Span& span);
    void PlayDrum(std::uint8_t key, std::int32_t velocity, Ticks on, Ticks again);
    void PlayEnding(const Span& span);
    //! The row of part (of the part called id, for chords) in the style's ending figure, or nullptr.
    [[nodiscard]] static const PatternRow* EndingRow(const MeterPattern& pattern, StylePart part,
                                                     std::string_view id);
    //! The hits of an ending row within the last chord, that chord struck where it falls; in hits_.
    std::vector<TimedHit>& EndingHits(const Span& span, const PatternRow* row);
    void PlayEndingDrums(const Span& span);
    void Emit(const MidiEvent& event);
    void AddNote(std::vector<MidiEvent>& pending, std::uint8_t channel, std::int32_t key,
                 std::uint8_t velocity, Ticks on, Ticks off);
    //! Bring the pending note-offs later than time forward to time.
    static void Cut(std::vector<MidiEvent>& pending, Ticks time);
    //! The pending note-offs into the released ones, in their order.
    void Release(std::vector<MidiEvent>& pending);
    //! The released note-offs and the span's events to the list, in time order.
    void FlushBuffer();
    //! Put released_, runs in time order one after the other, in time order.
    void MergeRuns();
    void PlaySpan(const Span& span, std::optional<ChordTones> next);
    //! The hits of the chosen measure of row that fall within the span, in hits_ until the next call.
    std::vector<TimedHit>& HitsWithin(const Span& span, const PatternRow* row, std::uint16_t bar);
    void PlayChordPart(const Span& span, std::size_t index, std::optional<ChordTones> next);
    //! Whether player may strike the next chord an eighth before its change at offset push of the measure.
    [[nodiscard]] bool MayPush(const ChordPlayer& player, const Span& span, Ticks push);
    void PlayBass(const Span& span, std::optional<ChordTones> next);
    void Silence(Ticks time);
    [[nodiscard]] std::uint8_t Velocity(std::int32_t velocity, const MeasureContext& measure);

    BandSettings band_;
    std::int32_t tempo_;
    EventList& events_;
    GrooveFeel feel_;
    BassLine bass_;
    std::vector<ChordPlayer> players_;
    std::int32_t bassVolume_ = 85;
    bool bassSounds_ = true;
    std::int32_t drumsVolume_ = 100;  //!< percent of the written drum velocities
    MeasureContext measure_;
    std::optional<Span> waiting_;
    bool fillEnded_ = false;         //!< the measure before ended a section with a fill
    std::int32_t leadFillBar_ = -1;  //!< the fill measure after a two-bar fill's first plays this bar
    Ticks bassAnticipated_ = -1;     //!< the change the bass has already played before its time
    //! The events of the chord being played, in the order the parts made them.
    std::vector<MidiEvent> buffer_;
    //! By drum key: where in buffer_ the note-off of its last stroke stands; -1 for none.
    std::array<std::int32_t, kMidiKeys> drumOffs_{};
    std::vector<MidiEvent> pendingBass_;
    std::vector<MidiEvent> released_;  //!< the note-offs ended since the last hand-over, in their order
    std::vector<MidiEvent> merged_;    //!< room for merging the runs of released_
    std::vector<std::size_t> runs_;    //!< where each run of released_ starts, and its end
    Ticks latest_ = 0;                 //!< the time of the latest event made
    std::deque<std::pair<const Style*, MeterPattern>> cycledPatterns_;
    std::deque<PatternTiming> timings_;
    std::vector<TimedHit> hits_;
    // Room that each measure's choice of cells uses again, so that a long song allocates nothing for it.
    Rhythm rhythm_;
    std::vector<const PatternRow*> cellRows_;
    std::vector<CellChoice> freshCells_;
    std::vector<CellChoice> otherCells_;
};

}  // namespace kaz
