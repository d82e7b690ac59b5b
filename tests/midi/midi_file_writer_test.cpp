#include "midi/midi_file_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/folder_test.h"

#ifdef __unix__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace kaz {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

Bytes ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::uint32_t BigEndian32(const Bytes& bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

//! One 4/4 measure of a C chord with a bass and two chord keys, the way the renderer lists it.
EventList OneMeasure() {
    EventList events;
    events.AddEvent(MidiEvent::Tempo(0, 120));
    events.AddEvent(MidiEvent::ProgramChange(0, 0, 26));
    events.AddEvent(MidiEvent::ProgramChange(0, 1, 32));
    events.AddEvent(MidiEvent::TimeSignature(0, 4, 4));
    events.AddHighlight(0, 1, 0);
    events.AddNote(0, 1, 36, 75, 0, 1728);
    events.AddNote(0, 0, 60, 80, 0, 1728);
    events.AddNote(0, 0, 64, 80, 0, 1728);
    events.AddEvent(MidiEvent::EndOfTrack(1920));
    events.Finish();
    return events;
}

//! Many measures, for a file of more than a megabyte.
EventList LongSong(int measures) {
    EventList events;
    for (int i = 0; i < measures; ++i) {
        events.AddHighlight(0, 1, i * 1920);
        events.ReleaseNoteOffs(0);
        for (std::uint8_t key = 48; key < 53; ++key) {
            events.AddNote(0, 0, key, 80, i * 1920, i * 1920 + 1728);
        }
    }
    events.AddEvent(MidiEvent::EndOfTrack(measures * 1920));
    events.Finish();
    return events;
}

class MidiFileWriterTest : public test::FolderTest {
  protected:
    //! The names in the folder: what an export leaves behind.
    [[nodiscard]] std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(MidiFileWriterTest, VariableLengthQuantitiesPutTheHighGroupsFirst) {
    const fs::path path = folder_ / "varlen.mid";
    MidiFileWriter writer;
    ASSERT_TRUE(writer.Open(path));
    for (const std::uint32_t value : {0u, 127u, 128u, 480u, 1728u, 0x0FFFFFFFu, 0xFFFFFFFFu}) {
        writer.WriteVarLen(value);
    }
    EXPECT_EQ(writer.ByteCount(), 17u);
    ASSERT_TRUE(writer.Close());
    const Bytes bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 39u);
    EXPECT_THAT(Bytes(bytes.begin() + 22, bytes.end()),
                ElementsAre(0x00, 0x7F, 0x81, 0x00, 0x83, 0x60, 0x8D, 0x40, 0xFF, 0xFF, 0xFF, 0x7F, 0x8F,
                            0xFF, 0xFF, 0xFF, 0x7F));
}

TEST_F(MidiFileWriterTest, FileHasTheHeadersTheCreditTextAndTheTrackLength) {
    const fs::path path = folder_ / "song.mid";
    ASSERT_TRUE(ExportMidiFile(OneMeasure(), path));
    const Bytes bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_THAT(Bytes(bytes.begin(), bytes.begin() + 18),
                ElementsAre('M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k'));
    EXPECT_EQ(BigEndian32(bytes, 18), bytes.size() - 22);

    const std::string credit = CreditText();
    EXPECT_EQ(credit, "\n\nThis file was created by Kaz software ( " + std::string(kHomePageUrl) + " )\n\n");
    ASSERT_LT(credit.size(), 128u);
    EXPECT_THAT(Bytes(bytes.begin() + 22, bytes.begin() + 26), ElementsAre(0x00, 0xFF, 0x01, credit.size()));
    EXPECT_EQ(std::string(bytes.begin() + 26, bytes.begin() + 26 + static_cast<long>(credit.size())), credit);

    // The highlight leaves no trace: the note-offs' delta spans the whole sounding length.
    EXPECT_THAT(Bytes(bytes.begin() + 26 + static_cast<long>(credit.size()), bytes.end()),
                ElementsAreArray<std::uint8_t>({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        //
                                                0x00, 0xC0, 26,   0x00, 0xC1, 32,                //
                                                0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08,  //
                                                0x00, 0x91, 36,   75,   0x00, 0x90, 60,   80,   0x00, 0x90,
                                                64,   80,   0x8D, 0x40, 0x81, 36,   75,   0x00, 0x80, 60,
                                                80,   0x00, 0x80, 64,   80,   0x81, 0x40, 0xFF, 0x2F, 0x00}));
}

TEST_F(MidiFileWriterTest, ExportingAgainReplacesTheFileWithTheSameBytes) {
    const fs::path path = folder_ / "song.mid";
    WriteBytes(path, "an older file, much longer than the new one will be ... ... ... ... ... ... ... ...");
    ASSERT_TRUE(ExportMidiFile(OneMeasure(), path));
    const Bytes first = ReadBytes(path);
    ASSERT_TRUE(ExportMidiFile(OneMeasure(), path));
    EXPECT_EQ(ReadBytes(path), first);
    EXPECT_EQ(first[0], 'M');
    EXPECT_THAT(Listing(), ElementsAre("song.mid"));
}

TEST_F(MidiFileWriterTest, LongTrackIsWrittenWholeAndItsLengthCountsEveryByte) {
    const fs::path path = folder_ / "long.mid";
    ASSERT_TRUE(ExportMidiFile(LongSong(40000), path));
    const Bytes bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 1u << 20);
    EXPECT_EQ(BigEndian32(bytes, 18), bytes.size() - 22);
    EXPECT_THAT(Bytes(bytes.end() - 3, bytes.end()), ElementsAre(0xFF, 0x2F, 0x00));
}

