#include <gtest/gtest.h>

#include <zip.h>

#include <string>

#include "interchange/chart_reading.h"
#include "interchange/chart_text_writer.h"
#include "interchange/musicxml_reader.h"
#include "interchange/musicxml_writer.h"
#include "language/compile_score.h"

namespace kaz {
namespace {

std::string ThroughMusicXml(const std::string& chart) {
    const ChartReading reading = test::ReadChartForTest(chart);
    EXPECT_TRUE(reading.Read()) << reading.error;
    const ImportedSongs back = ReadMusicXml(WriteMusicXml(reading.sheet));
    EXPECT_TRUE(back.Read()) << back.error;
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
    EXPECT_EQ(MusicXmlDifferences(reading.sheet.measures),
              (std::vector<std::string>{
                  "the chord D7-9, read back as D7b9",
                  "the hold (=) in measure 2, written as the chord before it played longer"}));
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
    ASSERT_TRUE(songs.Read()) << songs.error;
    EXPECT_EQ(songs.songs.front().measures.front().chords,
              (std::vector<std::string>{"Dm7", "=", "=", "G7b9"}));
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
    ASSERT_TRUE(songs.Read()) << songs.error;
    const std::string chart = WriteChartText(songs.songs.front());
    EXPECT_EQ(chart.find("root:"), std::string::npos);
    EXPECT_EQ(chart.find("aaaaaaaaaa"), std::string::npos);
    EXPECT_EQ(songs.songs.front().measures.front().chords.front(), "C");
}

TEST(MusicXmlReader, RefusesWhatIsNoScore) {
    EXPECT_EQ(ReadMusicXml("<score-partwise><part").error.rfind("not well-formed XML", 0), 0U);
    EXPECT_EQ(ReadMusicXml("<html/>").error, "not a MusicXML score");
    EXPECT_EQ(ReadMusicXml(ScoreWith("<measure number=\"1\"/>")).error,
              "the MusicXML score has no chord symbols");
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

TEST(CompressedMusicXml, ReadsTheScoreAndStopsAtTheUnpackedLimit) {
    const std::string score = ScoreWith(
        "<measure "
        "number=\"1\"><harmony><root><root-step>F</root-step></root><kind>major</kind></harmony></measure>");
    const ImportedSongs songs = ReadCompressedMusicXml(ArchiveWith("song.musicxml", score));
    ASSERT_TRUE(songs.Read()) << songs.error;
    EXPECT_EQ(songs.songs.front().measures.front().chords.front(), "F");

    const std::string bomb = ArchiveWith("song.musicxml", score + std::string(4 * 1024 * 1024, ' '));
    EXPECT_LT(bomb.size(), 64U * 1024U);
    EXPECT_EQ(ReadCompressedMusicXml(bomb, 1024 * 1024).error,
              "the archive unpacks to more than 1 MiB, far more than a song");
    EXPECT_EQ(ReadCompressedMusicXml("PK\x03\x04 broken").error,
              "not a readable compressed MusicXML (.mxl) file");
}

}  // namespace
}  // namespace kaz
