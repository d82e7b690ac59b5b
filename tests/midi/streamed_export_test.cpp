// The file written while the compile makes the performance is the file written from the kept performance.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "language/compile_score.h"
#include "midi/midi_file_writer.h"
#include "support/folder_test.h"

namespace kaz {
namespace {

namespace fs = std::filesystem;

using test::ReadText;

//! Many lines of chords, holds, rests, repeats and meter changes: far more events than one hand-over.
std::string LongChart() {
    std::string text = "[CHORD wide = 0 7 16 23 26 31]\n";
    for (int line = 0; line < 3000; ++line) {
        text += line % 7 == 0 ? "[3/4] Bb7 = | Cwide / - | % |\n" : "[4/4] F7 Dm7 | Gm7 C7/E = | %% | H |\n";
    }
    return text;
}

class StreamedExport : public test::FolderTest {
  protected:
    //! The file exported from the kept performance of chart, and the file streamed while it compiled.
    std::pair<std::string, std::string> Both(const std::string& chart) {
        CompileState kept;
        EXPECT_TRUE(Compile(kept, chart).Accepted());
        EXPECT_TRUE(ExportMidiFile(kept.events, folder_ / "kept.mid"));

        CompileState streamed;
        MidiFileExport file(folder_ / "streamed.mid", false);
        streamed.events.StreamTo(&file);
        EXPECT_TRUE(Compile(streamed, chart).Accepted());
        EXPECT_TRUE(file.Close());
        EXPECT_TRUE(streamed.events.empty());
        return {ReadText(folder_ / "kept.mid"), ReadText(folder_ / "streamed.mid")};
    }
};

TEST_F(StreamedExport, EqualsTheExportOfTheKeptPerformance) {
    for (const auto& entry : fs::directory_iterator(KAZ_TEST_DATA "/good")) {
        if (entry.path().extension() == ".kaz") {
            const auto [kept, streamed] = Both(ReadText(entry.path()));
            EXPECT_EQ(streamed, kept) << entry.path();
        }
    }
    const auto [kept, streamed] = Both(LongChart());
    EXPECT_GT(kept.size(), 1u << 20);
    EXPECT_EQ(streamed, kept);
}

//! The events as kaz-cli events lists them, as they are handed on.
class Listing final : public EventConsumer {
  public:
    explicit Listing(bool takesHighlights) : takesHighlights_(takesHighlights) {}
    void Take(std::span<const MidiEvent> events) override {
        for (const MidiEvent& event : events) {
            AppendEventLine(text, event);
        }
    }
    [[nodiscard]] bool TakesHighlights() const override { return takesHighlights_; }
    std::string text;

  private:
    bool takesHighlights_;
};

//! The kept performance of chart as kaz-cli events lists it, with its highlights or without them.
std::string KeptListing(const std::string& chart, bool highlights) {
    CompileState kept;
    EXPECT_TRUE(Compile(kept, chart).Accepted());
    std::string text;
    for (std::size_t i = 0; i < kept.events.size(); ++i) {
        if (highlights || kept.events[i].kind != EventKind::Highlight) {
            AppendEventLine(text, kept.events[i]);
        }
    }
    return text;
}

//! The events of chart as they are handed on to a consumer that takes highlights or not.
std::string StreamedListing(const std::string& chart, bool highlights) {
    CompileState streamed;
    Listing listing(highlights);
    streamed.events.StreamTo(&listing);
    EXPECT_TRUE(Compile(streamed, chart).Accepted());
    return listing.text;
}

TEST_F(StreamedExport, HandsOnTheEventsOfTheKeptPerformanceHighlightsIncluded) {
    const std::string chart = LongChart();
    EXPECT_EQ(StreamedListing(chart, true), KeptListing(chart, true));
}

TEST_F(StreamedExport, ConsumerWithoutHighlightsGetsEveryOtherEventInItsPlace) {
    const std::string chart = LongChart();
    EXPECT_EQ(StreamedListing(chart, false), KeptListing(chart, false));
}

TEST_F(StreamedExport, ChartWithoutANoteWritesNothing) {
    const fs::path path = folder_ / "silent.mid";
    CompileState state;
    MidiFileExport file(path, false);
    state.events.StreamTo(&file);
    EXPECT_EQ(Compile(state, "- | = |\n| |\n").outcome, CompileOutcome::NothingToPlay);
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace kaz
