#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "base/midi_bytes.h"
#include "base/midi_out_port.h"
#include "base/midi_track_writer.h"
#include "base/ticks.h"

namespace kaz {

struct ScoreTree;

enum class EventKind : std::uint8_t {
    NoteOn = 0,
    NoteOff = 1,
    ProgramChange = 2,
    EndOfTrack = 3,
    Highlight = 4,
    Tempo = 5,
    TimeSignature = 6,
    ControlChange = 7,
};

//! One timed event of the performance: a value of sixteen bytes, whatever its kind, so that a song's millions
//! of events sit in one array and are told apart by their kind alone. It plays itself on the live output and
//! writes itself into a file.
class MidiEvent {
  public:
    static MidiEvent NoteOn(Ticks time, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity) {
        return {EventKind::NoteOn, time, channel, key, velocity, 0, 0};
    }
    //! tag: the voice group that made the note.
    static MidiEvent NoteOff(Ticks time, std::int32_t tag, std::uint8_t channel, std::uint8_t key,
                             std::uint8_t velocity) {
        return {EventKind::NoteOff, time, channel, key, velocity, tag, 0};
    }
    static MidiEvent ProgramChange(Ticks time, std::uint8_t channel, std::uint8_t program) {
        return {EventKind::ProgramChange, time, channel, program, 0, 0, 0};
    }
    //! A controller of channel set to value: the pan or the room of a band's part.
    static MidiEvent ControlChange(Ticks time, std::uint8_t channel, std::uint8_t controller,
                                   std::uint8_t value) {
        return {EventKind::ControlChange, time, channel, controller, value, 0, 0};
    }
    static MidiEvent EndOfTrack(Ticks time) { return {EventKind::EndOfTrack, time, 0, 0, 0, 0, 0}; }
    //! Marks [start, end) of the chart's text as sounding from its time on; leaves no trace in a file and
    //! sends nothing.
    static MidiEvent Highlight(Ticks time, std::int32_t start, std::int32_t end) {
        return {EventKind::Highlight, time, 0, 0, 0, start, end};
    }
    static MidiEvent Tempo(Ticks time, std::int32_t bpm) { return {EventKind::Tempo, time, 0, 0, 0, bpm, 0}; }
    static MidiEvent TimeSignature(Ticks time, std::int32_t numerator, std::int32_t denominator) {
        return {EventKind::TimeSignature, time, 0, 0, 0, numerator, denominator};
    }

    //! Send the event's message to the port now; the kinds without one send nothing.
    void Play(MidiOutPort& port) const;
    //! Append the event to a Standard MIDI File track.
    void Write(MidiTrackWriter& writer) const;

    [[nodiscard]] std::uint8_t channel() const { return channel_; }
    [[nodiscard]] std::uint8_t key() const { return data1_; }
    [[nodiscard]] std::uint8_t velocity() const { return data2_; }
    [[nodiscard]] std::uint8_t program() const { return data1_; }
    [[nodiscard]] std::uint8_t controller() const { return data1_; }
    [[nodiscard]] std::uint8_t value() const { return data2_; }
    [[nodiscard]] std::int32_t tag() const { return value1_; }
    [[nodiscard]] std::int32_t start() const { return value1_; }
    [[nodiscard]] std::int32_t end() const { return value2_; }
    [[nodiscard]] std::int32_t bpm() const { return value1_; }
    [[nodiscard]] std::int32_t numerator() const { return value1_; }
    [[nodiscard]] std::int32_t denominator() const { return value2_; }

    Ticks time;
    EventKind kind;

  private:
    MidiEvent(EventKind kind, Ticks time, std::uint8_t channel, std::uint8_t data1, std::uint8_t data2,
              std::int32_t value1, std::int32_t value2)
        : time(time),
          kind(kind),
          channel_(channel),
          data1_(data1),
          data2_(data2),
          value1_(value1),
          value2_(value2) {}

