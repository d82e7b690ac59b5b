#include <gtest/gtest.h>

#include <zip.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "interchange/chart_reading.h"
#include "interchange/chart_text_writer.h"
#include "interchange/measure_spread.h"
#include "interchange/musicxml_reader.h"
#include "interchange/musicxml_writer.h"
#include "interchange/played_form.h"
#include "interchange/section_name.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

std::string ThroughMusicXml(const std::string& chart) {
    const ChartReading reading = test::ReadChartForTest(chart);
    EXPECT_TRUE(reading.Read()) << reading.error;
    const ImportedSongs back = ReadMusicXml(WriteMusicXml(reading.sheet));
    EXPECT_TRUE(back.Read()) << back.error.English();
    return back.Read() ? WriteChartText(back.songs.front()) : std::string();
}

//! The notes the chart plays, one "time kind channel key" line each.
std::string Notes(const std::string& chart) {
    const std::string notes = test::PlayedNotesForTest(chart);
    EXPECT_FALSE(notes.empty()) << chart;
    return notes;
}

std::string ScoreWith(const std::string& measures) {
    return "<?xml version=\"1.0\"?><score-partwise version=\"4.0\"><work><work-title>Test</work-title></work>"
           "<part-list><score-part id=\"P1\"><part-name>x</part-name></score-part></part-list>"
           "<part id=\"P1\">" +
           measures + "</part></score-partwise>";
}

TEST(MusicXmlRoundTrip, FormMarksComeBackAsTheyWereWritten) {
    const std::string chart =
        "# Written Out\n# Composer: Writer Tess\n[TEMPO=96]\n"
        "|: [A] Cmaj7 | [SEGNO] Am7 D7b9 | [1.] Dm7 = = G7 :| [2.] Fm6 [TO CODA] |\n"
        "| [B] [3/4] Bbm7b5 / | E7#9/G# [D.S. al Coda] | [CODA] N.C. | C69 Eb7sus4 Ab13 [FINE] |\n"
        "|: [4/4] Fmaj7 | G [x3] :|\n";
    EXPECT_EQ(ThroughMusicXml(chart), chart);
}

TEST(MusicXmlRoundTrip, TodaysChartsPlayTheSameNotes) {
    const std::string chart =
        "# Same Performance\n[TEMPO=140]\nCmaj7 | Am7 D7 | G7 = = Dm7 | % |\n"
        "[3/4] Em7 A7 Dm7 | Fm6 | Gsus4 | C/E G |\n";
    ASSERT_EQ(Notes(ThroughMusicXml(chart)), Notes(chart));
}

TEST(MusicXmlExport, SaysWhatTheLeadSheetCannotWrite) {
    const ChartReading reading = test::ReadChartForTest("D7-9 | Eb = | C = D | Cmaj7 |\n");
    ASSERT_TRUE(reading.Read()) << reading.error;
    EXPECT_EQ(InEnglish(MusicXmlDifferences(reading.sheet.measures)),
              (std::vector<std::string>{
                  "the chord D7-9, read back as D7b9",
                  "the hold (=) in measure 2, written as the chord before it played longer"}));
}

TEST(MusicXmlExport, TheWordsOfALyricLineAreSungUnderTheirChords) {
    const ChartReading reading = test::ReadChartForTest(">Oh, [G]sail a[D]way [C G]home\nC | G |\n>Hum\n");
    ASSERT_TRUE(reading.Read()) << reading.error;
    const std::string xml = WriteMusicXml(reading.sheet);
    std::vector<std::string> lyrics;
    for (std::size_t at = xml.find("<lyric"); at != std::string::npos; at = xml.find("<lyric", at + 1)) {
        const std::size_t syllabic = xml.find("<syllabic>", at) + 10;
        const std::size_t text = xml.find("<text>", at) + 6;
        lyrics.push_back(xml.substr(syllabic, xml.find('<', syllabic) - syllabic) + " " +
                         xml.substr(text, xml.find('<', text) - text));
    }
    EXPECT_EQ(lyrics, (std::vector<std::string>{"begin Oh, sail a", "end way", "single home"}));
    EXPECT_EQ(InEnglish(MusicXmlDifferences(reading.sheet.measures)),
              (std::vector<std::string>{"the words under measure 5, which stand under no chord"}));
    // The words change nothing that plays.
    EXPECT_EQ(ThroughMusicXml(">Oh, [G]sail a[D]way [C G]home\n"), "# Untitled\nG | D | C G |\n");
}

