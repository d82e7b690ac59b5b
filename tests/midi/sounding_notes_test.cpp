#include "midi/sounding_notes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kaz {
namespace {

using ::testing::ElementsAre;

using Message = std::array<int, 3>;

TEST(SoundingNotes, ReleasesWhatStillSoundsChannelByChannelAndOnlyOnce) {
    SoundingNotes notes;
    notes.Follow(0x90, 64, 90);
    notes.Follow(0x90, 60, 90);
    notes.Follow(0x90, 67, 90);
    notes.Follow(0x90, 67, 0);  // a note-on of velocity 0 ends the note
    notes.Follow(0x91, 40, 90);
    notes.Follow(0xC1, 40, 0);  // not a note
    std::vector<Message> sent;
    const SoundingNotes::Send send = [&sent](std::uint8_t status, std::uint8_t key, std::uint8_t velocity) {
        sent.push_back({status, key, velocity});
    };

    notes.ReleaseChannel(0, send);
    EXPECT_THAT(sent, ElementsAre(Message{0x80, 60, 0}, Message{0x80, 64, 0}));
    sent.clear();
    notes.ReleaseAll(send);
    EXPECT_THAT(sent, ElementsAre(Message{0x81, 40, 0}));
    sent.clear();
    notes.ReleaseAll(send);
    EXPECT_TRUE(sent.empty());
}

}  // namespace
}  // namespace kaz
