#include "render/event_list.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <initializer_list>

namespace kaz {

namespace {

// The events come from the renderer in time order except for note-offs, which are appended a few places
// late (at the next strike). Moving each one back to its place costs a few steps per event; past this
// budget per event the list is not the renderer's and gets a full stable sort instead.
constexpr std::size_t kInsertionStepsPerEvent = 16;

// Events gathered before a consumer is handed the settled ones.
constexpr std::size_t kHandOverBatch = 4096;

//! The order of the performance: by time, equal times as they came.
bool Earlier(const MidiEvent& a, const MidiEvent& b) {
    return a.time < b.time;
}

//! Append events to list. One by one: for a handful of events, the library's insertion of a range takes
//! several times as long.
void AppendAll(std::vector<MidiEvent>& list, std::span<const MidiEvent> events) {
    for (const MidiEvent& event : events) {
        list.push_back(event);
    }
}

//! Append run, in time order and no earlier than the last of events.
void AppendRun(std::vector<MidiEvent>& events, std::span<const MidiEvent> run) {
    // A band's chord is a long run: in one piece it goes in at the speed of a copy.
    if (run.size() > kInsertionStepsPerEvent) {
        events.insert(events.end(), run.begin(), run.end());
    } else {
        AppendAll(events, run);
    }
}

//! Put run, events in time order such as note-offs released in their order, in their places among events,
//! which are in order: where InsertionSortWithin would put them, had they been appended. Usually the run
//! passes only a few events (the highlight of the chord that released it, or that came while a band played
//! the chord): those are merged with it, by way of later, and true is returned. False leaves both as they
//! were.
bool InsertRun(std::vector<MidiEvent>& events, const std::vector<MidiEvent>& run,
               std::vector<MidiEvent>& later) {
    if (run.empty()) {
        return true;
    }
    if (!std::is_sorted(run.begin(), run.end(), Earlier)) {
        return false;
    }
    // Most often, as for the note-offs of a block chord released at the next strike, the run simply follows.
    if (events.empty() || events.back().time <= run.front().time) {
        AppendRun(events, run);
        return true;
    }
    // The first of the run belongs after every event of its time or earlier.
    std::size_t passed = 0;
    for (auto event = events.rbegin(); event != events.rend() && event->time > run.front().time; ++event) {
        if (++passed > kInsertionStepsPerEvent) {
            return false;
        }
    }
    // The passed events are set aside and merged with the run: a few copies, where moving the run in front of
    // them would take a general rotation. Of equal times the listed event stays first.
    const auto place = events.end() - static_cast<std::ptrdiff_t>(passed);
    later.assign(place, events.end());
    events.erase(place, events.end());
    auto next = run.begin();
    for (const MidiEvent& listed : later) {
        for (; next != run.end() && next->time < listed.time; ++next) {
            events.push_back(*next);
        }
        events.push_back(listed);
    }
    AppendRun(events, std::span<const MidiEvent>(next, run.end()));
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
            AppendWords(text, " tempo", {event.bpm()});
            break;
        case EventKind::ProgramChange:
            AppendWords(text, " program", {event.channel(), event.program()});
            break;
        case EventKind::ControlChange:
            AppendWords(text, " control", {event.channel(), event.controller(), event.value()});
            break;
        case EventKind::TimeSignature:
            AppendWords(text, " timesig", {event.numerator(), event.denominator()});
            break;
        case EventKind::Highlight:
            AppendWords(text, " highlight", {event.start(), event.end()});
            break;
        case EventKind::NoteOn:
            AppendWords(text, " on", {event.channel(), event.key(), event.velocity()});
            break;
        case EventKind::NoteOff:
            AppendWords(text, " off", {event.channel(), event.key(), event.velocity()});
            break;
        case EventKind::EndOfTrack:
            text += " end";
            break;
    }
    text += '\n';
}

void MidiEvent::Play(MidiOutPort& port) const {
    switch (kind) {
        case EventKind::NoteOn:
            port.SendShort(static_cast<std::uint8_t>(kNoteOnStatus + channel_), key(), velocity());
            break;
        case EventKind::NoteOff:
            port.SendShort(static_cast<std::uint8_t>(kNoteOffStatus + channel_), key(), velocity());
            break;
        case EventKind::ProgramChange:
            port.SendShort(static_cast<std::uint8_t>(kProgramChangeStatus + channel_), program(), 0);
            break;
        case EventKind::ControlChange:
            port.SendShort(static_cast<std::uint8_t>(kControlChangeStatus + channel_), controller(), value());
            break;
        case EventKind::Highlight:
        case EventKind::EndOfTrack:
        case EventKind::Tempo:
        case EventKind::TimeSignature:
            break;
    }
}

void MidiEvent::Write(MidiTrackWriter& writer) const {
    WriteEvent(*this, writer);
}

void EventList::ReleaseNoteOffs(std::int32_t tag) {
    const auto ofTag = [tag](const MidiEvent& noteOff) { return noteOff.tag() == tag; };
    // Usually every waiting note-off is of the one voice group there is: they all go, in one move.
    if (std::all_of(pendingNoteOffs_.begin(), pendingNoteOffs_.end(), ofTag)) {
        PlaceReleased(pendingNoteOffs_);
        pendingNoteOffs_.clear();
        return;
    }
    released_.clear();
    auto kept = pendingNoteOffs_.begin();
    for (const MidiEvent& noteOff : pendingNoteOffs_) {
        if (ofTag(noteOff)) {
            released_.push_back(noteOff);
        } else {
            *kept++ = noteOff;
        }
    }
    pendingNoteOffs_.erase(kept, pendingNoteOffs_.end());
    PlaceReleased(released_);
}

void EventList::PlaceReleased(const std::vector<MidiEvent>& run) {
    // A released note-off usually belongs a place or two before the end: while the list is in order, it goes
    // to its place now, so that the list needs no sorting later.
    const std::size_t from = events_.size();
    if (sorted_ == from && InsertRun(events_, run, passed_)) {
        sorted_ = events_.size();
        return;
    }
    AppendAll(events_, run);
    if (sorted_ == from) {
        sorted_ = InsertionSortWithin(events_, from, kInsertionStepsPerEvent * run.size());
    }
}

void EventList::RetimeNoteOffs(std::int32_t tag, Ticks time) {
    for (MidiEvent& noteOff : pendingNoteOffs_) {
        if (noteOff.tag() == tag) {
            noteOff.time = time;
        }
    }
}

void EventList::SortNewEvents() {
    if (sorted_ == events_.size()) {
        return;
    }
    if (InsertionSortWithin(events_, sorted_, kInsertionStepsPerEvent * events_.size()) != events_.size()) {
        std::stable_sort(events_.begin(), events_.end(), Earlier);
    }
    sorted_ = events_.size();
}

void EventList::HandOver(std::size_t count) {
    consumer_->Take(std::span<const MidiEvent>(events_.data(), count));
    events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(count));
    sorted_ -= count;
}