TEST(MusicXmlRoundTrip, TheStyleIsNamedOverTheFirstMeasure) {
    const std::string chart = "# Styled\n# Style: Bossa Nova\n[STYLE=Bossa nova]\nDm7 | G7 |\n";
    EXPECT_EQ(ThroughMusicXml(chart), chart);
}

TEST(MusicXmlReader, PlacesChordsByTheirTimeInTheMeasure) {
    const std::string measure =
        "<measure "
        "number=\"1\"><attributes><divisions>2</divisions><time><beats>4</beats><beat-type>4</beat-type>"
        "</time></attributes>"
        "<harmony><root><root-step>D</root-step></root><kind>minor-seventh</kind></harmony>"
        "<note><rest/><duration>6</duration></note>"
        "<harmony><root><root-step>G</root-step></root><kind>dominant</kind>"
        "<degree><degree-value>9</degree-value><degree-alter>-1</degree-alter><degree-type>alter</"
        "degree-type>"
        "</degree></harmony><note><rest/><duration>2</duration></note></measure>";
    const ImportedSongs songs = ReadMusicXml(ScoreWith(measure));
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(songs.songs.front().measures.front().chords,
              (std::vector<std::string>{"Dm7", "=", "=", "G7b9"}));
}

// ---- Lead sheets as other programs write them ----

//! A root ("Bb", "F#") as a harmony's root or bass element.
std::string Step(const std::string& prefix, const std::string& note) {
    std::string step = "<" + prefix + "-step>" + note.substr(0, 1) + "</" + prefix + "-step>";
    if (note.size() > 1) {
        step += "<" + prefix + "-alter>" + (note[1] == '#' ? "1" : "-1") + "</" + prefix + "-alter>";
    }
    return step;
}

std::string Harmony(const std::string& root, const std::string& kind, const std::string& more = "") {
    return "<harmony><root>" + Step("root", root) + "</root><kind>" + kind + "</kind>" + more + "</harmony>";
}

std::string Degree(int value, int alter, const std::string& type) {
    return "<degree><degree-value>" + std::to_string(value) + "</degree-value><degree-alter>" +
           std::to_string(alter) + "</degree-alter><degree-type>" + type + "</degree-type></degree>";
}

//! A note of the melody, in divisions of a quarter note (two a quarter in these lead sheets).
std::string Note(int duration) {
    return "<note><pitch><step>E</step><octave>5</octave></pitch><duration>" + std::to_string(duration) +
           "</duration></note>";
}

std::string Words(const std::string& words, const std::string& sound = "") {
    return "<direction><direction-type><words>" + words + "</words></direction-type>" + sound +
           "</direction>";
}

std::string Sign(const std::string& sign, const std::string& sound = "") {
    return "<direction><direction-type><" + sign + "/></direction-type>" + sound + "</direction>";
}

std::string Barline(const std::string& location, const std::string& content) {
    return "<barline location=\"" + location + "\">" + content + "</barline>";
}

//! Measures numbered from 1, the first with two divisions a quarter and 4/4.
std::string Measures(const std::vector<std::string>& contents) {
    std::string measures;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        measures +=
            "<measure number=\"" + std::to_string(i + 1) + "\">" +
            (i == 0 ? "<attributes><divisions>2</divisions><time><beats>4</beats><beat-type>4</beat-type>"
                      "</time></attributes>"
                    : "") +
            contents[i] + "</measure>";
    }
    return measures;
}

std::string ChartOf(const ImportedSongs& songs) {
    EXPECT_TRUE(songs.Read()) << songs.error.English();
    return songs.Read() ? WriteChartText(songs.songs.front()) : std::string();
}

