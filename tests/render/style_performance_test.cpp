#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "language/compile_score.h"
#include "render/song_map.h"
#include "support/folder_test.h"

namespace kaz {
namespace {

constexpr std::uint8_t kChords = 0;
constexpr std::uint8_t kBass = 1;
constexpr Ticks kMeasure = TICKS_PER_WHOLE;

std::shared_ptr<const StyleLibrary> ShippedStyles() {
    static const auto library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    return library;
}

struct Performance {
    std::vector<MidiEvent> events;
    CompileResult result;

    [[nodiscard]] std::vector<MidiEvent> NotesOn(std::uint8_t channel) const {
        std::vector<MidiEvent> notes;
        for (const MidiEvent& event : events) {
            if (event.kind == EventKind::NoteOn && event.channel() == channel) {
                notes.push_back(event);
            }
        }
        return notes;
    }
    [[nodiscard]] std::string Text(bool highlightsOnly = false) const {
        std::string text;
        for (const MidiEvent& event : events) {
            if (!highlightsOnly || event.kind == EventKind::Highlight) {
                AppendEventLine(text, event);
            }
        }
        return text;
    }
};

Performance Play(std::string_view chart, std::string style, std::int32_t feel = 100, std::uint64_t seed = 1,
                 std::int32_t tempo = 120) {
    CompileOptions options;
    options.settings.transportTempo = tempo;
    options.settings.style.library = ShippedStyles();
    options.settings.style.name = std::move(style);
    options.settings.style.feel = feel;
    options.settings.style.seed = seed;
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(chart), options);
    Performance performance;
    performance.result = compiled->result;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        performance.events.push_back(compiled->performance[i]);
    }
    return performance;
}

TEST(StylePerformance, EveryShippedStyleIsRead) {
    EXPECT_TRUE(ShippedStyles()->Problems().empty()) << ShippedStyles()->Problems().front().Describe();
    for (const char* name :
         {"Medium swing", "Up-tempo swing", "Slow swing / ballad", "Jazz waltz", "Bossa nova", "Latin",
          "Even eighths / pop", "Rock", "Shuffle / blues", "Funk", "Country two-beat"}) {
        EXPECT_NE(ShippedStyles()->Find(name), nullptr) << name;
    }
}

TEST(StylePerformance, BlockChordsGiveThePlainPerformanceOfEveryTestChart) {
    for (const auto& entry : std::filesystem::directory_iterator(KAZ_TEST_DATA "/good")) {
        const std::string chart = test::ReadText(entry.path());
        const std::shared_ptr<const CompiledChart> plain = Compile(chart);
        ASSERT_TRUE(plain->Accepted()) << entry.path();
        Performance bare{{}, {}};
        for (std::size_t i = 0; i < plain->performance.size(); ++i) {
            bare.events.push_back(plain->performance[i]);
        }
        EXPECT_EQ(Play(chart, "").Text(), bare.Text()) << entry.path();
        EXPECT_EQ(Play(chart, std::string(kBlockChordsStyle)).Text(), bare.Text()) << entry.path();
    }
}

TEST(StylePerformance, HighlightsSelectEachChordWhenItBeginsWhateverTheStyle) {
    constexpr std::string_view chart = "[4/4] Dm7 G7 | Cmaj7 | % | A7 / D7 = |\n";
    EXPECT_EQ(Play(chart, "Bossa nova").Text(true), Play(chart, "").Text(true));
}

