#include "midi/playback_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "language/compile_score.h"
#include "support/recording_port.h"

namespace kaz {
namespace {

using test::PortRecording;
using test::RecordedMessage;
using test::RecordingPort;
using ::testing::ElementsAre;

class ManualClock final : public PlaybackClock {
  public:
    [[nodiscard]] std::int64_t Milliseconds() const override { return now; }
    std::int64_t now = 0;
};

//! A timer without a thread of its own: the test ticks it, and what is handed back runs at once, or when the
//! test lets it when it holds hand-backs.
class ManualTimer final : public PlaybackTimer {
  public:
    void Start(int periodMs, std::function<void()> tick, std::function<void()> handedBack) override {
        period = periodMs;
        onTick = std::move(tick);
        onHandedBack = std::move(handedBack);
        running = true;
    }
    void Stop() override { running = false; }
    void WakeAt(std::int64_t clockMs) override { wakeAt = clockMs; }
    void HandBack() override {
        if (!holdHandBacks) {
            onHandedBack();
        }
    }
    int period = 0;
    bool holdHandBacks = false;
    bool running = false;
    std::function<void()> onTick;
    std::function<void()> onHandedBack;
    std::int64_t wakeAt = -1;
};

constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kNoteOff = 0x80;

//! The engine with every seam replaced; each test fills the chart's performance by hand.
class PlaybackEngineTest : public ::testing::Test {
  protected:
    PlaybackEngineTest() {
        PlaybackSeams seams{clock, timer, [this] {
                                ++portsMade;
                                return std::make_unique<RecordingPort>(
                                    recording, [this] { return clock.now; }, portOpens);
                            }};
        seams.stateChanged = [this] { ++stateChanges; };
        seams.sounding = [this](const CompiledChart&, TextRange text) { sounding.push_back(text); };
        seams.tempoRaised = [this](std::int32_t tempo) { shownTempo = tempo; };
        seams.keyMoved = [this](int shift) { keyMoves.push_back(shift); };
        seams.failed = [this](const std::string& failure) { failures.push_back(failure); };
        engine = std::make_unique<PlaybackEngine>(std::move(seams));
    }

    void Note(Ticks time, std::uint8_t key) {
        chart.push_back([=](EventList& events) { events.AddEvent(MidiEvent::NoteOn(time, 0, key, 80)); });
    }
    void Highlight(Ticks time, int start, int end) {
        chart.push_back([=](EventList& events) { events.AddHighlight(start, end, time); });
    }
    void End(Ticks time) {
        chart.push_back([=](EventList& events) { events.AddEvent(MidiEvent::EndOfTrack(time)); });
    }

    //! The chart made of the events added so far, as a compile that was accepted makes it.
    [[nodiscard]] std::shared_ptr<const CompiledChart> Chart() const {
        auto compiled = std::make_shared<CompiledChart>();
        for (const auto& add : chart) {
            add(compiled->performance);
        }
        compiled->performance.Finish();
        for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
            const MidiEvent& event = compiled->performance[i];
            if (event.kind == EventKind::Highlight) {
                compiled->cues.push_back({i, {event.start(), event.end()}});
            }
        }
        return compiled;
    }

    void Play() { failure = engine->Play(Chart(), deviceName); }
    //! A tick at the given clock reading.
    void TickAt(std::int64_t ms) {
        clock.now = ms;
        engine->OnPlaybackTimer();
    }
    //! The first of the given ticks at which the port has received count messages; -1 when none.
    std::int64_t FirstTickWithMessages(std::size_t count, std::int64_t from, std::int64_t to) {
        for (std::int64_t ms = from; ms <= to; ++ms) {
            TickAt(ms);
            if (recording.messages.size() >= count) {
                return ms;
            }
        }
        return -1;
    }
    std::vector<std::uint8_t> KeysSent() const {
        std::vector<std::uint8_t> keys;
        for (const RecordedMessage& message : recording.messages) {
            keys.push_back(message.data1);
        }
        return keys;
    }