TEST(MusicXmlChords, EveryKindImportsToAChordThatSoundsItsTones) {
    struct Kind {
        const char* kind;
        std::set<int> tones;
        bool all;  //!< the chord sounds these tones and no others; otherwise at least these
    };
    // Kaz voices ninth and eleventh chords in four notes, the ninth or eleventh in place of the third, and
    // plays "dim" with the diminished seventh.
    const Kind kinds[] = {
        {"major", {0, 4, 7}, true},
        {"minor", {0, 3, 7}, true},
        {"augmented", {0, 4, 8}, true},
        {"diminished", {0, 3, 6}, false},
        {"dominant", {0, 4, 7, 10}, true},
        {"major-seventh", {0, 4, 7, 11}, true},
        {"minor-seventh", {0, 3, 7, 10}, true},
        {"diminished-seventh", {0, 3, 6, 9}, true},
        {"augmented-seventh", {0, 4, 8, 10}, true},
        {"half-diminished", {0, 3, 6, 10}, true},
        {"major-minor", {0, 3, 7, 11}, true},
        {"major-sixth", {0, 4, 7, 9}, true},
        {"minor-sixth", {0, 3, 7, 9}, true},
        {"dominant-ninth", {0, 10, 2}, false},
        {"major-ninth", {0, 11, 2}, false},
        {"minor-ninth", {0, 10, 2}, false},
        {"dominant-11th", {0, 10, 5}, false},
        {"major-11th", {0, 11, 5}, false},
        {"minor-11th", {0, 10, 5}, false},
        {"dominant-13th", {0, 4, 10, 9}, false},
        {"major-13th", {0, 4, 11, 9}, false},
        {"minor-13th", {0, 3, 10, 9}, false},
        {"suspended-second", {0, 2, 7}, true},
        {"suspended-fourth", {0, 5, 7}, true},
        {"Neapolitan", {0, 4, 7}, true},
        {"Italian", {0, 4, 10}, false},
        {"French", {0, 4, 6, 10}, true},
        {"German", {0, 4, 7, 10}, true},
        {"pedal", {0}, false},
        {"power", {0, 7}, true},
        {"Tristan", {0, 3, 6, 10}, true},
        {"other", {0, 5, 7, 10}, true},
    };
    for (const Kind& kind : kinds) {
        const std::string value = kind.kind;
        const std::string element =
            value == "other" ? "<kind text=\"7sus4\">other</kind>" : "<kind>" + value + "</kind>";
        const std::string chart = ChartOf(ReadMusicXml(ScoreWith(Measures(
            {"<harmony><root><root-step>C</root-step></root>" + element + "</harmony>" + Note(8)}))));
        const std::set<int> sounded = test::SoundedPitchClassesForTest(chart);
        EXPECT_TRUE(kind.all
                        ? sounded == kind.tones
                        : std::includes(sounded.begin(), sounded.end(), kind.tones.begin(), kind.tones.end()))
            << kind.kind << ":\n"
            << chart;
    }
    const std::string none = ChartOf(ReadMusicXml(
        ScoreWith(Measures({Harmony("C", "major") + Note(8),
                            "<harmony><root><root-step/></root><kind>none</kind></harmony>" + Note(8)}))));
    EXPECT_EQ(test::PlayedFormForTest(none), "C | N.C.");
}

TEST(MusicXmlChords, DegreesReadAsTheEverydaySpelling) {
    const std::pair<std::string, std::string> chords[] = {
        {Harmony("D", "dominant", Degree(9, 1, "add")), "D7#9"},
        {Harmony("G", "dominant", Degree(9, -1, "add")), "G7b9"},
        {Harmony("Ab", "major-seventh", Degree(11, 1, "add")), "Abmaj7#11"},
        {Harmony("C", "suspended-fourth", Degree(7, 0, "add")), "C7sus4"},
        {Harmony("C", "dominant", Degree(5, -1, "alter")), "C7b5"},
        {Harmony("B", "dominant", Degree(5, 1, "alter") + Degree(9, 1, "add")), "B7#5#9"},
        {Harmony("Eb", "major", Degree(2, 0, "add")), "Ebadd9"},
        {Harmony("F", "major-sixth", Degree(9, 0, "add")), "F69"},
        {Harmony("Bb", "dominant-13th", Degree(9, -1, "alter")), "Bb13b9"},
        {Harmony("C", "minor-seventh", Degree(5, -1, "alter")), "Cm7b5"},
        // The kind's text is a hint: the kind and degrees say what sounds.
        {"<harmony><root><root-step>E</root-step></root><kind text=\"maj7\">minor-seventh</kind></harmony>",
         "Em7"},
        {Harmony("F#", "major", "<inversion>1</inversion>"), "F#/A#"},
        {Harmony("D", "dominant", "<inversion>3</inversion>"), "D7/C"},
        {Harmony("G", "major", "<bass>" + Step("bass", "B") + "</bass>"), "G/B"},
        // A root the chart has no name for is spelled as the same key.
        {"<harmony><root><root-step>F</root-step><root-alter>-2</root-alter></root><kind>major</kind>"
         "<bass><bass-step>C</bass-step></bass></harmony>",
         "Eb/C"},
        {Harmony("Cb", "minor-sixth"), "Cbm6"},
        {Harmony("E#", "major"), "F"},
        // Tones Kaz cannot play are left out, the fewest and least telling first.
        {Harmony("A", "dominant", Degree(4, 0, "add")), "A7"},
        {Harmony("C", "major", Degree(3, 0, "subtract")), "C5"},
    };
    for (const auto& [harmony, chord] : chords) {
        const ImportedSongs songs = ReadMusicXml(ScoreWith(Measures({harmony + Note(8)})));
        ASSERT_TRUE(songs.Read()) << songs.error.English();
        EXPECT_EQ(songs.songs.front().measures.front().chords, std::vector<std::string>{chord}) << harmony;
        EXPECT_EQ(test::PlayedFormForTest(songs), chord);
    }
    const ImportedSongs approximated =
        ReadMusicXml(ScoreWith(Measures({Harmony("A", "dominant", Degree(4, 0, "add")) + Note(8)})));
    EXPECT_EQ(InEnglish(approximated.problems),
              std::vector<std::string>{"what Kaz cannot play of the chord A7add11 (it plays A7)"});
}