TEST(StylePerformance, WalkingBassLandsOnEveryChangeAndMovesByLessThanAnOctave) {
    constexpr std::string_view chart = "[4/4] F7 | Bb7 | F7 | Cm7 F7 | Bb7 | Bdim7 | F7 D7/F# | Gm7 C7 |\n";
    // The chords' roots, or the written bass, at the beat each begins on.
    const std::map<Ticks, int> landings{{0, 5},     {1920, 10}, {3840, 5},  {5760, 0},  {6720, 5}, {7680, 10},
                                        {9600, 11}, {11520, 5}, {12480, 6}, {13440, 7}, {14400, 0}};
    for (const std::uint64_t seed : {1, 2, 3}) {
        const std::vector<MidiEvent> bass = Play(chart, "Medium swing", 0, seed).NotesOn(kBass);
        // Four a measure, and the last chord on the style's tag: struck, then on the "and" of 3 and on 4.
        ASSERT_EQ(bass.size(), 33U);
        for (std::size_t i = 0; i < bass.size(); ++i) {
            EXPECT_GE(bass[i].key(), 28);
            EXPECT_LE(bass[i].key(), 55);
            if (i > 0) {
                EXPECT_LE(std::abs(bass[i].key() - bass[i - 1].key()), 12) << "note " << i;
            }
            if (const auto landing = landings.find(bass[i].time); landing != landings.end()) {
                EXPECT_EQ(bass[i].key() % 12, landing->second) << "at " << bass[i].time << " seed " << seed;
            }
        }
    }
}

TEST(StylePerformance, CompingPlaysOnlyTheChordsOwnPitchClasses) {
    constexpr std::string_view chart = "[CHORD wide = 0 7 16 21]\n[4/4] Cwide | F#m7-5 | Bb7+9 |\n";
    const std::vector<std::set<int>> classes{{0, 4, 7, 9}, {6, 9, 0, 4}, {10, 2, 5, 8, 1}, {}};
    // The close, shell and drop-2 voicings add no colour of their own (a pianist's rootless ones do).
    for (const char* style : {"Bossa nova", "Latin", "Country two-beat"}) {
        const std::vector<MidiEvent> comping = Play(chart, style).NotesOn(kChords);
        ASSERT_FALSE(comping.empty());
        for (const MidiEvent& note : comping) {
            // A hit played a few ticks early still belongs to its measure's chord; one pushed an eighth early
            // belongs to the next.
            const auto measure = static_cast<std::size_t>((note.time + 16) / kMeasure);
            EXPECT_TRUE(classes.at(measure).contains(note.key() % 12) ||
                        classes.at(measure + 1).contains(note.key() % 12))
                << style << " key " << int(note.key());
        }
    }
}

TEST(StylePerformance, SwingLatensTheOffBeatEighths) {
    constexpr std::string_view chart = "[4/4] C7 | C7 |\n";
    std::vector<Ticks> ride;
    for (const MidiEvent& note : Play(chart, "Medium swing", 0, 1, 100).NotesOn(kPercussionChannel)) {
        if (note.key() == 51 && note.time < kMeasure) {
            ride.push_back(note.time);
        }
    }
    // At 100 the first eighth of a beat takes 66 % of it.
    EXPECT_EQ(ride, (std::vector<Ticks>{0, 480, 797, 960, 1440, 1757}));
    for (const MidiEvent& note : Play(chart, "Even eighths / pop", 0, 1, 100).NotesOn(kPercussionChannel)) {
        if (note.time < kMeasure) {
            EXPECT_EQ(note.time % 240, 0);
        }
    }
}

TEST(StylePerformance, ASwingSettingReplacesEachStylesOwn) {
    const auto rideTimes = [](std::int32_t swing) {
        CompileOptions options;
        options.settings.transportTempo = 100;
        options.settings.style = {ShippedStyles(), "Medium swing", 1, 0, swing};
        const std::shared_ptr<const CompiledChart> compiled = Compile("[4/4] C7 | C7 |\n", options);
        EXPECT_TRUE(compiled->Accepted());
        std::vector<Ticks> ride;
        for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
            const MidiEvent& event = compiled->performance[i];
            if (event.kind == EventKind::NoteOn && event.channel() == kPercussionChannel &&
                event.key() == 51 && event.time < kMeasure) {
                ride.push_back(event.time);
            }
        }
        return ride;
    };
    EXPECT_EQ(rideTimes(kSwingEven), (std::vector<Ticks>{0, 480, 720, 960, 1440, 1680}));
    EXPECT_EQ(rideTimes(75), (std::vector<Ticks>{0, 480, 840, 960, 1440, 1800}));
    EXPECT_EQ(rideTimes(kStyleSwing), (std::vector<Ticks>{0, 480, 797, 960, 1440, 1757}));
}