    ManualClock clock;
    ManualTimer timer;
    PortRecording recording;
    int stateChanges = 0;
    std::vector<TextRange> sounding;
    std::int32_t shownTempo = kDefaultTempo;
    std::vector<int> keyMoves;
    std::vector<std::string> failures;
    std::vector<std::function<void(EventList&)>> chart;
    std::string deviceName = "Synth A";
    std::string failure;
    bool portOpens = true;
    int portsMade = 0;
    std::unique_ptr<PlaybackEngine> engine;
};

TEST_F(PlaybackEngineTest, PlayOpensTheChosenDeviceAndStartsTheTimer) {
    Note(0, 60);
    End(1920);
    clock.now = 1000;
    Play();

    EXPECT_EQ(failure, "");
    EXPECT_THAT(recording.openedNames, ElementsAre("Synth A"));
    EXPECT_FALSE(engine->IsStopped());
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(timer.period, 2);
    EXPECT_EQ(engine->State().clockOrigin, 1000);
    EXPECT_EQ(engine->State().ticksPerMs, 120 * 8.0 * 0.001);
    EXPECT_EQ(stateChanges, 1);
}

TEST_F(PlaybackEngineTest, AnEventIsPerformedOnTheFirstTickAtOrAfterItsTimeAtEveryTempo) {
    struct Case {
        std::int32_t tempo;
        std::int64_t dueMs;
    };
    for (const Case& c : {Case{120, 500}, Case{20, 3000}, Case{300, 200}}) {
        SCOPED_TRACE(c.tempo);
        chart.clear();
        recording.messages.clear();
        Note(0, 60);
        Note(480, 62);
        End(960);
        engine->SetPlaybackTempo(c.tempo);
        clock.now = 10'000;
        Play();
        TickAt(10'000);
        ASSERT_EQ(recording.messages.size(), 1u);
        EXPECT_EQ(FirstTickWithMessages(2, 10'001, 20'000), 10'000 + c.dueMs);
        EXPECT_EQ(recording.messages[1].time, 10'000 + c.dueMs);
        engine->OnStop();
    }
}

TEST_F(PlaybackEngineTest, PauseFreezesThePositionAndResumeContinuesFromIt) {
    Note(1200, 64);
    End(1920);
    Play();
    TickAt(1234);
    engine->OnPauseResume();
    EXPECT_EQ(engine->State().baseTicks, 1184);
    EXPECT_TRUE(engine->State().paused);

    // Paused time does not count, however long.
    TickAt(4000);
    TickAt(5000);
    EXPECT_TRUE(recording.messages.empty());

    engine->OnPauseResume();
    EXPECT_FALSE(engine->State().paused);
    EXPECT_EQ(FirstTickWithMessages(1, 5000, 6000), 5017);
}

TEST_F(PlaybackEngineTest, TempoChangeWhilePlayingRebasesThePosition) {
    Note(1440, 64);
    End(1920);
    Play();
    TickAt(1000);
    engine->SetPlaybackTempo(60);
    EXPECT_EQ(engine->State().baseTicks, 960);
    EXPECT_EQ(engine->State().clockOrigin, 1000);
    EXPECT_EQ(FirstTickWithMessages(1, 1001, 3000), 2000);
}

TEST_F(PlaybackEngineTest, TempoChangeWhilePausedOnlyChangesTheRate) {
    Note(1440, 64);
    End(1920);
    Play();
    TickAt(1000);
    engine->OnPauseResume();  // at 960 ticks
    engine->SetPlaybackTempo(60);
    EXPECT_EQ(engine->State().baseTicks, 960);
    clock.now = 8000;
    engine->OnPauseResume();
    EXPECT_EQ(FirstTickWithMessages(1, 8000, 10'000), 9000);
}

TEST_F(PlaybackEngineTest, TheEndIsNoticedOnTheTickAfterTheLastEvent) {
    Note(0, 60);
    End(480);
    Play();
    TickAt(500);
    EXPECT_FALSE(engine->IsStopped());
    EXPECT_EQ(recording.resets, 0);

    TickAt(502);
    EXPECT_TRUE(engine->IsStopped());
    EXPECT_EQ(recording.resets, 1);
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(engine->Playing(), nullptr);
    EXPECT_TRUE(failures.empty());
}

TEST_F(PlaybackEngineTest, EventsOfOneTimeAndLateEventsArePerformedInListOrderInOneTick) {
    Note(0, 60);
    Note(0, 64);
    Note(480, 67);
    Note(960, 72);
    End(1920);
    Play();
    TickAt(1500);  // a tick held up by a modal dialog
    EXPECT_THAT(KeysSent(), ElementsAre(60, 64, 67, 72));
    for (const RecordedMessage& message : recording.messages) {
        EXPECT_EQ(message.time, 1500);
    }
}

TEST_F(PlaybackEngineTest, LoopingStartsAgainWithoutResettingTheDevice) {
    Note(0, 60);
    End(480);
    engine->OnLoop();
    EXPECT_TRUE(engine->State().looping);
    Play();
    TickAt(0);
    TickAt(500);
    TickAt(510);  // the end: back to the top on this tick
    EXPECT_FALSE(engine->IsStopped());
    EXPECT_EQ(recording.resets, 0);
    EXPECT_EQ(engine->State().clockOrigin, 510);
    ASSERT_EQ(recording.messages.size(), 2u);
    EXPECT_EQ(recording.messages[1].time, 510);

    engine->OnLoop();  // off during playback: stops at the next end
    TickAt(1010);
    TickAt(1012);
    EXPECT_TRUE(engine->IsStopped());
    EXPECT_EQ(recording.messages.size(), 2u);
}

TEST_F(PlaybackEngineTest, AnEmptyPerformanceStopsOnTheFirstTickEvenWhenLooping) {
    engine->OnLoop();
    Play();
    EXPECT_FALSE(engine->IsStopped());
    TickAt(2);
    EXPECT_TRUE(engine->IsStopped());
}

TEST_F(PlaybackEngineTest, HighlightsReportTheSoundingChordAndSendNothing) {
    Highlight(0, 10, 13);
    Highlight(960, 0, 0);
    End(1920);
    Play();
    TickAt(0);
    EXPECT_THAT(sounding, ElementsAre(TextRange{10, 13}));
    TickAt(1000);
    EXPECT_THAT(sounding, ElementsAre(TextRange{10, 13}, TextRange{0, 0}));
    EXPECT_TRUE(recording.messages.empty());
}

TEST_F(PlaybackEngineTest, HighlightsPerformedBeforeTheWindowLooksAreAllShownInOrderAcrossALoop) {
    Highlight(0, 10, 13);
    Highlight(480, 20, 23);
    End(960);
    engine->OnLoop();
    timer.holdHandBacks = true;
    Play();
    for (const std::int64_t ms : {0, 500, 1000, 1002}) {  // the last one starts the second time round
        TickAt(ms);
    }
    EXPECT_TRUE(sounding.empty());
    timer.onHandedBack();
    EXPECT_THAT(sounding, ElementsAre(TextRange{10, 13}, TextRange{20, 23}, TextRange{10, 13}));
}

TEST_F(PlaybackEngineTest, PlayWhilePlayingDoesNothing) {
    Note(0, 60);
    End(1920);
    Play();
    Play();
    EXPECT_EQ(portsMade, 1);
}

TEST_F(PlaybackEngineTest, StopWhilePausedRestoresEverythingAndTheNextPlayIsNotPaused) {
    Note(0, 60);
    End(1920);
    Play();
    engine->OnPauseResume();
    engine->OnStop();
    EXPECT_FALSE(engine->State().paused);
    EXPECT_EQ(recording.resets, 1);

    Play();
    TickAt(0);
    EXPECT_EQ(recording.messages.size(), 1u);
}

TEST_F(PlaybackEngineTest, StopWhileStoppedChangesNothing) {
    Note(0, 60);
    End(1920);
    Play();
    engine->OnStop();
    const int changes = stateChanges;
    engine->OnStop();
    EXPECT_EQ(recording.resets, 1);
    EXPECT_EQ(stateChanges, changes + 1);
    EXPECT_TRUE(engine->IsStopped());
}

TEST_F(PlaybackEngineTest, PauseWhileStoppedIsIgnored) {
    engine->OnPauseResume();
    EXPECT_FALSE(engine->State().paused);
}

TEST_F(PlaybackEngineTest, ADeviceThatDoesNotOpenLeavesTheEngineStoppedAndSaysSo) {
    Note(0, 60);
    End(1920);
    portOpens = false;
    Play();
    EXPECT_TRUE(engine->IsStopped());
    EXPECT_EQ(failure, "Cannot open MIDI device!");
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(stateChanges, 0);
}

TEST_F(PlaybackEngineTest, AFailedCompileOpensNothing) {
    auto broken = std::make_shared<CompiledChart>();
    broken->result.outcome = CompileOutcome::LanguageError;
    EXPECT_EQ(engine->Play(broken, deviceName), "");
    EXPECT_TRUE(engine->IsStopped());
    EXPECT_EQ(portsMade, 0);
    EXPECT_FALSE(timer.running);
}

TEST_F(PlaybackEngineTest, TicksWhileStoppedDoNothing) {
    Note(0, 60);
    End(1920);
    engine->OnPlaybackTimer();  // before any Play
    Play();
    engine->OnStop();
    TickAt(0);  // one that was on its way when Stop came
    EXPECT_TRUE(recording.messages.empty());
    EXPECT_EQ(recording.resets, 1);
}

TEST_F(PlaybackEngineTest, TheTempoSetBeforePlayHoldsThroughStop) {
    Note(480, 60);
    End(1920);
    engine->SetPlaybackTempo(90);
    Play();
    EXPECT_EQ(engine->State().tempo, 90);
    EXPECT_EQ(engine->State().ticksPerMs, 90 * 8.0 * 0.001);
    EXPECT_EQ(FirstTickWithMessages(1, 0, 2000), 667);

    // The live controls go on from there, and the tempo survives Stop.
    engine->SetPlaybackTempo(100);
    EXPECT_EQ(engine->State().tempo, 100);
    engine->OnStop();
    EXPECT_EQ(engine->State().tempo, 100);
}

TEST_F(PlaybackEngineTest, EnableRulesFollowTheState) {
    Note(0, 60);
    End(1920);
    using C = PlaybackCommand;
    const auto q = [this](C command) { return engine->QueryCommand(command); };

    EXPECT_EQ(q(C::Play), (CommandState{true, false}));
    EXPECT_EQ(q(C::PauseResume), (CommandState{false, false}));
    EXPECT_EQ(q(C::Stop), (CommandState{false, false}));
    EXPECT_EQ(q(C::ExportMidi), (CommandState{true, false}));
    EXPECT_EQ(q(C::Transpose), (CommandState{true, false}));
    EXPECT_EQ(q(C::Edit), (CommandState{true, false}));
    EXPECT_EQ(q(C::Loop), (CommandState{true, false}));

    engine->OnLoop();
    Play();
    EXPECT_EQ(q(C::Play), (CommandState{false, true}));
    EXPECT_EQ(q(C::PauseResume), (CommandState{true, false}));
    EXPECT_EQ(q(C::Stop), (CommandState{true, false}));
    EXPECT_EQ(q(C::ExportMidi), (CommandState{false, false}));
    EXPECT_EQ(q(C::Transpose), (CommandState{false, false}));
    EXPECT_EQ(q(C::Edit), (CommandState{false, false}));
    EXPECT_EQ(q(C::Loop), (CommandState{true, true}));

    engine->OnPauseResume();
    EXPECT_EQ(q(C::PauseResume), (CommandState{true, true}));
    EXPECT_EQ(q(C::Play), (CommandState{false, true}));
}

TEST_F(PlaybackEngineTest, TheTimersTicksDriveItAndEveryChangeOfStateIsAnnounced) {
    Note(0, 60);
    End(480);
    Play();
    EXPECT_EQ(stateChanges, 1);
    ASSERT_TRUE(timer.onTick);
    clock.now = 1000;
    timer.onTick();
    EXPECT_EQ(recording.messages.size(), 1u);
    engine->OnPauseResume();
    engine->OnPauseResume();
    engine->OnLoop();
    engine->OnLoop();
    EXPECT_EQ(stateChanges, 5);
    timer.onTick();  // past the end: the engine stops itself
    EXPECT_TRUE(engine->IsStopped());
    EXPECT_EQ(stateChanges, 6);
}

TEST_F(PlaybackEngineTest, TheTimerIsWokenAtTheFirstMillisecondTheNextEventIsDue) {
    Note(0, 60);
    Note(1, 62);    // 1 tick: 1.04 ms at 0.96 ticks a millisecond
    Note(480, 64);  // one beat: 500 ms
    End(1920);
    clock.now = 100;
    Play();
    EXPECT_EQ(timer.wakeAt, 100);
    TickAt(100);
    EXPECT_EQ(timer.wakeAt, 102);
    TickAt(102);
    EXPECT_EQ(timer.wakeAt, 600);
    EXPECT_EQ(FirstTickWithMessages(3, 599, 600), 600);
    engine->OnPauseResume();  // nothing is due while paused
    timer.wakeAt = -1;
    TickAt(700);
    EXPECT_EQ(timer.wakeAt, -1);
}

TEST_F(PlaybackEngineTest, DestroyingTheEngineSilencesTheDevice) {
    Note(0, 60);
    End(1920);
    Play();
    engine.reset();
    EXPECT_EQ(recording.resets, 1);
    EXPECT_FALSE(timer.running);
}

//! The engine over a real compile of a chart, driven a millisecond at a time.
class CompiledChartPlayback : public PlaybackEngineTest {
  protected:
    //! Play chart at the tempo it starts with, as kaz-cli plays it; only measures when given.
    std::shared_ptr<const CompiledChart> PlayChart(const std::string& text,
                                                   std::optional<MeasureSpan> measures = std::nullopt,
                                                   PracticeTempo tempo = {}) {
        std::shared_ptr<const CompiledChart> compiled = Compile(text);
        EXPECT_TRUE(compiled->Accepted()) << text;
        engine->SetPlaybackTempo(PerformanceTempo(compiled->score, compiled->settings));
        failure = measures ? engine->PlayMeasures(compiled, deviceName, *measures, tempo)
                           : engine->Play(compiled, deviceName);
        return compiled;
    }
    //! The measures a selection of text touches.
    static MeasureSpan Touching(const std::string& text, TextRange selection) {
        return *SongMap(Compile(text)->score).MeasuresTouching(text, selection);
    }
    //! A tick at every millisecond from the last one up to ms.
    void RunUntil(std::int64_t ms) {
        for (; nextTick <= ms; ++nextTick) {
            TickAt(nextTick);
        }
    }
    //! The note-ons on channel, as (time, key).
    std::vector<std::pair<std::int64_t, int>> NoteOns(std::uint8_t channel) const {
        std::vector<std::pair<std::int64_t, int>> notes;
        for (const RecordedMessage& message : recording.messages) {
            if (message.status == kNoteOn + channel) {
                notes.emplace_back(message.time, message.data1);
            }
        }
        return notes;
    }
    //! The keys of channel that sound once the messages up to time are sent.
    std::set<int> SoundingAt(std::int64_t time, std::uint8_t channel) const {
        std::set<int> keys;
        for (const RecordedMessage& message : recording.messages) {
            if (message.time > time || (message.status & 0x0F) != channel) {
                continue;
            }
            if ((message.status & 0xF0) == kNoteOn && message.data2 != 0) {
                keys.insert(message.data1);
            } else if ((message.status & 0xF0) == kNoteOff || (message.status & 0xF0) == kNoteOn) {
                keys.erase(message.data1);
            }
        }
        return keys;
    }

    std::int64_t nextTick = 0;
};

TEST_F(CompiledChartPlayback, PlaysAtTheChartsTempoAndReportsEachChordAsItSounds) {
    PlayChart("[TEMPO=60]\nC | G7 |\n");
    ASSERT_FALSE(engine->IsStopped());
    EXPECT_EQ(engine->State().tempo, 60);

    TickAt(0);
    EXPECT_EQ(sounding.back(), (TextRange{11, 12}));  // C
    TickAt(3999);
    EXPECT_EQ(sounding.back(), (TextRange{11, 12}));
    TickAt(4000);                                     // one 4/4 measure at 60
    EXPECT_EQ(sounding.back(), (TextRange{15, 17}));  // G7
    ASSERT_FALSE(recording.messages.empty());
    EXPECT_EQ(recording.messages.front(), (RecordedMessage{0, 0xC0, 26, 0}));
}

constexpr std::uint8_t kCountInNoteOn = kNoteOn + kCountInChannel;
constexpr std::uint8_t kCountInNoteOff = kNoteOff + kCountInChannel;

TEST_F(CompiledChartPlayback, ACountInClicksOneMeasureInTheFirstMeterAndTempoBeforeTheFirstNote) {
    engine->SetCountIn(true);
    PlayChart("[TEMPO=90]\n[3/4] C | [4/4] G |\n");
    RunUntil(1999);
    // Three beats of 3/4 at 90 bpm take 2000 ms, on a channel of their own; the first beat is higher.
    EXPECT_THAT(
        recording.messages,
        ElementsAre(
            RecordedMessage{0, kProgramChangeStatus + kCountInChannel, kCountInProgram, 0},
            RecordedMessage{0, kCountInNoteOn, 84, 127}, RecordedMessage{334, kCountInNoteOff, 84, 127},
            RecordedMessage{667, kCountInNoteOn, 77, 90}, RecordedMessage{1000, kCountInNoteOff, 77, 90},
            RecordedMessage{1334, kCountInNoteOn, 77, 90}, RecordedMessage{1667, kCountInNoteOff, 77, 90}));
    RunUntil(2000);
    ASSERT_FALSE(NoteOns(1).empty());
    EXPECT_EQ(NoteOns(1).front().first, 2000);
}

TEST_F(CompiledChartPlayback, LoopingStartsAgainWithoutTheCountIn) {
    engine->SetCountIn(true);
    engine->OnLoop();
    PlayChart("C\n");  // one measure of 4/4: 2000 ms at 120
    RunUntil(8000);
    EXPECT_EQ(NoteOns(kCountInChannel).size(), 4u);
    const auto bass = NoteOns(1);
    ASSERT_EQ(bass.size(), 3u);
    EXPECT_EQ(bass[0].first, 2000);
    EXPECT_LE(bass[1].first, 4002);
    EXPECT_LE(bass[2].first, 6004);
}

TEST_F(CompiledChartPlayback, LoopingGoesOnIntoTheTopWithoutTheBandsIntroAndWithTheTopsInstruments) {
    CompileOptions options;
    options.settings.style.library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    options.settings.style.intro = Intro::CountIn;
    const auto compiled =
        Compile("[TEMPO=120] [STYLE=Bossa nova]\nDm7 | G7 |\n[STYLE=Rock]\nE | A |\n", std::move(options));
    engine->SetPlaybackTempo(120);
    engine->OnLoop();
    ASSERT_EQ(engine->Play(compiled, deviceName), "");
    RunUntil(40000);
    EXPECT_EQ(NoteOns(kCountInChannel).size(), 4U);  // one measure of clicks, the first time only
    std::vector<int> comping;
    for (const RecordedMessage& message : recording.messages) {
        if (message.status == kProgramChangeStatus) {
            comping.push_back(message.data1);
        }
    }
    // The nylon guitar, the overdriven guitar, and the nylon guitar again at the top.
    const auto overdriven = std::find(comping.begin(), comping.end(), 29);
    ASSERT_NE(overdriven, comping.end());
    ASSERT_NE(overdriven + 1, comping.end());
    EXPECT_EQ(comping.front(), 24);
    EXPECT_EQ(*(overdriven + 1), 24);
}

TEST_F(CompiledChartPlayback, APracticeLoopPlaysOnlyTheSelectedMeasuresFasterEachTimeUpToTheCeiling) {
    const std::string chart = "C | Dm | Em | F | G |";
    const MeasureSpan measures = Touching(chart, {9, 15});  // "Em | F": measures 3 and 4
    PlayChart(chart, measures, {10, 135});
    ASSERT_FALSE(engine->IsStopped());
    EXPECT_EQ(engine->PractisedMeasures(), (MeasureSpan{3, 4}));
    std::vector<std::int32_t> tempos;
    for (std::int64_t end : {3999, 7692, 11248, 14804}) {
        RunUntil(end);
        tempos.push_back(shownTempo);
    }
    // Round by round at 120, 130, 135 and 135 bpm: two measures of 3840 ticks each time.
    EXPECT_THAT(tempos, ElementsAre(120, 130, 135, 135));
    const auto bass = NoteOns(1);
    std::vector<std::pair<std::int64_t, int>> pitches;
    for (const auto& [time, key] : bass) {
        pitches.emplace_back(time, key % 12);
    }
    EXPECT_THAT(pitches,
                ElementsAre(std::pair<std::int64_t, int>{0, 4}, std::pair<std::int64_t, int>{2000, 5},
                            std::pair<std::int64_t, int>{4000, 4}, std::pair<std::int64_t, int>{5847, 5},
                            std::pair<std::int64_t, int>{7693, 4}, std::pair<std::int64_t, int>{9471, 5},
                            std::pair<std::int64_t, int>{11249, 4}, std::pair<std::int64_t, int>{13027, 5}));
    // The instruments of the song are chosen before the first round.
    EXPECT_EQ(recording.messages[0], (RecordedMessage{0, 0xC0, 26, 0}));
    EXPECT_EQ(recording.messages[1], (RecordedMessage{0, 0xC1, 32, 0}));

    engine->OnStop();
    EXPECT_TRUE(engine->IsStopped());
    EXPECT_FALSE(engine->PractisedMeasures());
}

TEST_F(CompiledChartPlayback, ALoopMovesTheSongUpAFourthEachTimeRoundAndTellsTheWindow) {
    engine->SetKeyStepEachRound(5);
    engine->OnLoop();
    PlayChart("C = = F\n");  // one measure of 4/4: 2000 ms at 120, F held over the turn
    RunUntil(7999);
    // C, F, B flat, E flat: each round a fourth up, round the keys within a fifth of where it started.
    std::vector<int> roots;
    for (const auto& [time, key] : NoteOns(1)) {
        if (time % 2000 < 10) {
            roots.push_back(key);
        }
    }
    EXPECT_THAT(roots, ElementsAre(36, 41, 34, 39));
    EXPECT_THAT(keyMoves, ElementsAre(5, -2, 3));
    // Nothing struck in one key sounds on into the next: what sounds as the fourth round starts is its own
    // first chord.
    for (const std::uint8_t channel : {0, 1}) {
        std::set<int> struck;
        for (const auto& [time, key] : NoteOns(channel)) {
            if (time >= 6000 && time < 6010) {
                struck.insert(key);
            }
        }
        EXPECT_EQ(SoundingAt(6009, channel), struck) << int(channel);
    }
}

TEST_F(CompiledChartPlayback, ASongPlaysInTheKeyOfTheSetAndALoopStepsOnFromThere) {
    engine->SetKeyShift(2);
    engine->SetKeyStepEachRound(5);
    engine->OnLoop();
    PlayChart("C = = F\n");
    RunUntil(3999);
    std::vector<int> roots;
    for (const auto& [time, key] : NoteOns(1)) {
        if (time % 2000 < 10) {
            roots.push_back(key);
        }
    }
    // D, then a fourth up from D: G.
    EXPECT_THAT(roots, ElementsAre(38, 43));
}

TEST(ShiftingPort, MovesEveryNoteButTheDrumsAndLeavesOutWhatFallsOffTheKeyboard) {
    test::PortRecording recording;
    test::RecordingPort device(
        recording, [] { return 0; }, true);
    ShiftingPort port(device);
    port.SetShift(-2);
    port.SendShort(kNoteOn, 60, 90);
    port.SendShort(kNoteOn + kPercussionChannel, 42, 90);
    port.SendShort(kNoteOn, 1, 90);
    port.SendShort(0xB0, 7, 100);
    EXPECT_THAT(recording.messages, ElementsAre(RecordedMessage{0, kNoteOn, 58, 90},
                                                RecordedMessage{0, kNoteOn + kPercussionChannel, 42, 90},
                                                RecordedMessage{0, 0xB0, 7, 100}));
}

TEST_F(CompiledChartPlayback, AChordHeldPastThePracticeLoopIsReleasedWhenItGoesRound) {
    // The caret in the first measure, whose chord the second holds.
    PlayChart("C | = |", Touching("C | = |", {0, 0}));
    RunUntil(2000);
    std::vector<int> sounding;
    for (const RecordedMessage& message : recording.messages) {
        const int status = message.status & 0xF0;
        if (status == kNoteOn) {
            sounding.push_back(message.data1);
        } else if (status == kNoteOff) {
            std::erase(sounding, message.data1);
        }
        if (message.time == 2000 && status == kNoteOn) {
            break;
        }
    }
    // Only the key just struck again sounds when the next round begins.
    EXPECT_EQ(sounding.size(), 1u);
}

TEST_F(CompiledChartPlayback, AnEditedChartTakesOverAtTheNextMeasureOfTheLoopAndKeepsItsPlace) {
    // Two measures looped at 120: 2000 ms each. The second one's chord is changed in the first.
    const std::string before = "C | G7 |\n";
    PlayChart(before, MeasureSpan{1, 2});
    RunUntil(1000);
    const std::shared_ptr<const CompiledChart> edited = Compile("C | G7b9 |\n");
    ASSERT_TRUE(engine->Offer(edited));
    RunUntil(2500);
    // The new chart plays from the start of the second measure, on time: G7b9 has the A flat (8).
    std::set<int> pitchClasses;
    for (const int key : SoundingAt(2000, 0)) {
        pitchClasses.insert(key % 12);
    }
    EXPECT_TRUE(pitchClasses.contains(8));
    EXPECT_EQ(NoteOns(1).back(), (std::pair<std::int64_t, int>{2000, 31}));
    EXPECT_EQ(engine->Playing(), edited);
    EXPECT_EQ(sounding.back(), (TextRange{4, 8}));
    // Nothing of the first chart sounds on into the new one.
    EXPECT_TRUE(SoundingAt(2000, 1).contains(31));
    EXPECT_EQ(SoundingAt(2000, 1).size(), 1u);
    // The loop goes round in the new chart, in the same time.
    RunUntil(4500);
    EXPECT_EQ(NoteOns(1).back(), (std::pair<std::int64_t, int>{4000, 36}));
}

TEST_F(CompiledChartPlayback, AMixChangedWhilePlayingIsSentWhenTheEditedChartTakesOver) {
    PlayChart("#kaz:mixer=comping pan 40\nC | G7 | C | G7 |\n");
    RunUntil(1000);
    ASSERT_TRUE(engine->Offer(Compile("#kaz:mixer=comping pan 100\nC | G7 | C | G7 |\n")));
    RunUntil(2500);
    const auto pans = [&] {
        std::vector<std::pair<std::int64_t, int>> sent;
        for (const RecordedMessage& message : recording.messages) {
            if (message.status == 0xB0 && message.data1 == 10) {
                sent.emplace_back(message.time, message.data2);
            }
        }
        return sent;
    };
    // Sent with the last events before the second measure, as its notes are.
    EXPECT_EQ(pans(), (std::vector<std::pair<std::int64_t, int>>{{0, 40}, {1999, 100}}));
    // A chart whose mix is unchanged sends none again.
    ASSERT_TRUE(engine->Offer(Compile("#kaz:mixer=comping pan 100\nC | G7 | C | G9 |\n")));
    RunUntil(6500);
    EXPECT_EQ(pans().size(), 2u);
}

TEST_F(CompiledChartPlayback, AChartOfferedInTheSongTakesOverByMeasureNumber) {
    PlayChart("C | = | F |\n");
    RunUntil(3000);
    // A comment line above moves the text, not the measures.
    ASSERT_TRUE(engine->Offer(Compile("# a line above\nC | = | Bb |\n")));
    RunUntil(4100);
    EXPECT_EQ(SoundingAt(4000, 1), (std::set<int>{34}));
    EXPECT_EQ(NoteOns(1).back(), (std::pair<std::int64_t, int>{4000, 34}));
    EXPECT_EQ(sounding.back(), (TextRange{23, 25}));
}

TEST_F(CompiledChartPlayback, AnOfferWhileStoppedOrWithoutTheLoopsMeasuresIsRefused) {
    EXPECT_FALSE(engine->Offer(Compile("C |\n")));
    PlayChart("C | D | E |\n", MeasureSpan{2, 3});
    EXPECT_FALSE(engine->Offer(Compile("C | D |\n")));
    EXPECT_TRUE(engine->Offer(Compile("C | D | F |\n")));
}

}  // namespace
}  // namespace kaz
