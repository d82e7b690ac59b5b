#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/editor.h"
#include "base/midi_out_port.h"
#include "base/midi_track_writer.h"
#include "base/record_list.h"
#include "base/ticks.h"

namespace kaz {

enum class EventKind : std::int32_t {
    NoteOn = 0,
    NoteOff = 1,
    ProgramChange = 2,
    EndOfTrack = 3,
    Highlight = 4,
    Tempo = 5,
    TimeSignature = 6,
};

// The status bytes of the channel messages the events send and write; the channel is added to them.
inline constexpr std::uint8_t kNoteOffStatus = 0x80;
inline constexpr std::uint8_t kNoteOnStatus = 0x90;
inline constexpr std::uint8_t kProgramChangeStatus = 0xC0;

//! One timed event of the performance. It plays itself on the live output and writes itself into a file.
class MidiEvent {
  public:
    MidiEvent(EventKind kind, Ticks time) : kind(kind), time(time) {}
    virtual ~MidiEvent() = default;

    //! Perform the event now: a message to the port, or a selection in the editor.
    virtual void Play(MidiOutPort& port, Editor& editor) const = 0;
    //! Append the event to a Standard MIDI File track.
    virtual void Write(MidiTrackWriter& writer) const = 0;

    const EventKind kind;
    Ticks time;
};

class NoteOnEvent final : public MidiEvent {
  public:
    NoteOnEvent(Ticks time, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity)
        : MidiEvent(EventKind::NoteOn, time), channel(channel), key(key), velocity(velocity) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;

    std::uint8_t channel, key, velocity;
};

class NoteOffEvent final : public MidiEvent {
  public:
    NoteOffEvent(Ticks time, std::int32_t tag, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity)
        : MidiEvent(EventKind::NoteOff, time), tag(tag), channel(channel), key(key), velocity(velocity) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;

    std::int32_t tag;  //!< the voice group that made the note
    std::uint8_t channel, key, velocity;
};

class ProgramChangeEvent final : public MidiEvent {
  public:
    ProgramChangeEvent(Ticks time, std::uint8_t channel, std::uint8_t program)
        : MidiEvent(EventKind::ProgramChange, time), channel(channel), program(program) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;

    std::uint8_t channel, program;
};

class EndOfTrackEvent final : public MidiEvent {
  public:
    explicit EndOfTrackEvent(Ticks time) : MidiEvent(EventKind::EndOfTrack, time) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;
};

//! Selects the sounding chord symbol (or repeat mark) in the editor; leaves no trace in a file.
class HighlightEvent final : public MidiEvent {
  public:
    HighlightEvent(Ticks time, std::int32_t start, std::int32_t end)
        : MidiEvent(EventKind::Highlight, time), start(start), end(end) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;

    std::int32_t start, end;
};

class TempoEvent final : public MidiEvent {
  public:
    TempoEvent(Ticks time, std::int32_t bpm) : MidiEvent(EventKind::Tempo, time), bpm(bpm) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;

    std::int32_t bpm;
};

class TimeSignatureEvent final : public MidiEvent {
  public:
    TimeSignatureEvent(Ticks time, std::int32_t numerator, std::int32_t denominator)
        : MidiEvent(EventKind::TimeSignature, time), numerator(numerator), denominator(denominator) {}
    void Play(MidiOutPort& port, Editor& editor) const override;
    void Write(MidiTrackWriter& writer) const override;

    std::int32_t numerator, denominator;
};

//! Append the event as one line of text, as kaz-cli events prints it: the time, the kind's word ("tempo",
//! "program", "timesig", "highlight", "on", "off", "end") and its numbers, single spaces, a line feed.
void AppendEventLine(std::string& text, const MidiEvent& event);

//! The performance of the compiled chart, and the note-offs not yet placed in it.
//!
//! The list owns every event, listed or pending. Notes and highlights, the bulk of a song, live in blocks
//! that the list allocates a few hundred at a time; the order of the performance is a list of references.
class EventList {
  public:
    EventList() = default;
    EventList(const EventList&) = delete;
    EventList& operator=(const EventList&) = delete;
    EventList(EventList&&) = default;
    EventList& operator=(EventList&&) = default;
    ~EventList() = default;

    //! Append an event; the list owns it.
    void AddEvent(std::unique_ptr<MidiEvent> event);
    //! A note-on into the list, its note-off into the pending note-offs.
    void AddNote(std::int32_t tag, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity,
                 Ticks onTime, Ticks offTime);
    //! Move the pending note-offs of tag to the end of the list, in their order.
    void ReleaseNoteOffs(std::int32_t tag);
    //! Give the pending note-offs of tag a new time.
    void RetimeNoteOffs(std::int32_t tag, Ticks time);
    void AddHighlight(std::int32_t start, std::int32_t end, Ticks time);
    //! Move every pending note-off to the list, then sort the list by time, keeping the order of equal times.
    void Finish();
    //! Free every event, listed or pending.
    void Clear();

    [[nodiscard]] std::size_t size() const { return events_.size(); }
    [[nodiscard]] bool empty() const { return events_.empty(); }
    [[nodiscard]] const MidiEvent& operator[](std::size_t index) const { return *events_[index]; }
    [[nodiscard]] std::size_t PendingCount() const { return pendingNoteOffs_.size(); }

    //! Set whenever a note is added; the renderer clears it when it starts.
    bool notesAdded = false;

  private:
    // Where the events live.
    RecordList<NoteOnEvent> noteOns_;
    RecordList<NoteOffEvent> noteOffs_;
    RecordList<HighlightEvent> highlights_;
    std::vector<std::unique_ptr<MidiEvent>> addedEvents_;

    std::vector<MidiEvent*> events_;              //!< the performance, in order
    std::vector<NoteOffEvent*> pendingNoteOffs_;  //!< note-offs not yet in the performance
};

}  // namespace kaz