TEST_F(MidiFileWriterTest, MissingFolderOrAFolderInTheWayFailsAndLeavesNothing) {
    EXPECT_FALSE(ExportMidiFile(OneMeasure(), folder_ / "no such folder" / "song.mid"));
    fs::create_directory(folder_ / "song.mid");
    WriteBytes(folder_ / "song.mid" / "inside", "kept");
    EXPECT_FALSE(ExportMidiFile(OneMeasure(), folder_ / "song.mid"));
    EXPECT_FALSE(ExportMidiFile(OneMeasure(), ""));
    EXPECT_THAT(Listing(), ElementsAre("song.mid"));
    EXPECT_EQ(ReadBytes(folder_ / "song.mid" / "inside"), Bytes({'k', 'e', 'p', 't'}));
}

TEST_F(MidiFileWriterTest, AbandonedWriterRemovesItsTemporaryFileAndSparesTheTarget) {
    const fs::path path = folder_ / "song.mid";
    WriteBytes(path, "old");
    {
        MidiFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        EXPECT_FALSE(writer.Open(path));
        writer.WriteText("half a song");
        EXPECT_THAT(Listing(), ::testing::SizeIs(2));
    }
    EXPECT_THAT(Listing(), ElementsAre("song.mid"));
    EXPECT_EQ(ReadBytes(path), Bytes({'o', 'l', 'd'}));
}

#ifdef __unix__
TEST_F(MidiFileWriterTest, ReplacedFileKeepsItsPermissions) {
    const fs::path path = folder_ / "song.mid";
    WriteBytes(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ExportMidiFile(OneMeasure(), path));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(MidiFileWriterTest, LinkedFileIsReplacedAndTheLinkKept) {
    fs::create_directory(folder_ / "songs");
    WriteBytes(folder_ / "songs" / "song.mid", "old");
    fs::create_symlink(fs::path("songs") / "song.mid", folder_ / "link.mid");
    ASSERT_TRUE(ExportMidiFile(OneMeasure(), folder_ / "link.mid"));
    EXPECT_TRUE(fs::is_symlink(folder_ / "link.mid"));
    EXPECT_EQ(ReadBytes(folder_ / "songs" / "song.mid")[0], 'M');
    EXPECT_THAT(Listing(), ElementsAre("link.mid", "songs"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "songs"), fs::directory_iterator()), 1);
}

TEST_F(MidiFileWriterTest, ReadOnlyFileOrFolderIsNotWritten) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write anywhere";
    }
    const fs::path path = folder_ / "song.mid";
    WriteBytes(path, "old");
    fs::permissions(path, fs::perms::owner_read);
    EXPECT_FALSE(ExportMidiFile(OneMeasure(), path));
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(ExportMidiFile(OneMeasure(), folder_ / "new.mid"));
    fs::permissions(folder_, fs::perms::owner_all);
    EXPECT_THAT(Listing(), ElementsAre("song.mid"));
    EXPECT_EQ(ReadBytes(path), Bytes({'o', 'l', 'd'}));
}

//! Limits the size of files this process writes, as a full disk would, while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int);
};

TEST_F(MidiFileWriterTest, WriteErrorFailsTheExportAndLeavesTheOldFile) {
    const fs::path path = folder_ / "song.mid";
    WriteBytes(path, "old");
    bool exported = true;
    {
        const FileSizeLimit limit(64 * 1024);
        exported = ExportMidiFile(LongSong(12000), path);
    }
    EXPECT_FALSE(exported);
    EXPECT_THAT(Listing(), ElementsAre("song.mid"));
    EXPECT_EQ(ReadBytes(path), Bytes({'o', 'l', 'd'}));
}
#endif

}  // namespace
}  // namespace kaz
