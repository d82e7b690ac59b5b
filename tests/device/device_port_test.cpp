#include "midi/device/device_port.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace kaz {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct FakeOutput {
    std::optional<std::string> name;  // nothing: its name cannot be read
    bool opens = true;
};

struct Traffic {
    std::vector<int> openAttempts;
    std::vector<std::vector<int>> sent;  // id, status, data1, data2
    std::vector<int> resets;
    std::vector<int> closes;
};

class FakeConnection final : public MidiOutConnection {
  public:
    FakeConnection(int id, Traffic& traffic) : id_(id), traffic_(traffic) {}
    ~FakeConnection() override { traffic_.closes.push_back(id_); }
    void Send(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) override {
        traffic_.sent.push_back({id_, status, data1, data2});
    }
    void Reset() override { traffic_.resets.push_back(id_); }

  private:
    int id_;
    Traffic& traffic_;
};

class FakeSystem final : public MidiOutSystem {
  public:
    FakeSystem(std::vector<FakeOutput> outputs, Traffic& traffic)
        : outputs_(std::move(outputs)), traffic_(traffic) {}
    [[nodiscard]] int DeviceCount() override { return static_cast<int>(outputs_.size()); }
    [[nodiscard]] std::optional<std::string> DeviceName(int id) override { return outputs_.at(id).name; }
    [[nodiscard]] std::unique_ptr<MidiOutConnection> Open(int id) override {
        traffic_.openAttempts.push_back(id);
        if (!outputs_.at(id).opens) {
            return nullptr;
        }
        return std::make_unique<FakeConnection>(id, traffic_);
    }

  private:
    std::vector<FakeOutput> outputs_;
    Traffic& traffic_;
};

class DevicePortTest : public ::testing::Test {
  protected:
    DeviceMidiOutPort MakePort(std::vector<FakeOutput> outputs) {
        return DeviceMidiOutPort(std::make_unique<FakeSystem>(std::move(outputs), traffic));
    }
    Traffic traffic;
};

TEST_F(DevicePortTest, OpensTheOutputWithExactlyThatName) {
    DeviceMidiOutPort port = MakePort({{"Synth"}, {"Piano"}, {"piano"}});
    ASSERT_TRUE(port.OpenByName("piano"));
    EXPECT_THAT(traffic.openAttempts, ElementsAre(2));
    EXPECT_EQ(port.OpenedName(), "piano");
    EXPECT_TRUE(port.IsOpen());
}

TEST_F(DevicePortTest, AFailedOpenOfTheNamedOutputFallsBackFromTheFirst) {
    // The second "Piano" is never tried: the fallback starts at once.
    DeviceMidiOutPort port = MakePort({{"Synth", false}, {"Piano", false}, {"Piano"}, {"Organ"}});
    ASSERT_TRUE(port.OpenByName("Piano"));
    EXPECT_THAT(traffic.openAttempts, ElementsAre(1, 0, 1, 2));
    EXPECT_EQ(port.OpenedName(), "Piano");
}

TEST_F(DevicePortTest, DuplicateNamesOpenTheFirstWithThatName) {
    DeviceMidiOutPort port = MakePort({{"Synth"}, {"Piano"}, {"Piano"}});
    ASSERT_TRUE(port.OpenByName("Piano"));
    EXPECT_THAT(traffic.openAttempts, ElementsAre(1));
}

TEST_F(DevicePortTest, AnUnknownOrEmptyNameOpensTheFirstOutputThatOpens) {
    for (const char* name : {"Gone since start-up", ""}) {
        SCOPED_TRACE(name);
        traffic = {};
        DeviceMidiOutPort port =
            MakePort({{std::nullopt, false}, {"Synth", false}, {std::nullopt}, {"Organ"}});
        ASSERT_TRUE(port.OpenByName(name));
        EXPECT_THAT(traffic.openAttempts, ElementsAre(0, 1, 2));
    }
}

TEST_F(DevicePortTest, NothingOpensWithoutOutputsOrWhenAllFail) {
    DeviceMidiOutPort none = MakePort({});
    EXPECT_FALSE(none.OpenByName("Synth"));
    EXPECT_FALSE(none.IsOpen());

    DeviceMidiOutPort failing = MakePort({{"Synth", false}, {"Organ", false}});
    EXPECT_FALSE(failing.OpenByName("Organ"));
    EXPECT_THAT(traffic.openAttempts, ElementsAre(1, 0, 1));
    EXPECT_FALSE(failing.IsOpen());
}

TEST_F(DevicePortTest, ResetAndCloseSilencesThenClosesAndSendingAfterwardsGoesNowhere) {
    DeviceMidiOutPort port = MakePort({{"Synth"}});
    ASSERT_TRUE(port.OpenByName("Synth"));
    port.SendShort(0x91, 40, 75);
    port.ResetAndClose();
    EXPECT_THAT(traffic.sent, ElementsAre(ElementsAre(0, 0x91, 40, 75)));
    EXPECT_THAT(traffic.resets, ElementsAre(0));
    EXPECT_THAT(traffic.closes, ElementsAre(0));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_THAT(port.OpenedName(), IsEmpty());
    port.SendShort(0x90, 60, 80);
    EXPECT_EQ(traffic.sent.size(), 1u);
}

TEST_F(DevicePortTest, DestroyingAnOpenPortSilencesIt) {
    {
        DeviceMidiOutPort port = MakePort({{"Synth"}});
        ASSERT_TRUE(port.OpenByName("Synth"));
    }
    EXPECT_THAT(traffic.resets, ElementsAre(0));
}

TEST(DeviceNames, LeaveOutOutputsWhoseNameCannotBeRead) {
    Traffic traffic;
    FakeSystem system({{"A"}, {std::nullopt}, {"B"}, {"A"}}, traffic);
    EXPECT_THAT(ReadDeviceNames(system), ElementsAre("A", "B", "A"));
}

TEST(ChannelMessages, ProgramChangeAndChannelPressureCarryOneDataByte) {
    EXPECT_EQ(DataByteCount(0xC1), 1);
    EXPECT_EQ(DataByteCount(0xD0), 1);
    EXPECT_EQ(DataByteCount(0x90), 2);
    EXPECT_EQ(DataByteCount(0x8F), 2);
    EXPECT_EQ(DataByteCount(0xB0), 2);
    EXPECT_EQ(DataByteCount(0xE3), 2);
}

}  // namespace
}  // namespace kaz
