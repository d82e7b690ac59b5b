#include "midi/device/builtin_synth.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "device/sox_stats.h"
#include "midi/device/device_port.h"
#include "midi/device/synth_keeper.h"
#include "midi/device/system_outputs.h"

namespace kaz {
namespace {

std::string TemporaryWave(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string(name) + "-" + std::to_string(getpid()) + ".wav"))
        .string();
}

SynthOptions FileDriverOptions(const std::string& path) {
    SynthOptions options;
    options.soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    options.audioDrivers = {"file"};
    options.audioFile = path;
    return options;
}

bool HasSoundCard() {
    std::error_code error;
    return std::filesystem::exists("/dev/snd", error);
}

TEST(BuiltInSynth, ComesFirstInTheDeviceListAndListingPrintsNothing) {
    ::testing::internal::CaptureStderr();
    const MidiOutDeviceNames names = EnumerateMidiOutDevices(SynthOptions{});
    const std::string printed = ::testing::internal::GetCapturedStderr();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), kBuiltInSynthName);
    EXPECT_EQ(printed, "");
}

TEST(BuiltInSynth, PlaysThroughTheFileDriverInRealTime) {
    const std::string path = TemporaryWave("kaz-synth");
    {
        DeviceMidiOutPort port(std::make_unique<SystemMidiOuts>(FileDriverOptions(path)));
        ASSERT_TRUE(port.OpenByName(std::string(kBuiltInSynthName)));
        port.SendShort(0xC0, 26, 0);  // jazz guitar, three bytes as the events send it
        for (std::uint8_t key : {48, 52, 55, 60}) {
            port.SendShort(0x90, key, 100);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        port.ResetAndClose();
    }
    const std::optional<test::SoxStats> stats = test::ReadWithSox(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(stats.has_value());
    EXPECT_GT(stats->seconds, 0.2);
    EXPECT_GT(stats->rms, 0.01);
}

TEST(BuiltInSynth, LoadedAheadItPlaysEveryPlayAndIsLentToOneAtATime) {
    const std::string path = TemporaryWave("kaz-kept");
    const SynthOptions options = FileDriverOptions(path);
    const auto keeper = std::make_shared<SynthKeeper>(options);
    for (int play = 0; play < 2; ++play) {
        {
            DeviceMidiOutPort port(std::make_unique<SystemMidiOuts>(options, keeper));
            ASSERT_TRUE(port.OpenByName(std::string(kBuiltInSynthName)));
            port.SendShort(0xB0, 7, 100);
            port.SendShort(0x90, 60, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            port.ResetAndClose();
        }
        const std::optional<test::SoxStats> stats = test::ReadWithSox(path);
        std::filesystem::remove(path);
        ASSERT_TRUE(stats.has_value());
        EXPECT_GT(stats->rms, 0.01) << "play " << play;
    }
    EXPECT_TRUE(keeper->Loaded());
    const std::unique_ptr<SoundFontSynth> lent = keeper->Take();
    const std::unique_ptr<SoundFontSynth> another = keeper->Take();
    ASSERT_NE(lent, nullptr);
    EXPECT_NE(another, nullptr) << "a second output at once loads a synthesizer of its own";
}

TEST(BuiltInSynth, FailsToOpenLikeAnyDeviceWhenNoAudioOutputOpens) {
    SynthOptions options;
    options.audioDrivers = {"no-such-driver"};
    std::string failure;
    EXPECT_EQ(OpenBuiltInSynth(options, failure), nullptr);

    if (!HasSoundCard()) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(OpenBuiltInSynth(SynthOptions{}, failure), nullptr);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}

TEST(BuiltInSynth, FailsToOpenWithoutItsSoundFont) {
    SynthOptions options = FileDriverOptions(TemporaryWave("kaz-nofont"));
    options.soundFont = "/nonexistent/none.sf2";
    EXPECT_TRUE(FindSoundFont(options).empty());
    std::string failure;
    EXPECT_EQ(OpenBuiltInSynth(options, failure), nullptr);
    EXPECT_FALSE(std::filesystem::exists(options.audioFile));
}

TEST(BuiltInSynth, ARecordingOntoAFifoIsRefusedWhenOnlyRegularFilesAreTaken) {
    const std::string path = TemporaryWave("kaz-fifo");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    // Held open both ways, so that a recording that did open it could not wait for ever.
    const int guard = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
    SynthOptions options = FileDriverOptions(path);
    options.audioFileKinds = FileKinds::RegularOnly;
    std::string failure;
    EXPECT_EQ(OpenBuiltInSynth(options, failure), nullptr);
    EXPECT_EQ(failure, "cannot write the recording '" + path + "': not a regular file");
    char byte = 0;
    EXPECT_EQ(::read(guard, &byte, 1), -1) << "nothing went into the pipe";
    ::close(guard);
    std::filesystem::remove(path);
}

TEST(BuiltInSynth, PrefersTheFullerSoundFontWhenInstalled) {
    const std::string found = FindSoundFont(SynthOptions{});
    if (std::filesystem::exists("/usr/share/sounds/sf2/FluidR3_GM.sf2")) {
        EXPECT_EQ(found, "/usr/share/sounds/sf2/FluidR3_GM.sf2");
    } else {
        EXPECT_FALSE(found.empty());
    }
}

}  // namespace
}  // namespace kaz