TEST(StylePerformance, AWaltzPlaysThreeBeatsAMeasure) {
    const Performance waltz = Play("[3/4] Fmaj7 | Gm7 C7 | Fmaj7 |\n", "Jazz waltz", 0);
    std::vector<Ticks> bass;
    for (const MidiEvent& note : waltz.NotesOn(kBass)) {
        bass.push_back(note.time);
    }
    // C7 comes half way through its measure, and the bass lands on it there; the last chord is struck once
    // and held a measure longer.
    EXPECT_EQ(bass, (std::vector<Ticks>{0, 480, 960, 1440, 1920, 2160, 2400, 2880}));
    EXPECT_EQ(waltz.events.back().time, 4 * 1440);
}

TEST(StylePerformance, DrumsFillAtTheEndOfASectionAndCrashOnTheDownbeatAfterIt) {
    constexpr std::string_view chart = "[A] [4/4] E5 | A5 | E5 | B5 |\n[B] E5 | A5 | E5 | B5 |\n";
    for (const std::uint64_t seed : {1, 2, 3, 4}) {
        const Performance rock = Play(chart, "Rock", 0, seed);
        std::set<std::uint8_t> channels;
        std::set<Ticks> toms;
        std::set<Ticks> crashes;
        for (const MidiEvent& event : rock.events) {
            if (event.kind == EventKind::NoteOn) {
                channels.insert(event.channel());
                if (event.channel() == kPercussionChannel && event.key() == 41) {
                    toms.insert(event.time / kMeasure);
                } else if (event.channel() == kPercussionChannel && event.key() == 49) {
                    crashes.insert(event.time);
                }
            }
        }
        EXPECT_EQ(channels, (std::set<std::uint8_t>{kChords, kBass, kPercussionChannel}));
        EXPECT_TRUE(toms.contains(3)) << "seed " << seed;
        EXPECT_TRUE(crashes.contains(4 * kMeasure)) << "seed " << seed;
    }
}

TEST(StylePerformance, TheLastChordIsStruckWhereItFallsAndHeldToTheEnd) {
    for (const std::string& style : ShippedStyles()->Names()) {
        const Performance played = Play("[4/4] C7 | F7 | C7 | G7 C7 |\n", style, 100, 1);
        ASSERT_EQ(played.events.back().kind, EventKind::EndOfTrack) << style;
        const Ticks end = played.events.back().time;
        if (style == kBlockChordsStyle) {
            EXPECT_EQ(end, 4 * kMeasure);
            continue;
        }
        EXPECT_EQ(end, 5 * kMeasure) << style;
        // The comping's last chord, struck on beat 3 of the last measure (and again where the style's ending
        // figure has hits), sounds until the end.
        Ticks lastChordOn = -1;
        Ticks lastOff = 0;
        for (const MidiEvent& event : played.events) {
            if (event.channel() == kChords && event.kind == EventKind::NoteOn && lastChordOn < 0 &&
                event.time >= 3 * kMeasure + kMeasure / 2 - 8) {
                lastChordOn = event.time;
            } else if (event.channel() == kChords && event.kind == EventKind::NoteOff) {
                lastOff = event.time;
            }
        }
        EXPECT_NEAR(lastChordOn, 3 * kMeasure + kMeasure / 2, 8) << style;
        EXPECT_EQ(lastOff, end) << style;
    }
}

TEST(StylePerformance, RockEndsOnItsStopAndTheOthersUnderACymbalRoll) {
    const auto lastMeasure = [](const Performance& played, std::uint8_t channel, std::uint8_t key) {
        std::set<Ticks> times;
        for (const MidiEvent& event : played.NotesOn(channel)) {
            if (event.time >= 3 * kMeasure && (key == 0 || event.key() == key)) {
                times.insert(event.time - 3 * kMeasure);
            }
        }
        return times;
    };
    constexpr std::string_view chart = "[4/4] E5 | A5 | D5 | E5 |\n";
    const Performance rock = Play(chart, "Rock", 0);
    const std::set<Ticks> stop = {0, 3 * kMeasure / 8, 6 * kMeasure / 8};
    EXPECT_EQ(lastMeasure(rock, kChords, 0), stop);
    EXPECT_EQ(lastMeasure(rock, kBass, 0), stop);
    EXPECT_EQ(lastMeasure(rock, kPercussionChannel, 49), stop) << "a crash on every hit of the stop";
    EXPECT_EQ(rock.events.back().time, 5 * kMeasure);

    const Performance funk = Play(chart, "Funk", 0);
    EXPECT_EQ(lastMeasure(funk, kChords, 0), std::set<Ticks>{0});
    EXPECT_GT(lastMeasure(funk, kPercussionChannel, 51).size(), 10U) << "the ride rolls under the held chord";
}

