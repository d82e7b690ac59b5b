#include "render/event_list.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <utility>

namespace kaz {

namespace {

constexpr std::uint8_t kMetaEvent = 0xFF;

// The list is sorted, so a delta is never negative; should one be, a zero delta keeps the file readable.
void WriteDeltaTime(MidiTrackWriter& writer, Ticks time) {
    const Ticks delta = std::max<Ticks>(time - writer.lastTime, 0);
    writer.WriteVarLen(static_cast<std::uint32_t>(delta));
    writer.lastTime = time;
}

void WriteChannelMessage(MidiTrackWriter& writer, std::uint8_t status, std::uint8_t data1,
                         std::uint8_t data2) {
    writer.WriteByte(status);
    writer.WriteByte(data1);
    writer.WriteByte(data2);
}

//! The power of two of a time signature's denominator: 4 gives 2, 8 gives 3, 6 gives 2.
std::uint8_t DenominatorPower(std::int32_t denominator) {
    std::uint8_t power = 0;
    while (denominator > 1) {
        denominator /= 2;
        ++power;
    }
    return power;
}

// The events come from the renderer in time order except for note-offs, which are appended a few places
// late (at the next strike). Moving each one back to its place costs a few steps per event; past this
// budget per event the list is not the renderer's and gets a full stable sort instead.
constexpr std::size_t kInsertionStepsPerEvent = 16;

//! Stable insertion sort by time that gives up once it has moved events more than budget places in all.
bool InsertionSortWithin(std::vector<MidiEvent*>& events, std::size_t budget) {
    std::size_t steps = 0;
    for (std::size_t i = 1; i < events.size(); ++i) {
        MidiEvent* const moving = events[i];
        const Ticks time = moving->time;
        std::size_t place = i;
        while (place > 0 && events[place - 1]->time > time) {
            events[place] = events[place - 1];
            --place;
            if (++steps > budget) {
                events[place] = moving;
                return false;
            }
        }
        events[place] = moving;
    }
    return true;
}

void AppendNumber(std::string& text, std::int32_t number) {
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    text.append(digits, result.ptr);
}

void AppendWords(std::string& text, const char* word, std::initializer_list<std::int32_t> numbers) {
    text += word;
    for (const std::int32_t number : numbers) {
        text += ' ';
        AppendNumber(text, number);
    }
}

}  // namespace

void AppendEventLine(std::string& text, const MidiEvent& event) {
    AppendNumber(text, event.time);
    switch (event.kind) {
        case EventKind::Tempo:
            AppendWords(text, " tempo", {static_cast<const TempoEvent&>(event).bpm});
            break;
        case EventKind::ProgramChange: {
            const auto& change = static_cast<const ProgramChangeEvent&>(event);
            AppendWords(text, " program", {change.channel, change.program});
            break;
        }
        case EventKind::TimeSignature: {
            const auto& signature = static_cast<const TimeSignatureEvent&>(event);
            AppendWords(text, " timesig", {signature.numerator, signature.denominator});
            break;
        }
        case EventKind::Highlight: {
            const auto& highlight = static_cast<const HighlightEvent&>(event);
            AppendWords(text, " highlight", {highlight.start, highlight.end});
            break;
        }
        case EventKind::NoteOn: {
            const auto& note = static_cast<const NoteOnEvent&>(event);
            AppendWords(text, " on", {note.channel, note.key, note.velocity});
            break;
        }
        case EventKind::NoteOff: {
            const auto& note = static_cast<const NoteOffEvent&>(event);
            AppendWords(text, " off", {note.channel, note.key, note.velocity});
            break;
        }
        case EventKind::EndOfTrack:
            text += " end";
            break;
    }
    text += '\n';
}

void NoteOnEvent::Play(MidiOutPort& port, Editor&) const {
    port.SendShort(static_cast<std::uint8_t>(kNoteOnStatus + channel), key, velocity);
}

void NoteOnEvent::Write(MidiTrackWriter& writer) const {
    WriteDeltaTime(writer, time);
    WriteChannelMessage(writer, static_cast<std::uint8_t>(kNoteOnStatus + channel), key, velocity);
}

void NoteOffEvent::Play(MidiOutPort& port, Editor&) const {
    port.SendShort(static_cast<std::uint8_t>(kNoteOffStatus + channel), key, velocity);
}

void NoteOffEvent::Write(MidiTrackWriter& writer) const {
    WriteDeltaTime(writer, time);
    WriteChannelMessage(writer, static_cast<std::uint8_t>(kNoteOffStatus + channel), key, velocity);
}

void ProgramChangeEvent::Play(MidiOutPort& port, Editor&) const {
    port.SendShort(static_cast<std::uint8_t>(kProgramChangeStatus + channel), program, 0);
}

void ProgramChangeEvent::Write(MidiTrackWriter& writer) const {
    WriteDeltaTime(writer, time);
    writer.WriteByte(static_cast<std::uint8_t>(kProgramChangeStatus + channel));
    writer.WriteByte(program);
}

void EndOfTrackEvent::Play(MidiOutPort&, Editor&) const {}

void EndOfTrackEvent::Write(MidiTrackWriter& writer) const {
    WriteDeltaTime(writer, time);
    WriteChannelMessage(writer, kMetaEvent, 0x2F, 0x00);
}

void HighlightEvent::Play(MidiOutPort&, Editor& editor) const {
    editor.Select({start, end});
    // 0, 0 only puts the caret at the start; scrolling there would pull the view away from the music.
    if (start != 0 || end != 0) {
        editor.ScrollToSelection();
    }
}

// A highlight belongs to the editor only: no bytes, and the next event's delta spans it.
void HighlightEvent::Write(MidiTrackWriter&) const {}

void TempoEvent::Play(MidiOutPort&, Editor&) const {}

void TempoEvent::Write(MidiTrackWriter& writer) const {
    // Microseconds per quarter note in three bytes; the clamp keeps the division and the bytes defined
    // for a tempo no chart can give.
    const std::int32_t micros = 60000000 / std::clamp(bpm, 4, 60000000);
    WriteDeltaTime(writer, time);
    writer.WriteByte(kMetaEvent);
    writer.WriteByte(0x51);
    writer.WriteByte(0x03);
    writer.WriteByte(static_cast<std::uint8_t>(micros >> 16));
    writer.WriteByte(static_cast<std::uint8_t>(micros >> 8));
    writer.WriteByte(static_cast<std::uint8_t>(micros));
}

void TimeSignatureEvent::Play(MidiOutPort&, Editor&) const {}

void TimeSignatureEvent::Write(MidiTrackWriter& writer) const {
    constexpr std::uint8_t kClocksPerClick = 24;
    constexpr std::uint8_t kThirtySecondsPerQuarter = 8;
    WriteDeltaTime(writer, time);
    writer.WriteByte(kMetaEvent);
    writer.WriteByte(0x58);
    writer.WriteByte(0x04);
    writer.WriteByte(static_cast<std::uint8_t>(numerator));
    writer.WriteByte(DenominatorPower(denominator));
    writer.WriteByte(kClocksPerClick);
    writer.WriteByte(kThirtySecondsPerQuarter);
}

void EventList::AddEvent(std::unique_ptr<MidiEvent> event) {
    events_.push_back(event.get());
    addedEvents_.push_back(std::move(event));
}

void EventList::AddNote(std::int32_t tag, std::uint8_t channel, std::uint8_t key, std::uint8_t velocity,
                        Ticks onTime, Ticks offTime) {
    events_.push_back(&noteOns_.emplace_back(onTime, channel, key, velocity));
    pendingNoteOffs_.push_back(&noteOffs_.emplace_back(offTime, tag, channel, key, velocity));
    notesAdded = true;
}

void EventList::ReleaseNoteOffs(std::int32_t tag) {
    auto kept = pendingNoteOffs_.begin();
    for (NoteOffEvent* noteOff : pendingNoteOffs_) {
        if (noteOff->tag == tag) {
            events_.push_back(noteOff);
        } else {
            *kept++ = noteOff;
        }
    }
    pendingNoteOffs_.erase(kept, pendingNoteOffs_.end());
}

void EventList::RetimeNoteOffs(std::int32_t tag, Ticks time) {
    for (NoteOffEvent* noteOff : pendingNoteOffs_) {
        if (noteOff->tag == tag) {
            noteOff->time = time;
        }
    }
}

void EventList::AddHighlight(std::int32_t start, std::int32_t end, Ticks time) {
    events_.push_back(&highlights_.emplace_back(time, start, end));
}

void EventList::Finish() {
    events_.insert(events_.end(), pendingNoteOffs_.begin(), pendingNoteOffs_.end());
    pendingNoteOffs_.clear();
    if (!InsertionSortWithin(events_, kInsertionStepsPerEvent * events_.size())) {
        std::stable_sort(events_.begin(), events_.end(),
                         [](const MidiEvent* a, const MidiEvent* b) { return a->time < b->time; });
    }
}

void EventList::Clear() {
    // Give the memory back: a long song is cleared at Stop and may stay cleared for a long time.
    events_.clear();
    events_.shrink_to_fit();
    pendingNoteOffs_.clear();
    pendingNoteOffs_.shrink_to_fit();
    noteOns_.clear();
    noteOffs_.clear();
    highlights_.clear();
    addedEvents_.clear();
    addedEvents_.shrink_to_fit();
    notesAdded = false;
}

}  // namespace kaz