TEST(MusicXmlReader, ReadsTheSuspendedSeventhsKazOnceWrote) {
    // Kaz wrote the seventh of "7sus4" as a diminished one; its files keep their chord.
    const std::string chord = Harmony("Eb", "suspended-fourth", Degree(7, -1, "add")) + Note(8);
    std::string kaz = ScoreWith(Measures({chord}));
    kaz.insert(kaz.find("<part-list>"),
               "<identification><encoding><software>Kaz</software></encoding></identification>");
    EXPECT_EQ(test::PlayedFormForTest(ReadMusicXml(kaz)), "Eb7sus4");
}

TEST(MusicXmlReader, PlacesChordsByTheirOffsetAndTheNotesBeforeThem) {
    // Beat 3 after a dotted half's worth of notes less a quarter backed up; an eighth before beat 4 by its
    // offset; a measure of 3/4 whose second chord falls on its last beat.
    const std::string score =
        ScoreWith(Measures({Harmony("C", "major-seventh") + Note(2) + Note(4) +
                                "<backup><duration>2</duration></backup>" + Harmony("A", "minor-seventh") +
                                Note(2) + Harmony("D", "dominant", "<offset>-1</offset>") + Note(2),
                            "<attributes><time><beats>3</beats><beat-type>4</beat-type></time></attributes>" +
                                Harmony("G", "major") + Note(4) + Harmony("E", "dominant") + Note(2)}));
    const ImportedSongs songs = ReadMusicXml(score);
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(songs.songs.front().measures[0].chords,
              (std::vector<std::string>{"Cmaj7", "=", "=", "=", "Am7", "D7", "=", "="}));
    EXPECT_EQ(WriteChartText(songs.songs.front()), "# Test\nCmaj7 = = = Am7 D7 = = | [3/4] G = E7 |\n");
}

TEST(MusicXmlForm, RepeatsEndingsAndDalSegnoAlCodaPlayInTheirOrder) {
    // |: A (segno) | B | [1.] C :| [2.] D (To Coda) | E (D.S. al Coda) | F (coda) |
    const std::string score = ScoreWith(Measures({
        Barline("left", "<repeat direction=\"forward\"/>") + Sign("segno", "<sound segno=\"segno\"/>") +
            "<direction><direction-type><rehearsal>A</rehearsal></direction-type></direction>" +
            Harmony("C", "major-seventh") + Note(8),
        Harmony("A", "minor-seventh") + Note(8),
        Barline("left", "<ending number=\"1\" type=\"start\"/>") + Harmony("D", "minor-seventh") + Note(8) +
            Barline("right", "<ending number=\"1\" type=\"stop\"/><repeat direction=\"backward\"/>"),
        Barline("left", "<ending number=\"2\" type=\"start\"/>") + Harmony("G", "dominant") + Note(8) +
            Words("To Coda", "<sound tocoda=\"coda\"/>") +
            Barline("right", "<ending number=\"2\" type=\"discontinue\"/>"),
        Harmony("E", "minor-seventh") + Note(8) + Words("D.S. al Coda", "<sound dalsegno=\"segno\"/>"),
        Sign("coda", "<sound coda=\"coda\"/>") + Harmony("F", "major") + Note(8),
    }));
    EXPECT_EQ(test::PlayedFormForTest(ReadMusicXml(score)),
              "Cmaj7 | Am7 | Dm7 | Cmaj7 | Am7 | G7 | Em7 | Cmaj7 | Am7 | G7 | F");
}