TEST(StylePerformance, NothingSoundsAfterTheEndOfTheTrack) {
    // The last measure may be shorter than the nudge of a hit.
    for (const std::string& style : ShippedStyles()->Names()) {
        for (const std::string_view chart : {"[4/4] C7 | F7 | C7 | G7 |\n", "[4/4] C7 | [3/256] G7 |\n"}) {
            for (const std::uint64_t seed : {1, 2, 3}) {
                EXPECT_EQ(Play(chart, style, 100, seed).events.back().kind, EventKind::EndOfTrack) << style;
            }
        }
    }
}

//! The times of the comping's strikes in each measure, from the measure's start.
std::vector<std::set<Ticks>> CompingRhythms(const Performance& played, std::size_t measures) {
    std::vector<std::set<Ticks>> rhythms(measures);
    Ticks last = -1;
    for (const MidiEvent& note : played.NotesOn(kChords)) {
        const Ticks written = note.time + 16;  // a hit played a few ticks early belongs to its own beat
        if (written != last && written / kMeasure < static_cast<Ticks>(measures)) {
            rhythms[static_cast<std::size_t>(written / kMeasure)].insert((written % kMeasure) / 40);
        }
        last = written;
    }
    return rhythms;
}

TEST(StylePerformance, NoTwoBarsInARowOfSwingCompingShareARhythm) {
    constexpr std::string_view chart =
        "[4/4] Fmaj7 | D7 | Gm7 | C7 | Am7 D7 | Gm7 C7 | Fmaj7 D7 | Gm7 C7 |\n"
        "Fmaj7 | D7 | Gm7 | C7 | Am7 D7 | Gm7 C7 | F6 | Cm7 F7 | Bbmaj7 |\n";
    for (const char* style : {"Medium swing", "Up-tempo swing", "Medium up swing", "Even eighths / pop"}) {
        for (const std::uint64_t seed : {1, 2, 3, 4, 5}) {
            const std::vector<std::set<Ticks>> rhythms = CompingRhythms(Play(chart, style, 100, seed), 16);
            for (std::size_t bar = 1; bar < rhythms.size(); ++bar) {
                EXPECT_NE(rhythms[bar], rhythms[bar - 1]) << style << " seed " << seed << " bar " << bar + 1;
            }
        }
    }
}

TEST(StylePerformance, AChangeOnBeatThreeIsStruckOnBeatThree) {
    for (const std::string& style : ShippedStyles()->Names()) {
        const Performance played = Play("[4/4] C | F G | C | Dm G |\n", style, 0, 1);
        std::set<Ticks> strikes;
        for (const MidiEvent& note : played.NotesOn(kChords)) {
            strikes.insert(note.time);
        }
        for (const Ticks change : {kMeasure + kMeasure / 2, 3 * kMeasure + kMeasure / 2}) {
            // On the beat, or pushed an eighth, straight or swung, before it.
            EXPECT_NE(strikes.lower_bound(change - 240), strikes.upper_bound(change))
                << style << " at " << change;
        }
    }
}