void EventList::Advance(Ticks time) {
    // Handing on in batches keeps the cost of each hand-over small against the events it moves.
    if (consumer_ == nullptr || !notesAdded || events_.size() < kHandOverBatch) {
        return;
    }
    // Events added later come after the listed ones of their time, so everything up to the earliest time
    // still to come is in place.
    Ticks settled = time;
    for (const MidiEvent& noteOff : pendingNoteOffs_) {
        settled = std::min(settled, noteOff.time);
    }
    SortNewEvents();
    const auto firstLater = std::upper_bound(events_.begin(), events_.end(), settled,
                                             [](Ticks t, const MidiEvent& event) { return t < event.time; });
    HandOver(static_cast<std::size_t>(firstLater - events_.begin()));
}

void EventList::Finish() {
    events_.insert(events_.end(), pendingNoteOffs_.begin(), pendingNoteOffs_.end());
    pendingNoteOffs_.clear();
    SortNewEvents();
    if (consumer_ != nullptr && notesAdded) {
        HandOver(events_.size());
    } else {
        // A kept performance lives as long as the score: give back what the list grew beyond it.
        events_.shrink_to_fit();
    }
}

void EventList::Clear() {
    // Give the memory back: a long song is cleared at Stop and may stay cleared for a long time.
    std::vector<MidiEvent>().swap(events_);
    std::vector<MidiEvent>().swap(pendingNoteOffs_);
    std::vector<MidiEvent>().swap(released_);
    sorted_ = 0;
    notesAdded = false;
}

}  // namespace kaz