TEST(MusicXmlForm, SignsAndSoundsAsNotationProgramsLeaveThem) {
    // Two bare coda signs are "To Coda" and the coda; a bare dal segno sound goes al Coda; a first ending
    // that nothing follows is followed by the rest; a repeat never closed is played once.
    const std::string score = ScoreWith(Measures({
        Sign("segno") + Harmony("C", "major") + Note(8),
        Harmony("D", "minor") + Note(8) + Sign("coda"),
        Barline("left", "<repeat direction=\"forward\"/>") + Harmony("E", "minor") + Note(8),
        Barline("left", "<ending number=\"1\" type=\"start\"/>") + Harmony("F", "major") + Note(8) +
            Barline("right", "<ending number=\"1\" type=\"stop\"/><repeat direction=\"backward\"/>"),
        Harmony("G", "dominant") + Note(8) +
            "<direction><direction-type/><sound dalsegno=\"segno\"/></direction>",
        Sign("coda") + Harmony("A", "minor") + Note(8),
        Barline("left", "<repeat direction=\"forward\"/>") + Harmony("B", "diminished") + Note(8),
    }));
    const ImportedSongs songs = ReadMusicXml(score);
    EXPECT_EQ(test::PlayedFormForTest(songs), "C | Dm | Em | F | Em | G7 | C | Dm | Am | Bdim");
    EXPECT_EQ(InEnglish(songs.problems),
              std::vector<std::string>{"a repeat sign that no repeat sign closes in measure 7"});
}

TEST(MusicXmlForm, PickupMetersKeysAndTempo) {
    const std::string score = ScoreWith(
        "<measure number=\"0\" implicit=\"yes\"><attributes><divisions>2</divisions><key><fifths>-3</fifths>"
        "<mode>major</mode></key><time><beats>3</beats><beat-type>4</beat-type></time></attributes>" +
        Note(2) + "<sound tempo=\"96.4\"/></measure>" + "<measure number=\"1\">" + Harmony("Eb", "major") +
        Note(12) +
        "</measure><measure number=\"2\"><attributes><key><fifths>2</fifths></key><time><beats>2"
        "</beats><beat-type>4</beat-type></time></attributes>" +
        Harmony("D", "major") + Note(4) + "<sound tempo=\"1e300\"/><sound tempo=\"nan\"/></measure>" +
        "<measure number=\"3\" implicit=\"yes\">" + Harmony("A", "dominant") + Note(2) + "</measure>");
    EXPECT_EQ(ChartOf(ReadMusicXml(score)),
              "# Test\n# Key: Eb\n[KEY=Eb]\n# Pickup of 1/4 before the first measure\n[TEMPO=96]\n"
              "# Key: D\n[3/4] Eb | [2/4] D | [1/4] A7 |\n");
}

TEST(MusicXmlParts, TheChordsComeFromThePartThatHasThemAndTheFormFromEvery) {
    const std::string parts =
        "<?xml version=\"1.0\"?><score-partwise><part-list><score-part id=\"P1\"><part-name>Voice</part-name>"
        "</score-part><score-part id=\"P2\"><part-name>Guitar</part-name></score-part></part-list>"
        "<part id=\"P1\">" +
        Measures({Barline("left", "<repeat direction=\"forward\"/>") + Note(8),
                  Harmony("B", "minor-seventh") + Note(8) +
                      Barline("right", "<repeat direction=\"backward\"/>")}) +
        "</part><part id=\"P2\">" + Measures({Harmony("G", "major-seventh") + Note(8), Note(8)}) +
        "</part></score-partwise>";
    EXPECT_EQ(test::PlayedFormForTest(ReadMusicXml(parts)), "Gmaj7 | Bm7 | Gmaj7 | Bm7");
}