TEST(StylePerformance, TheBassSoundsTheRootOrTheWrittenBassAtEveryChangeInEveryStyle) {
    constexpr std::string_view chart = "[4/4] C | F G/B | Am | Dm7 G7 | Eb/Bb | Ab7 | G7sus4 | C |\n";
    const std::map<Ticks, int> changes{{0, 0},    {1920, 5},  {2880, 11}, {3840, 9},  {5760, 2},
                                       {6720, 7}, {7680, 10}, {9600, 8},  {11520, 7}, {13440, 0}};
    for (const std::string& style : ShippedStyles()->Names()) {
        for (const std::uint64_t seed : {1, 2}) {
            const std::vector<MidiEvent> bass = Play(chart, style, 100, seed).NotesOn(kBass);
            for (const auto& [time, root] : changes) {
                // The note sounding at the change: struck on it (a few ticks either way) or before it and
                // held, as a tumbao anticipates.
                const MidiEvent* sounding = nullptr;
                for (const MidiEvent& note : bass) {
                    if (note.time <= time + 8) {
                        sounding = &note;
                    }
                }
                ASSERT_NE(sounding, nullptr) << style;
                EXPECT_EQ(sounding->key() % 12, root) << style << " seed " << seed << " at " << time;
            }
        }
    }
}

TEST(StylePerformance, TheRidesSkipNotesAreSofterThanItsBeats) {
    const Performance played = Play("[4/4] C7 | F7 | C7 | F7 | C7 | F7 |\n", "Medium swing", 0, 1);
    int beats = 0;
    int skips = 0;
    for (const MidiEvent& note : played.NotesOn(kPercussionChannel)) {
        if (note.key() == 51 && note.time < 5 * kMeasure) {
            const bool onBeat = note.time % 480 == 0;
            EXPECT_EQ(note.velocity(), onBeat ? 96 : 67) << note.time;
            (onBeat ? beats : skips) += 1;
        }
    }
    EXPECT_GT(beats, 0);
    EXPECT_GT(skips, 0);
}

TEST(StylePerformance, AMutedPartSendsNothingAndTheOthersTheirPlaceInTheMix) {
    CompileOptions options;
    options.settings.style = {ShippedStyles(), "Medium swing", 1, 100, kStyleSwing};
    options.settings.parts["drums"].muted = true;
    options.settings.parts["comping"].pan = 20;
    const std::shared_ptr<const CompiledChart> compiled = Compile("[4/4] C7 | F7 |\n", options);
    ASSERT_TRUE(compiled->Accepted());
    std::string controls;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        const MidiEvent& event = compiled->performance[i];
        EXPECT_NE(event.channel() == kPercussionChannel && event.kind != EventKind::Highlight &&
                      event.kind != EventKind::Tempo && event.kind != EventKind::TimeSignature &&
                      event.kind != EventKind::EndOfTrack,
                  true)
            << i;
        if (event.kind == EventKind::ControlChange) {
            AppendEventLine(controls, event);
        }
    }
    EXPECT_EQ(controls, "0 control 0 10 20\n0 control 0 91 40\n0 control 1 10 60\n0 control 1 91 18\n");
}

TEST(StylePerformance, TheChartsMixerLineMutesSolosAndSetsVolumes) {
    constexpr std::string_view chart = "[4/4] C7 | F7 |\n#kaz:mixer=bass solo, comping 99\n";
    const Performance soloed = Play(chart, "Funk");
    EXPECT_TRUE(soloed.NotesOn(kChords).empty());
    EXPECT_TRUE(soloed.NotesOn(kPercussionChannel).empty());
    EXPECT_FALSE(soloed.NotesOn(kBass).empty());
    const Performance plain = Play("[4/4] C7 | F7 |\n#kaz:mixer=minus-one bass\n", "");
    EXPECT_TRUE(plain.NotesOn(kBass).empty());
    EXPECT_EQ(plain.NotesOn(kChords).front().velocity(), 80);
}

