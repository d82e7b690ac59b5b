#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "language/compile_score.h"
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
        ASSERT_EQ(bass.size(), 32U);
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
    const std::vector<std::set<int>> classes{{0, 4, 7, 9}, {6, 9, 0, 4}, {10, 2, 5, 8, 1}};
    for (const char* style : {"Bossa nova", "Medium swing", "Funk"}) {
        const std::vector<MidiEvent> comping = Play(chart, style).NotesOn(kChords);
        ASSERT_FALSE(comping.empty());
        for (const MidiEvent& note : comping) {
            // A hit played a few ticks early still belongs to its measure's chord.
            const auto measure = static_cast<std::size_t>((note.time + 16) / kMeasure);
            EXPECT_TRUE(classes.at(measure).contains(note.key() % 12)) << style << " key " << int(note.key());
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
        EXPECT_EQ(note.time % 240, 0);
    }
}

TEST(StylePerformance, ASwingSettingReplacesEachStylesOwn) {
    const auto rideTimes = [](std::int32_t swing) {
        CompileOptions options;
        options.settings.transportTempo = 100;
        options.settings.style = {ShippedStyles(), "Medium swing", 1, 0, 100, swing};
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
    EXPECT_EQ(bass, (std::vector<Ticks>{0, 480, 960, 1440, 1920, 2400, 2880, 3360, 3840}));
    EXPECT_EQ(waltz.events.back().time, 3 * 1440);
}

TEST(StylePerformance, DrumsPlayOnChannelTenWithAFillInTheLastMeasure) {
    const Performance rock = Play("[4/4] E5 | A5 | E5 | B5 |\n", "Rock", 0);
    std::set<std::uint8_t> channels;
    bool tomBeforeTheEnd = false;
    bool tomAtTheEnd = false;
    for (const MidiEvent& event : rock.events) {
        if (event.kind == EventKind::NoteOn) {
            channels.insert(event.channel());
            if (event.channel() == kPercussionChannel && event.key() == 41) {
                (event.time < 3 * kMeasure ? tomBeforeTheEnd : tomAtTheEnd) = true;
            }
        }
    }
    EXPECT_EQ(channels, (std::set<std::uint8_t>{kChords, kBass, kPercussionChannel}));
    EXPECT_FALSE(tomBeforeTheEnd);
    EXPECT_TRUE(tomAtTheEnd);
}

TEST(StylePerformance, NoNoteRingsPastTheEndOfTheTrack) {
    // The last measure may be shorter than the nudge of a hit.
    const std::pair<std::string_view, Ticks> charts[] = {{"[4/4] C7 | F7 | C7 | G7 |\n", 4 * kMeasure},
                                                         {"[4/4] C7 | [3/256] G7 |\n", kMeasure + 22}};
    for (const std::string& style : ShippedStyles()->Names()) {
        for (const auto& [chart, end] : charts) {
            for (const std::uint64_t seed : {1, 2, 3}) {
                const Performance played = Play(chart, style, 100, seed);
                ASSERT_EQ(played.events.back().kind, EventKind::EndOfTrack) << style << " seed " << seed;
                EXPECT_EQ(played.events.back().time, end) << style;
            }
        }
    }
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

}  // namespace
}  // namespace kaz