TEST(MusicXmlReader, FileTextNeverBecomesAMarkOfTheChart) {
    const std::string score = ScoreWith(Measures({
        "<direction><direction-type><rehearsal>A] [TEMPO=300] [STYLE=Funk] [x99</rehearsal>"
        "</direction-type></direction>" +
            Words("D.C.] [TEMPO=300") +
            "<harmony><root><root-step>C</root-step></root><kind text=\"7] "
            "[TEMPO=300\">other</kind></harmony>" +
            Note(8),
        "<direction><direction-type><rehearsal>verse 2</rehearsal></direction-type></direction>" +
            Harmony("F", "major") + Note(8),
    }));
    const std::string chart = ChartOf(ReadMusicXml(score));
    EXPECT_EQ(chart, "# Test\n# A] [TEMPO=300] [STYLE=Funk] [x99\n# D.C.] [TEMPO=300\nC |\n[Verse 2] F |\n");
}

TEST(SectionName, AnyNameTheChartReadsAsASectionAndNothingElse) {
    EXPECT_EQ(ChartSectionName("Strophe 2"), "Strophe 2");
    EXPECT_EQ(ChartSectionName("VERSE 2"), "Verse 2");
    for (const char* mark : {"Coda", "fine", "D.S. al Coda", "1.", "TEMPO 300", "a|b", "Solo]"}) {
        EXPECT_EQ(ChartSectionName(mark), std::nullopt) << mark;
    }
}

TEST(MusicXmlReader, NumbersOfAHostileFileAreBounded) {
    // Divisions, meter, durations, offsets, tempi and repeat counts far beyond any song's.
    const std::string score = ScoreWith(
        "<measure number=\"1\"><attributes><divisions>99999999999999999999</divisions><time><beats>"
        "2147483647</beats><beat-type>4</beat-type></time></attributes>" +
        Harmony("C", "major") + "<note><rest/><duration>9223372036854775807</duration></note>" +
        "<note><rest/><duration>9223372036854775807</duration></note>" +
        Harmony("G", "dominant", "<offset>-9223372036854775808</offset>") +
        Harmony("F", "major", "<offset>9223372036854775807</offset>") + "<sound tempo=\"1e300\"/>" +
        "</measure><measure number=\"2\"><attributes><divisions>2147483647</divisions></attributes>" +
        Harmony("D", "minor") + Harmony("A", "minor", "<offset>1</offset>") +
        "<note><rest/><duration>2147483647</duration></note>" +
        Barline("right", "<repeat direction=\"backward\" times=\"4000000000\"/>") + "</measure>");
    const ImportedSongs songs = ReadMusicXml(score);
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    ASSERT_EQ(songs.songs.front().measures.size(), 2U);
    for (const SheetMeasure& measure : songs.songs.front().measures) {
        EXPECT_LE(measure.chords.size(), static_cast<std::size_t>(kMaxMeasurePlaces));
    }
    EXPECT_EQ(songs.songs.front().tempo, 0);
    EXPECT_NE(test::PlayedFormForTest(songs).rfind("does not compile", 0), 0U) << ChartOf(songs);
}