TEST(StylePerformance, NoStrokeIsEndedByTheNoteOffOfTheOneBefore) {
    // Sixteenths in 4/4, and the eighths of a 4/4 pattern in 6/8, close enough for a nudge to overlap them.
    for (const char* chart : {"[4/4] E7 | A7 E7 | B7 |\n", "[6/8] C | F G | C |\n"}) {
        for (const std::string& style : ShippedStyles()->Names()) {
            for (const std::uint64_t seed : {1, 2, 3}) {
                std::map<std::pair<int, int>, int> sounding;
                for (const MidiEvent& event : Play(chart, style, 100, seed).events) {
                    if (event.kind == EventKind::NoteOn || event.kind == EventKind::NoteOff) {
                        int& count = sounding[{event.channel(), event.key()}];
                        count += event.kind == EventKind::NoteOn ? 1 : -1;
                        EXPECT_LE(count, 1) << style << " seed " << seed << " at " << event.time << " key "
                                            << int(event.key()) << " in " << chart;
                    }
                }
            }
        }
    }
}

TEST(StylePerformance, TheSameSeedGivesTheSamePerformance) {
    constexpr std::string_view chart = "[4/4] Am7 | D7 | Gmaj7 | Cmaj7 | F#m7-5 | B7 | Em6 | % |\n";
    EXPECT_EQ(Play(chart, "Latin", 100, 7).Text(), Play(chart, "Latin", 100, 7).Text());
    EXPECT_NE(Play(chart, "Latin", 100, 7).Text(), Play(chart, "Latin", 100, 8).Text());
}

TEST(StylePerformance, TheBandBuildsUpInTheBridgeAndInEachChorusAgain) {
    // An AABA of four-measure sections, twice round; the two A's open it lighter.
    const std::string chart =
        "[STYLE=Medium swing]\n|: [A] C | Am | Dm | G7 |\n[A] C | Am | Dm | G7 |\n"
        "[B] F | F | G | G7 |\n[A] C | Am | Dm | G7 :|\n";
    const Performance played = Play(chart, "", 0);
    std::map<Ticks, std::int32_t> bassOnDownbeat;
    for (const MidiEvent& note : played.NotesOn(kBass)) {
        if (note.time % kMeasure == 0) {
            bassOnDownbeat[note.time / kMeasure] = note.velocity();
        }
    }
    const std::int32_t lastA = bassOnDownbeat[12];
    EXPECT_GT(bassOnDownbeat[8], lastA);               // the bridge
    EXPECT_GT(bassOnDownbeat[16], lastA);              // the second chorus
    EXPECT_GT(bassOnDownbeat[24], bassOnDownbeat[8]);  // its bridge more still
    EXPECT_LT(bassOnDownbeat[0], lastA);               // the opening
}

TEST(StylePerformance, AStyleMarkChangesTheGrooveFromItsMeasure) {
    const Performance marked = Play("C | [STYLE=bossa nova] F | G |\n", "");
    ASSERT_TRUE(marked.result.Accepted());
    const std::vector<MidiEvent> drums = marked.NotesOn(kPercussionChannel);
    ASSERT_FALSE(drums.empty());
    EXPECT_GE(drums.front().time, kMeasure - 16);
}

TEST(StylePerformance, AnUnknownStyleMarkIsAnErrorAtTheMark) {
    const Performance unknown = Play("C |\n[STYLE= Polka ] F |\n", "");
    ASSERT_EQ(unknown.result.outcome, CompileOutcome::LanguageError);
    EXPECT_EQ(unknown.result.error.message, "Unknown style");
    EXPECT_EQ(unknown.result.error.text, "Polka");
    EXPECT_EQ(unknown.result.error.line, 2);
    EXPECT_EQ(unknown.result.error.selection, (TextRange{4, 19}));
}

std::shared_ptr<const CompiledChart> WithIntro(std::string_view chart, Intro intro, std::string style = "") {
    CompileOptions options;
    options.settings.style.library = ShippedStyles();
    options.settings.style.name = std::move(style);
    options.settings.style.intro = intro;
    return Compile(std::string(chart), options);
}

//! The text of each highlight and its time, in the performance's order.
std::vector<std::pair<std::string, Ticks>> Highlights(const CompiledChart& chart) {
    std::vector<std::pair<std::string, Ticks>> cues;
    for (const Cue& cue : chart.cues) {
        const TextRange text = cue.text;
        cues.emplace_back(chart.text.substr(static_cast<std::size_t>(text.start),
                                            static_cast<std::size_t>(text.end - text.start)),
                          chart.performance[cue.event].time);
    }
    return cues;
}

