#include "interchange/chart_text_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "interchange/text_fields.h"

namespace kaz {

namespace {

constexpr std::array<std::string_view, 10> kJumps = {
    "TO CODA",      "FINE",         "D.C.",         "D.S.",          "D.C. al Fine",
    "D.C. al Coda", "D.S. al Fine", "D.S. al Coda", "D.C. al Segno", "D.S. al Segno",
};

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

bool IsEnding(std::string_view mark) {
    if (mark.empty() || mark.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < mark.size(); i += 2) {
        if (mark[i] < '1' || mark[i] > '9' || mark[i + 1] != '.') {
            return false;
        }
    }
    return true;
}

class ChartTextReader {
  public:
    ChartReading Read(std::string_view text) {
        std::size_t lineNumber = 0;
        while (!text.empty() && reading_.error.empty()) {
            const std::size_t end = text.find('\n');
            std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            ++lineNumber;
            if (!line.empty() && line.front() == '#') {
                ReadComment(Trimmed(line.substr(1)));
            } else {
                ReadLine(line, lineNumber);
            }
        }
        return std::move(reading_);
    }

  private:
    void ReadComment(std::string_view comment) {
        LeadSheet& sheet = reading_.sheet;
        const auto field = [&](std::string_view name, std::string& into) {
            if (comment.starts_with(name) && into.empty()) {
                into = std::string(Trimmed(comment.substr(name.size())));
                return true;
            }
            return false;
        };
        if (sheet.title.empty() && !comment.empty() && !seenMeasure_) {
            sheet.title = std::string(comment);
            return;
        }
        std::string choruses;
        if (field("Composer:", sheet.composer) || field("Style:", sheet.style) || field("Key:", sheet.key)) {
            return;
        }
        if (field("Choruses:", choruses)) {
            sheet.choruses = WholeNumber(choruses).value_or(0);
        }
    }

    void ReadLine(std::string_view line, std::size_t lineNumber) {
        lineNumber_ = lineNumber;
        barsInRun_ = 0;
        repeatBarInRun_ = false;
        std::size_t i = 0;
        while (i < line.size() && reading_.error.empty()) {
            const char c = line[i];
            if (c == ' ' || c == '\t' || c == '*') {
                ++i;
            } else if (line.substr(i, 2) == "|:") {
                EndMeasureAtBar(true);
                pending_.repeatOpens = true;
                i += 2;
            } else if (line.substr(i, 2) == ":|") {
                CloseRepeat();
                i += 2;
            } else if (c == '|') {
                EndMeasureAtBar(false);
                ++i;
            } else if (c == '[') {
                const std::size_t close = line.find(']', i);
                if (close == std::string_view::npos) {
                    Fail("a mark is not closed with ]");
                    return;
                }
                ReadMark(line.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                std::size_t end = line.find_first_of(" \t|[", i);
                end = end == std::string_view::npos ? line.size() : end;
                if (end < line.size() && line[end] == '|' && end > i && line[end - 1] == ':') {
                    --end;
                }
                AddChord(line.substr(i, end - i));
                i = end;
            }
        }
        if (measureOpen_ && IsOnlyOpeningMarks(pending_)) {
            // A line of marks opens the measure the next line writes.
            carriedOver_ = true;
        } else if (measureOpen_) {
            CloseMeasure();
        } else {
            AddEmptyMeasures();
        }
    }

    static bool IsOnlyOpeningMarks(const SheetMeasure& measure) {
        return measure.chords.empty() && measure.jump.empty() && measure.repeatCloses == 0;
    }

    //! A bar line ends the open measure; bar lines with no measure between them stand for empty measures.
    void EndMeasureAtBar(bool repeatBar) {
        if (carriedOver_) {
            // The bar line that starts the line after a line of marks leaves no empty measure.
            return;
        }
        if (measureOpen_) {
            CloseMeasure();
            barsInRun_ = 0;
            repeatBarInRun_ = false;
        }
        ++barsInRun_;
        repeatBarInRun_ = repeatBarInRun_ || repeatBar;
    }

    void CloseRepeat() {
        const int times = times_ > 0 ? times_ : 2;
        times_ = 0;
        if (measureOpen_) {
            pending_.repeatCloses = times;
        } else if (!reading_.sheet.measures.empty()) {
            reading_.sheet.measures.back().repeatCloses = times;
        }
        EndMeasureAtBar(true);
    }

    void ReadMark(std::string_view mark) {
        LeadSheet& sheet = reading_.sheet;
        if (mark.starts_with("TEMPO=")) {
            sheet.tempo = WholeNumber(Trimmed(mark.substr(6))).value_or(0);
        } else if (mark.starts_with("STYLE=")) {
            sheet.style = std::string(Trimmed(mark.substr(6)));
        } else if (mark.starts_with("CHORD")) {
            // A chord of the chart's own keeps its name in the exports; its notes have no place there.
        } else if (const auto slash = mark.find('/');
                   slash != std::string_view::npos && WholeNumber(mark.substr(0, slash))) {
            OpenMeasure();
            pending_.meterNumerator = *WholeNumber(mark.substr(0, slash));
            pending_.meterDenominator = WholeNumber(mark.substr(slash + 1)).value_or(4);
        } else if (WholeNumber(mark)) {
            // A count mark only numbers the measures.
        } else if (mark.size() > 1 && mark.front() == 'x' && WholeNumber(mark.substr(1))) {
            times_ = *WholeNumber(mark.substr(1));
        } else if (IsEnding(mark)) {
            OpenMeasure();
            pending_.ending = std::string(mark);
        } else if (mark == "SEGNO") {
            OpenMeasure();
            pending_.segno = true;
        } else if (mark == "CODA") {
            OpenMeasure();
            pending_.coda = true;
        } else if (std::find(kJumps.begin(), kJumps.end(), mark) != kJumps.end()) {
            OpenMeasure();
            pending_.jump = std::string(mark);
        } else {
            OpenMeasure();
            pending_.section = std::string(mark);
        }
    }

    void AddChord(std::string_view chord) {
        OpenMeasure();
        carriedOver_ = false;
        pending_.chords.emplace_back(chord);
    }

    void OpenMeasure() {
        if (!measureOpen_) {
            AddEmptyMeasures();
            measureOpen_ = true;
        }
    }

    //! A run of plain bar lines stands for one empty measure fewer than it has bars.
    void AddEmptyMeasures() {
        const int empty = repeatBarInRun_ ? 0 : barsInRun_ - 1;
        for (int k = 0; k < empty; ++k) {
            reading_.sheet.measures.emplace_back();
        }
        barsInRun_ = 0;
        repeatBarInRun_ = false;
    }

    void CloseMeasure() {
        reading_.sheet.measures.push_back(std::move(pending_));
        pending_ = SheetMeasure();
        measureOpen_ = false;
        carriedOver_ = false;
        seenMeasure_ = true;
    }

    void Fail(const std::string& reason) {
        reading_.error = "line " + std::to_string(lineNumber_) + ": " + reason;
    }

    ChartReading reading_;
    SheetMeasure pending_;
    bool measureOpen_ = false;
    bool carriedOver_ = false;  //!< the open measure was opened by a line of marks and has no chord yet
    bool seenMeasure_ = false;
    int barsInRun_ = 0;
    bool repeatBarInRun_ = false;
    int times_ = 0;
    std::size_t lineNumber_ = 0;
};

}  // namespace

ChartReading ReadChartText(std::string_view text) {
    return ChartTextReader().Read(text);
}

}  // namespace kaz