    std::uint8_t channel_;
    std::uint8_t data1_;   //!< the key of a note, the program of a program change, a controller
    std::uint8_t data2_;   //!< the velocity of a note, a controller's value
    std::int32_t value1_;  //!< the tag of a note-off, a highlight's start, the tempo, the meter's numerator
    std::int32_t value2_;  //!< a highlight's end, the meter's denominator
};
static_assert(sizeof(MidiEvent) == 16);

//! Write event into a track: its delta time from writer.lastTime, then its bytes; a highlight writes
//! nothing. Writer is a MidiTrackWriter or a final class derived from it, whose calls need no dispatch then.
template <typename Writer>
void WriteEvent(const MidiEvent& event, Writer& writer);

//! Append the event as one line of text, as kaz-cli events prints it: the time, the kind's word ("tempo",
//! "program", "control", "timesig", "highlight", "on", "off", "end") and its numbers, single spaces, a line
//! feed.
void AppendEventLine(std::string& text, const MidiEvent& event);

//! Stable insertion sort by time of events, whose first `from` are in order already: cheap for events that
//! are nearly in order. Gives up once it has moved events more than budget places in all. Returns how many
//! events at the front are in order then: all of them, unless it gave up. Inline, so that a sort without a
//! budget loses the counting of steps.
inline std::size_t InsertionSortWithin(std::vector<MidiEvent>& events, std::size_t from,
                                       std::size_t budget = std::numeric_limits<std::size_t>::max()) {
    std::size_t steps = 0;
    for (std::size_t i = std::max<std::size_t>(from, 1); i < events.size(); ++i) {
        const MidiEvent moving = events[i];
        std::size_t place = i;
        while (place > 0 && events[place - 1].time > moving.time) {
            events[place] = events[place - 1];
            --place;
            if (++steps > budget) {
                events[place] = moving;
                return place;
            }
        }
        events[place] = moving;
    }
    return events.size();
}

//! Takes a performance as it is made, instead of the list keeping it (see EventList::StreamTo).
class EventConsumer {
  public:
    virtual ~EventConsumer() = default;
    //! The score whose performance follows, read and with its form unrolled, before any of its events.
    virtual void Begin(const ScoreTree&) {}
    //! The next events of the performance, in their final order.
    virtual void Take(std::span<const MidiEvent> events) = 0;
    //! Whether the highlights are wanted too; a consumer that has no use for them is spared them.
    [[nodiscard]] virtual bool TakesHighlights() const { return true; }
};

//! Drops the performance as the compile makes it: for those that need only the score, or only to know that
//! a chart compiles.
class DiscardedEvents final : public EventConsumer {
  public:
    void Take(std::span<const MidiEvent>) override {}
    [[nodiscard]] bool TakesHighlights() const override { return false; }
};

//! The performance of the compiled chart, and the note-offs not yet placed in it.
//!
//! The renderer adds events roughly in time order: note-offs wait in the pending list until their voice
//! strikes again and so arrive a few places late. The performance is the list sorted by time, equal times
//! keeping the order they were added in. The list keeps the whole performance, or hands it to a consumer in
//! pieces as soon as their places are certain, so that a long song never has to be held at once.
class EventList {
  public:
    EventList() = default;
    EventList(const EventList&) = delete;
    EventList& operator=(const EventList&) = delete;
    EventList(EventList&&) = default;
    EventList& operator=(EventList&&) = default;
    ~EventList() = default;

    //! Append an event.
    void AddEvent(const MidiEvent& event) { Append(event); }
    //! Append events, in time order among themselves (the chord a style's band has played). While the list is
    //! in order they go to their places at once, merged with the few listed ones that are later.
    void AddEvents(const std::vector<MidiEvent>& events) { PlaceReleased(events); }
    //! A note-on into the list, its note-off into the pending note-offs.
    void AddNote(std::int32_t tag, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity,
                 Ticks onTime, Ticks offTime) {
        const auto signedKey = static_cast<std::int8_t>(key);
        AddNotes(tag, channel, velocity, std::span(&signedKey, 1), onTime, offTime);
    }
    //! AddNote for each of keys in turn (MIDI keys, as a chord keeps them), all on channel at velocity.
    void AddNotes(std::int32_t tag, std::uint8_t channel, std::uint8_t velocity,
                  std::span<const std::int8_t> keys, Ticks onTime, Ticks offTime) {
        if (keys.empty()) {
            return;
        }
        // The note-ons share their time: the list stays in order through all of them or through none.
        if (sorted_ == events_.size() && (events_.empty() || events_.back().time <= onTime)) {
            sorted_ += keys.size();
        }
        for (const std::int8_t signedKey : keys) {
            const auto key = static_cast<std::uint8_t>(signedKey);
            events_.push_back(MidiEvent::NoteOn(onTime, channel, key, velocity));
            pendingNoteOffs_.push_back(MidiEvent::NoteOff(offTime, tag, channel, key, velocity));
        }
        notesAdded = true;
    }
    //! Move the pending note-offs of tag to the end of the list, in their order.
    void ReleaseNoteOffs(std::int32_t tag);
    //! Give the pending note-offs of tag a new time.
    void RetimeNoteOffs(std::int32_t tag, Ticks time);
    void AddHighlight(std::int32_t start, std::int32_t end, Ticks time) {
        if (keepsHighlights_) {
            Append(MidiEvent::Highlight(time, start, end));
        }
    }
    //! A promise of the renderer: no event added from now on is earlier than time, except pending
    //! note-offs. Events whose place is then certain go to the consumer, once the performance has a note.
    void Advance(Ticks time);
    //! Move every pending note-off to the list, then sort the list by time, keeping the order of equal times.
    //! With a consumer, the rest of a performance that has a note goes to it.
    void Finish();
    //! Free every event, listed or pending. The consumer stays.
    void Clear();

