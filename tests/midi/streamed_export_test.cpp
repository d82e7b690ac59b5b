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
        const std::shared_ptr<const CompiledChart> kept = Compile(chart);
        EXPECT_TRUE(kept->Accepted());
        EXPECT_TRUE(ExportMidiFile(kept->performance, folder_ / "kept.mid"));

        MidiFileExport file(folder_ / "streamed.mid", false);
        CompileOptions options;
        options.stream = &file;
        const std::shared_ptr<const CompiledChart> streamed = Compile(chart, options);
        EXPECT_TRUE(streamed->Accepted());
        EXPECT_TRUE(file.Close());
        EXPECT_TRUE(streamed->performance.empty());
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
    const std::shared_ptr<const CompiledChart> kept = Compile(chart);
    EXPECT_TRUE(kept->Accepted());
    std::string text;
    for (std::size_t i = 0; i < kept->performance.size(); ++i) {
        if (highlights || kept->performance[i].kind != EventKind::Highlight) {
            AppendEventLine(text, kept->performance[i]);
        }
    }
    return text;
}

//! The events of chart as they are handed on to a consumer that takes highlights or not.
std::string StreamedListing(const std::string& chart, bool highlights) {
    Listing listing(highlights);
    CompileOptions options;
    options.stream = &listing;
    EXPECT_TRUE(Compile(chart, options)->Accepted());
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
    MidiFileExport file(path, false);
    CompileOptions options;
    options.stream = &file;
    EXPECT_EQ(Compile("- | = |\n| |\n", options)->result.outcome, CompileOutcome::NothingToPlay);
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace kaz
