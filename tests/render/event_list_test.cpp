#include "render/event_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kaz {
namespace {

using ::testing::ElementsAre;

//! Records what an event writes: bytes in hex, variable-length quantities as "d<value>".
class TraceWriter final : public MidiTrackWriter {
  public:
    void WriteByte(std::uint8_t byte) override {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        items.emplace_back(hex);
    }
    void WriteVarLen(std::uint32_t value) override { items.push_back("d" + std::to_string(value)); }

    std::vector<std::string> items;
};

struct Message {
    std::uint8_t status, data1, data2;
    friend bool operator==(const Message&, const Message&) = default;
};

class RecordingPort final : public MidiOutPort {
  public:
    bool OpenByName(const std::string&) override { return true; }
    void SendShort(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        messages.push_back({status, data1, data2});
    }
    void ResetAndClose() override {}
    bool IsOpen() const override { return true; }

    std::vector<Message> messages;
};

std::vector<std::string> Written(const MidiEvent& event) {
    TraceWriter writer;
    event.Write(writer);
    return writer.items;
}

std::string Listing(const EventList& events) {
    std::string text;
    for (std::size_t i = 0; i < events.size(); ++i) {
        AppendEventLine(text, events[i]);
    }
    return text;
}

TEST(EventWrite, EachKindWritesItsDeltaAndBytes) {
    EXPECT_THAT(Written(MidiEvent::Tempo(0, 120)), ElementsAre("d0", "FF", "51", "03", "07", "A1", "20"));
    EXPECT_THAT(Written(MidiEvent::TimeSignature(0, 3, 4)),
                ElementsAre("d0", "FF", "58", "04", "03", "02", "18", "08"));
    EXPECT_THAT(Written(MidiEvent::TimeSignature(0, 6, 8)),
                ElementsAre("d0", "FF", "58", "04", "06", "03", "18", "08"));
    EXPECT_THAT(Written(MidiEvent::NoteOn(960, 1, 40, 75)), ElementsAre("d960", "91", "28", "4B"));
    EXPECT_THAT(Written(MidiEvent::NoteOff(1728, 0, 0, 64, 80)), ElementsAre("d1728", "80", "40", "50"));
    EXPECT_THAT(Written(MidiEvent::ProgramChange(0, 1, 32)), ElementsAre("d0", "C1", "20"));
    EXPECT_THAT(Written(MidiEvent::EndOfTrack(1920)), ElementsAre("d1920", "FF", "2F", "00"));
    EXPECT_THAT(Written(MidiEvent::Highlight(480, 3, 5)), ElementsAre());
}

TEST(EventWrite, TimeSignatureWritesTheFloorOfTheDenominatorsPowerOfTwo) {
    EXPECT_EQ(Written(MidiEvent::TimeSignature(0, 7, 1))[5], "00");
    EXPECT_EQ(Written(MidiEvent::TimeSignature(0, 7, 6))[5], "02");
    EXPECT_EQ(Written(MidiEvent::TimeSignature(0, 7, 256))[5], "08");
}

TEST(EventWrite, DeltasCountFromTheLastWrittenEventAndSkipHighlights) {
    TraceWriter writer;
    MidiEvent::NoteOn(0, 0, 48, 80).Write(writer);
    MidiEvent::Highlight(960, 4, 6).Write(writer);
    MidiEvent::NoteOn(960, 0, 50, 80).Write(writer);
    MidiEvent::NoteOff(1824, 0, 0, 50, 80).Write(writer);
    EXPECT_THAT(writer.items,
                ElementsAre("d0", "90", "30", "50", "d960", "90", "32", "50", "d864", "80", "32", "50"));
    EXPECT_EQ(writer.lastTime, 1824);
}

TEST(EventPlay, ChannelEventsSendOneShortMessageAndMetaEventsAndHighlightsNothing) {
    RecordingPort port;
    MidiEvent::NoteOn(0, 1, 40, 75).Play(port);
    MidiEvent::NoteOff(0, 0, 1, 40, 75).Play(port);
    MidiEvent::ProgramChange(0, 0, 26).Play(port);
    MidiEvent::Tempo(0, 120).Play(port);
    MidiEvent::TimeSignature(0, 3, 4).Play(port);
    MidiEvent::EndOfTrack(0).Play(port);
    MidiEvent::Highlight(0, 12, 17).Play(port);
    EXPECT_THAT(port.messages,
                ElementsAre(Message{0x91, 40, 75}, Message{0x81, 40, 75}, Message{0xC0, 26, 0}));
}

TEST(EventList, NoteOffsWaitUntilTheirTagIsReleasedAndKeepTheirOrder) {
    EventList events;
    events.AddNote(0, 1, 36, 75, 0, 100);
    events.AddNote(7, 0, 48, 80, 0, 200);
    events.AddNote(0, 0, 52, 80, 0, 100);
    EXPECT_TRUE(events.notesAdded);
    EXPECT_EQ(events.size(), 3u);
    EXPECT_EQ(events.PendingCount(), 3u);

    events.RetimeNoteOffs(0, 150);
    events.ReleaseNoteOffs(0);
    EXPECT_EQ(events.PendingCount(), 1u);
    EXPECT_EQ(Listing(events),
              "0 on 1 36 75\n0 on 0 48 80\n0 on 0 52 80\n150 off 1 36 75\n150 off 0 52 80\n");

    events.ReleaseNoteOffs(0);
    events.RetimeNoteOffs(0, 999);
    EXPECT_EQ(events.size(), 5u);
    events.ReleaseNoteOffs(7);
    EXPECT_EQ(events.PendingCount(), 0u);
    EXPECT_EQ(events[5].time, 200);
}

TEST(EventList, FinishMovesLateNoteOffsBackKeepingEqualTimesInTheirOrder) {
    EventList events;
    events.AddEvent(MidiEvent::Tempo(0, 120));
    events.AddNote(0, 1, 36, 75, 0, 864);
    events.AddHighlight(5, 6, 960);
    events.ReleaseNoteOffs(0);
    events.AddNote(0, 1, 38, 75, 960, 1824);
    events.AddEvent(MidiEvent::EndOfTrack(1920));
    events.AddHighlight(0, 0, 864);
    events.Finish();
    EXPECT_EQ(events.PendingCount(), 0u);
    EXPECT_EQ(Listing(events),
              "0 tempo 120\n0 on 1 36 75\n864 off 1 36 75\n864 highlight 0 0\n960 highlight 5 6\n"
              "960 on 1 38 75\n1824 off 1 38 75\n1920 end\n");
}

TEST(EventList, ReleasedNoteOffsGoBeforeLaterEventsAndAfterEqualOnes) {
    EventList events;
    events.AddNote(0, 0, 48, 80, 0, 90);
    events.AddNote(0, 0, 52, 80, 0, 90);
    events.AddHighlight(1, 2, 90);
    events.AddHighlight(3, 4, 100);
    events.ReleaseNoteOffs(0);
    EXPECT_EQ(Listing(events),
              "0 on 0 48 80\n0 on 0 52 80\n90 highlight 1 2\n90 off 0 48 80\n90 off 0 52 80\n"
              "100 highlight 3 4\n");

    // Released note-offs of different times that the event they pass falls between.
    events.Clear();
    events.AddNote(0, 0, 48, 80, 0, 150);
    events.AddNote(0, 0, 52, 80, 0, 50);
    events.AddHighlight(1, 2, 100);
    events.ReleaseNoteOffs(0);
    EXPECT_EQ(Listing(events),
              "0 on 0 48 80\n0 on 0 52 80\n50 off 0 52 80\n100 highlight 1 2\n150 off 0 48 80\n");
}

TEST(EventList, EventsAddedInOnePieceMergeWithLaterListedOnesWhichStayFirstAtEqualTimes) {
    EventList events;
    events.AddHighlight(1, 2, 0);
    events.AddHighlight(3, 4, 100);
    events.AddHighlight(5, 6, 120);
    std::vector<MidiEvent> played{MidiEvent::NoteOn(90, 9, 42, 80), MidiEvent::NoteOn(100, 9, 36, 80),
                                  MidiEvent::NoteOff(110, 3, 9, 42, 80),
                                  MidiEvent::NoteOff(130, 3, 9, 36, 80)};
    events.AddEvents(played);
    const std::string merged =
        "0 highlight 1 2\n90 on 9 42 80\n100 highlight 3 4\n100 on 9 36 80\n110 off 9 42 80\n"
        "120 highlight 5 6\n130 off 9 36 80\n";
    EXPECT_EQ(Listing(events), merged);
    // Already in order: Finish leaves it so.
    events.Finish();
    EXPECT_EQ(Listing(events), merged);
}

TEST(EventList, FinishSortsAListInAnyOrderStably) {
    // Far from the renderer's near order: every event is out of place.
    EventList events;
    for (int i = 0; i < 400; ++i) {
        events.AddHighlight(i, i, (400 - i) / 3);
    }
    events.Finish();
    ASSERT_EQ(events.size(), 400u);
    for (std::size_t i = 1; i < events.size(); ++i) {
        const MidiEvent& before = events[i - 1];
        const MidiEvent& after = events[i];
        ASSERT_LE(before.time, after.time);
        if (before.time == after.time) {
            ASSERT_LT(before.start(), after.start());
        }
    }
}

TEST(EventList, ClearEmptiesBothListsAndMayBeRepeated) {
    EventList events;
    events.AddNote(0, 0, 48, 80, 0, 10);
    events.AddHighlight(0, 1, 0);
    events.Clear();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(events.PendingCount(), 0u);
    events.Clear();
    EXPECT_TRUE(events.empty());
}

TEST(EventLine, EveryKindPrintsItsWordAndNumbers) {
    EventList events;
    events.AddEvent(MidiEvent::Tempo(0, 96));
    events.AddEvent(MidiEvent::ProgramChange(0, 1, 127));
    events.AddEvent(MidiEvent::TimeSignature(0, 7, 8));
    events.AddHighlight(10, 13, 0);
    events.AddNote(0, 0, 127, 0, 0, 2147483647);
    events.AddEvent(MidiEvent::EndOfTrack(1920));
    events.Finish();
    EXPECT_EQ(Listing(events),
              "0 tempo 96\n0 program 1 127\n0 timesig 7 8\n0 highlight 10 13\n0 on 0 127 0\n1920 end\n"
              "2147483647 off 0 127 0\n");
}

}  // namespace
}  // namespace kaz