TEST(MusicXmlReader, NeverExpandsEntities) {
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE score-partwise [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;&a;&a;"
        "&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY secret SYSTEM "
        "\"file:///etc/passwd\">]>" +
        ScoreWith(
            "<measure number=\"1\"><harmony><root><root-step>C</root-step></root><kind text=\"&c;&secret;\">"
            "major</kind></harmony><direction><direction-type><words>&secret;&c;</words></direction-type>"
            "</direction></measure>")
            .substr(21);
    const ImportedSongs songs = ReadMusicXml(laughs);
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    const std::string chart = WriteChartText(songs.songs.front());
    EXPECT_EQ(chart.find("root:"), std::string::npos);
    EXPECT_EQ(chart.find("aaaaaaaaaa"), std::string::npos);
    EXPECT_EQ(songs.songs.front().measures.front().chords.front(), "C");
}

TEST(MusicXmlReader, RefusesWhatIsNoScore) {
    EXPECT_EQ(ReadMusicXml("<score-partwise><part").error.English().rfind("not well-formed XML", 0), 0U);
    EXPECT_EQ(ReadMusicXml("<html/>").error.English(), "not a MusicXML score");
    EXPECT_EQ(ReadMusicXml(ScoreWith("<measure number=\"1\"/>")).error.English(),
              "the MusicXML score has no chord symbols");
}

TEST(MusicXmlReader, ReadsATimeWiseScore) {
    const std::string score =
        "<score-timewise><part-list><score-part id=\"P1\"/></part-list><measure number=\"1\"><part id=\"P1\">"
        "<attributes><divisions>1</divisions></attributes>" +
        Harmony("D", "minor-seventh") + "<note><rest/><duration>2</duration></note>" +
        Harmony("G", "dominant") + "</part></measure></score-timewise>";
    EXPECT_EQ(test::PlayedFormForTest(ReadMusicXml(score)), "Dm7 G7");
}

TEST(MusicXmlWriter, WritesALongSongInPiecesThatReadBack) {
    LeadSheet sheet;
    sheet.title = "Long";
    for (int i = 0; i < 1000; ++i) {
        SheetMeasure measure;
        measure.chords = {i % 2 == 0 ? "Dm7" : "G7b9"};
        sheet.measures.push_back(measure);
    }
    std::vector<std::size_t> pieces;
    std::string whole;
    ASSERT_TRUE(StreamMusicXml(sheet, [&](std::string_view piece) {
        pieces.push_back(piece.size());
        whole += piece;
        return true;
    }));
    EXPECT_GT(pieces.size(), 10U);
    EXPECT_LT(*std::max_element(pieces.begin(), pieces.end()), std::size_t{1} << 17);
    EXPECT_EQ(whole, WriteMusicXml(sheet));
    const ImportedSongs back = ReadMusicXml(whole);
    ASSERT_TRUE(back.Read());
    EXPECT_EQ(back.songs.front().measures.size(), 1000U);
    int offered = 0;
    EXPECT_FALSE(StreamMusicXml(sheet, [&](std::string_view) { return ++offered < 2; }));
    EXPECT_EQ(offered, 2);
}

//! An archive in memory holding one member.
std::string ArchiveWith(const std::string& name, const std::string& member) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_t* content = zip_source_buffer_create(member.data(), member.size(), 0, &error);
    zip_file_add(archive, name.c_str(), content, ZIP_FL_OVERWRITE);
    zip_close(archive);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer);
    zip_source_seek(buffer, 0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size));
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

TEST(CompressedMusicXml, TakesTheScoreTheContainerNames) {
    // A container may list a picture of the score before it, and name its path from the archive's root.
    const std::string container =
        "<container><rootfiles><rootfile full-path=\"song.pdf\" media-type=\"application/pdf\"/>"
        "<rootfile full-path=\"./score/song.xml\" media-type=\"application/vnd.recordare.musicxml+xml\"/>"
        "</rootfiles></container>";
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    const std::string score = ScoreWith(Measures({Harmony("Bb", "dominant") + Note(8)}));
    zip_file_add(archive, "META-INF/container.xml",
                 zip_source_buffer_create(container.data(), container.size(), 0, &error), 0);
    zip_file_add(archive, "score/song.xml", zip_source_buffer_create(score.data(), score.size(), 0, &error),
                 0);
    zip_close(archive);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string bytes(static_cast<std::size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    EXPECT_EQ(test::PlayedFormForTest(ReadCompressedMusicXml(bytes)), "Bb7");
}

TEST(CompressedMusicXml, ReadsTheScoreAndStopsAtTheUnpackedLimit) {
    const std::string score = ScoreWith(
        "<measure "
        "number=\"1\"><harmony><root><root-step>F</root-step></root><kind>major</kind></harmony></measure>");
    const ImportedSongs songs = ReadCompressedMusicXml(ArchiveWith("song.musicxml", score));
    ASSERT_TRUE(songs.Read()) << songs.error.English();
    EXPECT_EQ(songs.songs.front().measures.front().chords.front(), "F");

    const std::string bomb = ArchiveWith("song.musicxml", score + std::string(4 * 1024 * 1024, ' '));
    EXPECT_LT(bomb.size(), 64U * 1024U);
    EXPECT_EQ(ReadCompressedMusicXml(bomb, 1024 * 1024).error.English(),
              "the archive unpacks to more than 1 MiB, far more than a song");
    EXPECT_EQ(ReadCompressedMusicXml("PK\x03\x04 broken").error.English(),
              "not a readable compressed MusicXML (.mxl) file");
}

}  // namespace
}  // namespace kaz