    //! Hand the performance to consumer instead of keeping it, from the next compile on; nullptr keeps it
    //! again. A performance without a note is never handed on, nor highlights to a consumer that takes none.
    void StreamTo(EventConsumer* consumer) {
        consumer_ = consumer;
        keepsHighlights_ = consumer == nullptr || consumer->TakesHighlights();
    }

    [[nodiscard]] std::size_t size() const { return events_.size(); }
    [[nodiscard]] bool empty() const { return events_.empty(); }
    [[nodiscard]] const MidiEvent& operator[](std::size_t index) const { return events_[index]; }
    [[nodiscard]] std::size_t PendingCount() const { return pendingNoteOffs_.size(); }

    //! Set whenever a note is added; the renderer clears it when it starts.
    bool notesAdded = false;

  private:
    //! Append event, noting whether the list is still in order.
    void Append(const MidiEvent& event) {
        if (sorted_ == events_.size() && (events_.empty() || events_.back().time <= event.time)) {
            ++sorted_;
        }
        events_.push_back(event);
    }
    //! Put run, events in time order such as the note-offs one release takes from the pending ones, in the
    //! list.
    void PlaceReleased(const std::vector<MidiEvent>& run);
    void SortNewEvents();
    void HandOver(std::size_t count);

    std::vector<MidiEvent> events_;           //!< the performance, or its part not yet handed on
    std::size_t sorted_ = 0;                  //!< events_[0, sorted_) are in order
    std::vector<MidiEvent> pendingNoteOffs_;  //!< note-offs not yet in the performance
    std::vector<MidiEvent> released_;         //!< room for the note-offs one release takes from them
    std::vector<MidiEvent> passed_;           //!< room for the listed events a run of added ones passes
    EventConsumer* consumer_ = nullptr;
    bool keepsHighlights_ = true;
};

template <typename Writer>
void WriteEvent(const MidiEvent& event, Writer& writer) {
    if (event.kind == EventKind::Highlight) {
        // A highlight belongs to the editor only: the next event's delta spans it.
        return;
    }
    // The list is sorted, so a delta is never negative; should one be, a zero delta keeps the file readable.
    const Ticks delta = std::max<Ticks>(event.time - writer.lastTime, 0);
    writer.WriteVarLen(static_cast<std::uint32_t>(delta));
    writer.lastTime = event.time;
    // Nearly every event of a song is a note: notes take a plain branch rather than the switch's jump.
    if (event.kind == EventKind::NoteOn || event.kind == EventKind::NoteOff) {
        writer.WriteByte(static_cast<std::uint8_t>(
            (event.kind == EventKind::NoteOn ? kNoteOnStatus : kNoteOffStatus) + event.channel()));
        writer.WriteByte(event.key());
        writer.WriteByte(event.velocity());
        return;
    }
    switch (event.kind) {
        case EventKind::ProgramChange:
            writer.WriteByte(static_cast<std::uint8_t>(kProgramChangeStatus + event.channel()));
            writer.WriteByte(event.program());
            break;
        case EventKind::ControlChange:
            writer.WriteByte(static_cast<std::uint8_t>(kControlChangeStatus + event.channel()));
            writer.WriteByte(event.controller());
            writer.WriteByte(event.value());
            break;
        case EventKind::EndOfTrack:
            writer.WriteByte(kMetaEvent);
            writer.WriteByte(kMetaEndOfTrack);
            writer.WriteByte(0x00);
            break;
        case EventKind::Tempo: {
            // Microseconds per quarter note in three bytes; the clamp keeps the division and the bytes
            // defined for a tempo no chart can give.
            const std::int32_t micros = 60000000 / std::clamp(event.bpm(), 4, 60000000);
            writer.WriteByte(kMetaEvent);
            writer.WriteByte(kMetaTempo);
            writer.WriteByte(0x03);
            writer.WriteByte(static_cast<std::uint8_t>(micros >> 16));
            writer.WriteByte(static_cast<std::uint8_t>(micros >> 8));
            writer.WriteByte(static_cast<std::uint8_t>(micros));
            break;
        }
        case EventKind::TimeSignature: {
            constexpr std::uint8_t kClocksPerClick = 24;
            constexpr std::uint8_t kThirtySecondsPerQuarter = 8;
            // The power of two of the denominator, rounded down: 4 gives 2, 8 gives 3, 6 gives 2.
            std::uint8_t power = 0;
            for (std::int32_t denominator = event.denominator(); denominator > 1; denominator /= 2) {
                ++power;
            }
            writer.WriteByte(kMetaEvent);
            writer.WriteByte(kMetaTimeSignature);
            writer.WriteByte(0x04);
            writer.WriteByte(static_cast<std::uint8_t>(event.numerator()));
            writer.WriteByte(power);
            writer.WriteByte(kClocksPerClick);
            writer.WriteByte(kThirtySecondsPerQuarter);
            break;
        }
        case EventKind::NoteOn:
        case EventKind::NoteOff:
        case EventKind::Highlight:
            break;
    }
}

}  // namespace kaz
