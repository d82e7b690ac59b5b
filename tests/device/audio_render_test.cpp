#include "midi/device/audio_render.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    //! Render the events at 120 to path (the target by default); error says why a render failed.
    RenderOutcome Render(const std::string& path, AudioFormat format = AudioFormat::Wav,
                         const RenderProgress& progress = {}, const SynthOptions* with = nullptr) {
        return RenderAudio(events, 120, path, format, with != nullptr ? *with : options, progress, error);
    }
    [[nodiscard]] std::vector<fs::path> FolderContents() const {
        return {fs::directory_iterator(folder), fs::directory_iterator()};
    }

    fs::path folder;
    SynthOptions options;
    EventList events;
    Message error;
};

TEST_F(AudioRenderTest, WritesTheSongAtItsTempoPlusTheReleaseTail) {
    TwoMeasures(120);  // 8 beats at 120: 4 s
    ASSERT_EQ(Render(Target()), RenderOutcome::Written) << error.English();
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Target());
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 4.0 + kReleaseTailSeconds, 0.001);
    EXPECT_GT(stats->rms, 0.02);
    EXPECT_LT(stats->maximum, 1.0);  // no clipping
    EXPECT_EQ(FolderContents().size(), 1u);
}

TEST_F(AudioRenderTest, FollowsTheTempoEventsOfThePerformance) {
    TwoMeasures(60);  // the tempo event wins over the start tempo: 8 s
    ASSERT_EQ(Render(Target()), RenderOutcome::Written) << error.English();
    const std::optional<test::SoxStats> stats = test::ReadWithSox(Target());
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 8.0 + kReleaseTailSeconds, 0.001);
}

TEST_F(AudioRenderTest, TheSecondStrikeSoundsAtItsSample) {
    TwoMeasures(120);
    ASSERT_EQ(Render(Target()), RenderOutcome::Written) << error.English();
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

    SynthOptions noFont = options;
    noFont.soundFont = (folder / "missing.sf2").string();
    EXPECT_EQ(Render(Target(), AudioFormat::Wav, {}, &noFont), RenderOutcome::Failed);
    EXPECT_NE(error.English().find("SoundFont"), std::string::npos);

    EventList endless;
    endless.AddEvent(MidiEvent::EndOfTrack(2'000'000'000));
    EXPECT_EQ(RenderAudio(endless, 20, Target(), AudioFormat::Wav, options, {}, error),
              RenderOutcome::Failed);
    EXPECT_EQ(error.English(), "the song is too long for a WAV file");

    EXPECT_EQ(FolderContents().size(), 1u);
    std::ifstream kept(Target());
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "old");
}

TEST_F(AudioRenderTest, FlacHoldsTheSameSongPackedAndAStoppedRenderLeavesTheTarget) {
    if (!CanWriteFlac()) {
        GTEST_SKIP() << "the sound file library cannot write FLAC here";
    }
    TwoMeasures(120);
    const std::string flac = (folder / "song.flac").string();
    std::vector<double> told;
    ASSERT_EQ(Render(flac, AudioFormat::Flac,
                     [&told](double done) {
                         told.push_back(done);
                         return true;
                     }),
              RenderOutcome::Written)
        << error.English();
    const std::optional<test::SoxStats> stats = test::ReadWithSox(flac);
    ASSERT_TRUE(stats.has_value());
    EXPECT_NEAR(stats->seconds, 4.0 + kReleaseTailSeconds, 0.001);
    EXPECT_GT(stats->rms, 0.02);
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_DOUBLE_EQ(told.back(), 1.0);

    std::ofstream(Target()) << "old";
    EXPECT_EQ(Render(Target(), AudioFormat::Wav, [](double done) { return done < 0.5; }),
              RenderOutcome::Cancelled);
    std::ifstream kept(Target());
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "old");
    EXPECT_EQ(FolderContents().size(), 2u);
}

TEST_F(AudioRenderTest, AMissingFolderIsReportedAndNothingIsLeftBehind) {
    TwoMeasures(120);
    EXPECT_EQ(Render((folder / "no" / "song.wav").string()), RenderOutcome::Failed);
    EXPECT_NE(error.English().find("cannot write"), std::string::npos);
    EXPECT_TRUE(FolderContents().empty());
}

}  // namespace
}  // namespace kaz