TEST(StyleIntro, TheLastFourBarsPlayBeforeTheTopAndThePlacesCountFromThere) {
    const auto chart = WithIntro("[STYLE=Bossa nova]\nDm7 | G7 | Cmaj7 | A7 | Em7 | A7 | Dm7 G7 | C6 |\n",
                                 Intro::LastFourBars);
    ASSERT_TRUE(chart->Accepted());
    EXPECT_EQ(chart->score.intro.ticks, 4 * kMeasure);
    const auto cues = Highlights(*chart);
    ASSERT_GE(cues.size(), 6U);
    EXPECT_EQ(cues[0], (std::pair<std::string, Ticks>{"Em7", 0}));
    EXPECT_EQ(cues[4].second, 3 * kMeasure);  // C6, the last measure of the intro
    EXPECT_EQ(cues[5], (std::pair<std::string, Ticks>{"Dm7", 4 * kMeasure}));

    const SongMap song(chart->score);
    EXPECT_EQ(song.MeasureStart(1), 4 * kMeasure);
    const SongPlace intro = song.PlaceAt(3 * kMeasure + 10, std::nullopt);
    EXPECT_TRUE(intro.intro);
    EXPECT_EQ(intro.measure, 8);
    ASSERT_NE(intro.next, nullptr);
    EXPECT_EQ(ChordName(*intro.next), "Dm7");  // the intro leads into the top
    EXPECT_FALSE(song.PlaceAt(4 * kMeasure, std::nullopt).intro);
    // The player's own count-in clicks before the intro, on its beats, however long the intro is.
    const auto shorter = WithIntro(
        "[STYLE=Bossa nova]\nDm7 | G7 | Cmaj7 | A7 | Em7 | A7 | Dm7 | [3/4] G7 |\n", Intro::LastFourBars);
    const SongPlace clicked = SongMap(shorter->score).PlaceAt(-kMeasure / 4, std::nullopt);
    EXPECT_TRUE(clicked.countIn);
    EXPECT_EQ(clicked.beat, 4);
    // A practice loop starts at its own measure, without the intro.
    EXPECT_TRUE(song.PlaceAt(10, MeasureSpan{2, 3}).countIn);
}

TEST(StyleIntro, ACountInClicksAMeasureOnItsOwnChannelBeforeTheBand) {
    const auto chart = WithIntro("[STYLE=Rock]\nE | A | E | B |\n", Intro::CountIn);
    ASSERT_TRUE(chart->Accepted());
    std::vector<Ticks> clicks;
    for (std::size_t i = 0; i < chart->performance.size(); ++i) {
        const MidiEvent& event = chart->performance[i];
        if (event.kind == EventKind::NoteOn && event.channel() == kCountInChannel) {
            clicks.push_back(event.time);
        } else if (event.kind == EventKind::NoteOn) {
            // The band comes in on the first measure, a hit a few ticks early at most.
            EXPECT_GT(event.time, kMeasure - TICKS_PER_QUARTER / 8);
        }
    }
    EXPECT_EQ(clicks, (std::vector<Ticks>{0, kMeasure / 4, kMeasure / 2, 3 * kMeasure / 4}));
    const SongPlace place = SongMap(chart->score).PlaceAt(kMeasure / 4 + 1, std::nullopt);
    EXPECT_TRUE(place.countIn);
    EXPECT_EQ(place.beat, 2);
}

TEST(StyleIntro, BlockChordsAndShortSongsGoStraightIn) {
    const std::string blocks = "C | F | G | C | Am | Dm | G7 | C |\n";
    const auto plain = WithIntro(blocks, Intro::None);
    const auto asked = WithIntro(blocks, Intro::LastFourBars);
    EXPECT_EQ(Highlights(*asked), Highlights(*plain));
    EXPECT_EQ(asked->score.intro.ticks, 0);
    EXPECT_EQ(WithIntro("[STYLE=Funk]\nE7 | A7 | E7 | B7 |\n", Intro::LastFourBars)->score.intro.ticks, 0);
}

}  // namespace
}  // namespace kaz
