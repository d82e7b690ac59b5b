#include "midi/device/audio_render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/sox_stats.h"

namespace kaz {
namespace {

namespace fs = std::filesystem;

class AudioRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("kaz-render-" + std::to_string(getpid()));
        fs::create_directories(folder);
        options.soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    }
    void TearDown() override { fs::remove_all(folder); }

    //! Two measures of 4/4 with one chord each, as the renderer lays them out.
    void TwoMeasures(std::int32_t tempo) {
        events.AddEvent(MidiEvent::Tempo(0, tempo));
        events.AddEvent(MidiEvent::ProgramChange(0, 0, 26));
        events.AddEvent(MidiEvent::ProgramChange(0, 1, 32));
        for (Ticks start : {0, 1920}) {
            events.AddHighlight(0, 1, start);
            events.AddNote(0, 1, 36, 75, start, start + 1728);
            for (std::uint8_t key : {48, 52, 55}) {
                events.AddNote(0, 0, key, 80, start, start + 1728);
            }
            events.ReleaseNoteOffs(0);
        }
        events.AddEvent(MidiEvent::EndOfTrack(3840));
        events.Finish();
    }

    [[nodiscard]] std::string Target() const { return (folder / "song.wav").string(); }
    [[nodiscard]] std::vector<fs::path> FolderContents() const {
        return {fs::directory_iterator(folder), fs::directory_iterator()};
    }

    fs::path folder;
    SynthOptions options;
    EventList events;
};

TEST_F(AudioRenderTest, WritesTheSongAtItsTempoPlusTheReleaseTail) {
    TwoMeasures(120);  // 8 beats at 120: 4 s
    std::string error;
    ASSERT_TRUE(RenderWave(events, 120, Target(), options, error)) << error;
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Target());
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 4.0 + kReleaseTailSeconds, 0.001);
    EXPECT_GT(stats->rms, 0.02);
    EXPECT_LT(stats->maximum, 1.0);  // no clipping
    EXPECT_EQ(FolderContents().size(), 1u);
}

TEST_F(AudioRenderTest, FollowsTheTempoEventsOfThePerformance) {
    TwoMeasures(60);  // the tempo event wins over the start tempo: 8 s
    std::string error;
    ASSERT_TRUE(RenderWave(events, 120, Target(), options, error)) << error;
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Target());
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 8.0 + kReleaseTailSeconds, 0.001);
}

TEST_F(AudioRenderTest, TheSecondStrikeSoundsAtItsSample) {
    TwoMeasures(120);
    std::string error;
    ASSERT_TRUE(RenderWave(events, 120, Target(), options, error)) << error;
    // The first chord is released at 1.8 s and the second struck at 2.0 s, give or take the synthesizer's
    // 64-sample block (1.45 ms).
    const auto peak = [this](const char* start, const char* length) {
        return test::NumberAfter(
            test::RunForOutput("sox '" + Target() + "' -n trim " + start + " " + length + " stat 2>&1"),
            "Maximum amplitude");
    };
    const double before = peak("1.95", "0.049");
    const double struck = peak("2.0015", "0.01");
    EXPECT_LT(before, 0.01);
    EXPECT_GT(struck, 10 * before);
}

TEST_F(AudioRenderTest, AFailedRenderLeavesTheTargetAsItWas) {
    TwoMeasures(120);
    std::ofstream(Target()) << "old";
    std::string error;

    SynthOptions noFont = options;
    noFont.soundFont = (folder / "missing.sf2").string();
    EXPECT_FALSE(RenderWave(events, 120, Target(), noFont, error));
    EXPECT_NE(error.find("SoundFont"), std::string::npos);

    EventList endless;
    endless.AddEvent(MidiEvent::EndOfTrack(2'000'000'000));
    EXPECT_FALSE(RenderWave(endless, 20, Target(), options, error));
    EXPECT_EQ(error, "the song is too long for a WAV file");

    EXPECT_EQ(FolderContents().size(), 1u);
    std::ifstream kept(Target());
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "old");
}

TEST_F(AudioRenderTest, AMissingFolderIsReportedAndNothingIsLeftBehind) {
    TwoMeasures(120);
    std::string error;
    EXPECT_FALSE(RenderWave(events, 120, (folder / "no" / "song.wav").string(), options, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    EXPECT_TRUE(FolderContents().empty());
}

}  // namespace
}  // namespace kaz
