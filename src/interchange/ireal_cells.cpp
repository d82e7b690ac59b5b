#include "interchange/ireal_cells.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "interchange/ireal_chords.h"
#include "interchange/measure_spread.h"
#include "interchange/text_fields.h"
#include "language/chart_line_scanner.h"

namespace kaz {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 11> kJumpTexts = {{
    {"d.s. al coda", "D.S. al Coda"},
    {"d.c. al coda", "D.C. al Coda"},
    {"d.s. al fine", "D.S. al Fine"},
    {"d.c. al fine", "D.C. al Fine"},
    {"d.s. al segno", "D.S. al Segno"},
    {"d.c. al segno", "D.C. al Segno"},
    {"d.s.", "D.S."},
    {"d.c.", "D.C."},
    {"fine", "FINE"},
    {"to coda", "TO CODA"},
    {"d.s. al 2nd ending", "D.S."},
}};

constexpr std::array<std::pair<char, std::string_view>, 2> kSectionWords = {{{'V', "Verse"}, {'i', "Intro"}}};

//! Stand-ins the format uses to keep its strings short: an empty cell run, a bar line, a measure repeat.
std::string ExpandShorthands(std::string_view music) {
    std::string expanded;
    expanded.reserve(music.size() + music.size() / 4);
    for (std::size_t i = 0; i < music.size(); ++i) {
        const std::string_view rest = music.substr(i);
        if (rest.substr(0, 3) == "XyQ") {
            expanded += "   ";
            i += 2;
        } else if (rest.substr(0, 3) == "Kcl") {
            expanded += "| x";
            i += 2;
        } else if (rest.substr(0, 2) == "LZ") {
            expanded += " |";
            i += 1;
        } else {
            expanded += music[i];
        }
    }
    return expanded;
}

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool IsRootLetter(char c) {
    return c >= 'A' && c <= 'G';
}

//! A root or bass at the start of text: a letter and its sharp or flat; empty when there is none.
std::string_view NoteAt(std::string_view text) {
    if (text.empty() || !IsRootLetter(text[0])) {
        return {};
    }
    return text.substr(0, text.size() > 1 && (text[1] == 'b' || text[1] == '#') ? 2 : 1);
}

//! Whether the chart language reads name in brackets as a section mark ("A2", "Chorus", "Verse 2").
bool IsSectionName(std::string_view name) {
    if (name.empty() || name.find_first_of("[]\n") != std::string_view::npos) {
        return false;
    }
    const std::string mark = "[" + std::string(name) + "]";
    ChartLineScanner scanner;
    const ScannedChartLine line = scanner.Scan(mark, ChartLineState::Chords);
    return line.tokens.size() == 1 && line.tokens.front().kind == ChartTokenKind::Section &&
           line.tokens.front().length == static_cast<int>(mark.size());
}

struct Cell {
    int position;
    std::string symbol;  //!< empty for an empty cell
};

class CellReader {
  public:
    CellReading Read(std::string_view music) {
        const std::string text = ExpandShorthands(music);
        std::size_t i = 0;
        while (i < text.size()) {
            i = ReadSymbol(text, i);
        }
        if (HasSymbols()) {
            EndMeasure();
        }
        return std::move(reading_);
    }

  private:
    std::size_t ReadSymbol(std::string_view text, std::size_t i) {
        const char c = text[i];
        const std::string_view rest = text.substr(i);
        switch (c) {
            case '{':
                EndMeasureAtBar();
                current_.repeatOpens = true;
                lastEnding_ = 0;
                return i + 1;
            case '}':
                CloseRepeat();
                return i + 1;
            case '|':
            case '[':
            case ']':
            case 'Z':
                EndMeasureAtBar();
                return i + 1;
            case '*':
                return ReadSection(rest, i);
            case 'T':
                return ReadMeter(rest, i);
            case 'N':
                if (rest.size() > 1 && rest[1] >= '1' && rest[1] <= '9') {
                    ReadEnding(rest[1] - '0');
                    return i + 2;
                }
                return i + 1;
            case 'S':
                current_.segno = true;
                return i + 1;
            case 'Q':
                ReadCodaSign();
                return i + 1;
            case '<':
                return ReadComment(text, i);
            case '(':
                return ReadAlternate(text, i);
            case ' ':
                AddCell("");
                return i + 1;
            case 'x':
                AddCell("%");
                return i + 1;
            case 'r':
                AddCell("%%");
                return i + 1;
            case 'n':
                AddCell("N.C.");
                return i + 1;
            case 'p':
                AddCell("/");
                return i + 1;
            case 'W':
                return ReadChord(text, i, true);
            default:
                if (IsRootLetter(c)) {
                    return ReadChord(text, i, false);
                }
                // Fermatas, small and large chord marks, spacers, the end sign and separators only draw.
                return i + 1;
        }
    }

    //! The format numbers an ending with one digit; an ending that skips numbers after the one before it
    //! leaves those passes to the one before ("N1" then "N3": the first ending is played twice).
    void ReadEnding(int number) {
        if (lastEnding_ > 0 && number > lastEnding_ + 1 && lastEndingMeasure_ < reading_.measures.size()) {
            std::string& before = reading_.measures[lastEndingMeasure_].ending;
            for (int pass = lastEnding_ + 1; pass < number; ++pass) {
                before += std::to_string(pass) + ".";
            }
        }
        current_.ending = std::to_string(number) + ".";
        lastEnding_ = number;
        lastEndingMeasure_ = reading_.measures.size();
    }

    std::size_t ReadSection(std::string_view rest, std::size_t i) {
        if (rest.size() < 2) {
            return i + 1;
        }
        const char mark = rest[1];
        const auto word = std::find_if(kSectionWords.begin(), kSectionWords.end(),
                                       [&](const auto& entry) { return entry.first == mark; });
        if (word != kSectionWords.end()) {
            current_.section = std::string(word->second);
        } else if (std::isupper(static_cast<unsigned char>(mark))) {
            current_.section = std::string(1, mark);
        }
        return i + 2;
    }

    std::size_t ReadMeter(std::string_view rest, std::size_t i) {
        if (rest.size() < 3 || !std::isdigit(static_cast<unsigned char>(rest[1])) ||
            !std::isdigit(static_cast<unsigned char>(rest[2]))) {
            return i + 1;
        }
        // Two digits give numerator and denominator; 12/8 is the one meter written "T12".
        const bool twelveEight = rest[1] == '1' && rest[2] == '2';
        const int numerator = twelveEight ? 12 : rest[1] - '0';
        const int denominator = twelveEight ? 8 : rest[2] - '0';
        if (numerator > 0 && denominator > 0 && (numerator != beats_ || denominator != beatUnit_)) {
            current_.meterNumerator = numerator;
            current_.meterDenominator = denominator;
            beats_ = numerator;
            beatUnit_ = denominator;
        }
        return i + 3;
    }

    //! The first coda sign of a song is where the player leaves for the coda, the second where the coda
    //! starts; after a jump "al Coda" any sign is the coda itself.
    void ReadCodaSign() {
        ++codaSigns_;
        if (codaSigns_ == 1 && !jumpedAlCoda_) {
            SheetMeasure* measure =
                HasSymbols() || reading_.measures.empty() ? &current_ : &reading_.measures.back();
            measure->jump = "TO CODA";
        } else {
            current_.coda = true;
        }
    }

    std::size_t ReadComment(std::string_view text, std::size_t i) {
        std::size_t end = text.find('>', i);
        std::string_view comment =
            text.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
        if (comment.size() >= 3 && comment[0] == '*' &&
            std::isdigit(static_cast<unsigned char>(comment[1]))) {
            comment.remove_prefix(3);
        }
        ReadCommentText(Trimmed(comment));
        return end == std::string_view::npos ? text.size() : end + 1;
    }

    void ReadCommentText(std::string_view comment) {
        if (cellCount_ == 0 && IsSectionName(comment)) {
            // The format has signs for a few sections only; a comment opening a measure names the others.
            current_.section = std::string(comment);
            return;
        }
        const std::string lower = Lowercase(comment);
        SheetMeasure& measure =
            HasSymbols() || reading_.measures.empty() ? current_ : reading_.measures.back();
        for (const auto& [text, jump] : kJumpTexts) {
            if (lower == text) {
                measure.jump = std::string(jump);
                jumpedAlCoda_ = jumpedAlCoda_ || lower.ends_with("al coda");
                return;
            }
        }
        if (const int times = RepeatCount(lower); times > 0) {
            pendingTimes_ = times;
            return;
        }
        if (!comment.empty()) {
            Note("remark at measure " + std::to_string(MeasureNumber()) + ": " + std::string(comment));
        }
    }

    //! "3x", "x3" or "play 3x": how often the next closing repeat plays its passage; 0 for other text.
    static int RepeatCount(std::string_view lower) {
        const std::size_t x = lower.find('x');
        if (x == std::string_view::npos || lower.size() > 12) {
            return 0;
        }
        const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
        std::size_t start = x;
        while (start > 0 && isDigit(lower[start - 1])) {
            --start;
        }
        std::size_t end = x + 1;
        while (start == x && end < lower.size() && isDigit(lower[end])) {
            ++end;
        }
        const std::string_view digits =
            start < x ? lower.substr(start, x - start) : lower.substr(x + 1, end - x - 1);
        int times = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), times);
        return times >= 2 && times <= 99 ? times : 0;
    }

    std::size_t ReadAlternate(std::string_view text, std::size_t i) {
        const std::size_t end = text.find(')', i);
        const std::string_view alternate =
            text.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
        Note("alternate chord at measure " + std::to_string(MeasureNumber()) + ": " + std::string(alternate));
        return end == std::string_view::npos ? text.size() : end + 1;
    }

    std::size_t ReadChord(std::string_view text, std::size_t i, bool invisibleRoot) {
        std::size_t at = i;
        std::string root;
        if (invisibleRoot) {
            ++at;
        } else {
            root = std::string(NoteAt(text.substr(at)));
            at += root.size();
        }
        const std::size_t qualityLength = LinkQualityLength(text.substr(at));
        const std::string_view quality = text.substr(at, qualityLength);
        at += qualityLength;
        std::string bass;
        if (at < text.size() && text[at] == '/') {
            bass = std::string(NoteAt(text.substr(at + 1)));
            at += 1 + bass.size();
        }
        if (invisibleRoot) {
            AddInvisibleRootChord(bass);
        } else {
            std::string chord = root + EverydayQuality(quality).value_or(std::string(quality));
            lastChord_ = chord;
            AddCell(bass.empty() ? chord : chord + "/" + bass);
        }
        return at;
    }

    //! A chord with no root of its own is the chord before it over a new bass.
    void AddInvisibleRootChord(const std::string& bass) {
        if (lastChord_.empty() || bass.empty()) {
            Note("a chord without root at measure " + std::to_string(MeasureNumber()) + " is left out");
            AddCell("");
            return;
        }
        AddCell(lastChord_ + "/" + bass);
    }

    void AddCell(std::string symbol) {
        cells_.push_back({static_cast<int>(cellCount_), std::move(symbol)});
        ++cellCount_;
    }

    [[nodiscard]] bool HasSymbols() const {
        return std::any_of(cells_.begin(), cells_.end(),
                           [](const Cell& cell) { return !cell.symbol.empty(); });
    }

    void EndMeasureAtBar() {
        if (cellCount_ > 0) {
            EndMeasure();
        }
    }

    void CloseRepeat() {
        SheetMeasure& measure =
            cellCount_ > 0 || reading_.measures.empty() ? current_ : reading_.measures.back();
        measure.repeatCloses = pendingTimes_ > 0 ? pendingTimes_ : 2;
        pendingTimes_ = 0;
        EndMeasureAtBar();
    }

    void EndMeasure() {
        current_.chords = MeasureChords();
        const bool secondOfRepeat =
            !reading_.measures.empty() && reading_.measures.back().chords.size() == 1 &&
            reading_.measures.back().chords.front() == "%%" && !afterTwoMeasureRepeat_;
        if (secondOfRepeat && current_.chords.empty()) {
            // The sign that repeats two measures fills the measure after it too.
            MergeMarksInto(reading_.measures.back());
            afterTwoMeasureRepeat_ = true;
        } else {
            if (current_.chords.empty()) {
                Note("measure " + std::to_string(MeasureNumber()) + " is empty");
            }
            reading_.measures.push_back(std::move(current_));
            afterTwoMeasureRepeat_ = false;
        }
        current_ = SheetMeasure();
        cells_.clear();
        cellCount_ = 0;
    }

    void MergeMarksInto(SheetMeasure& measure) {
        if (!current_.jump.empty()) {
            measure.jump = current_.jump;
        }
        measure.repeatCloses = std::max(measure.repeatCloses, current_.repeatCloses);
    }

    //! The chords of the measure as the chart writes them: spread evenly when their cells are, otherwise held
    //! on the beats their cells stand for when the measure has a cell a beat (or on its own grid).
    std::vector<std::string> MeasureChords() {
        std::vector<PlacedChord> chords;
        for (const Cell& cell : cells_) {
            if (!cell.symbol.empty()) {
                chords.push_back({cell.position, cell.symbol});
            }
        }
        if (static_cast<int>(chords.size()) > beats_) {
            Note("measure " + std::to_string(MeasureNumber()) + " has more chords than beats");
        }
        // Fewer cells than beats, ending with a chord and with places left empty between the chords, are a
        // grid of their own: the chords of a measure that does not divide into its beats.
        const bool ownGrid = static_cast<int>(cellCount_) < beats_ && !cells_.empty() &&
                             !cells_.back().symbol.empty() && chords.size() < cells_.size();
        if (chords.empty() || (static_cast<int>(cellCount_) != beats_ && !ownGrid)) {
            std::vector<std::string> symbols;
            for (PlacedChord& chord : chords) {
                symbols.push_back(std::move(chord.symbol));
            }
            return symbols;
        }
        if (chords.front().position != 0) {
            // A measure that starts by holding on: a rest when there is nothing before it to hold.
            chords.insert(chords.begin(), {0, reading_.measures.empty() ? "-" : "="});
        }
        return SpreadChords(chords, static_cast<int>(cellCount_));
    }

    [[nodiscard]] int MeasureNumber() const { return static_cast<int>(reading_.measures.size()) + 1; }

    void Note(std::string note) { reading_.notes.push_back(std::move(note)); }

    CellReading reading_;
    SheetMeasure current_;
    std::vector<Cell> cells_;
    std::size_t cellCount_ = 0;
    int beats_ = 4;
    int beatUnit_ = 4;
    int codaSigns_ = 0;
    bool jumpedAlCoda_ = false;
    int pendingTimes_ = 0;
    bool afterTwoMeasureRepeat_ = false;
    std::string lastChord_;
    int lastEnding_ = 0;                 //!< the number of the last ending of the passage; 0 before one
    std::size_t lastEndingMeasure_ = 0;  //!< where it starts
};

// Writing.

constexpr std::array<std::pair<std::string_view, char>, 2> kSectionLetters = {
    {{"Verse", 'V'}, {"Intro", 'i'}}};

std::string SectionSign(const std::string& section) {
    if (section.size() == 1 && std::isupper(static_cast<unsigned char>(section[0]))) {
        return "*" + section;
    }
    for (const auto& [word, letter] : kSectionLetters) {
        if (section == word) {
            return std::string("*") + letter;
        }
    }
    return "<" + section + ">";
}

std::string MeterSign(int numerator, int denominator) {
    if (numerator == 12 && denominator == 8) {
        return "T12";
    }
    if (numerator < 1 || numerator > 9 || denominator < 1 || denominator > 9) {
        return {};
    }
    return "T" + std::to_string(numerator) + std::to_string(denominator);
}

std::string JumpText(const std::string& jump) {
    if (jump == "TO CODA") {
        return "Q";
    }
    if (jump == "FINE") {
        return "<Fine>";
    }
    return "<" + jump + ">";
}

//! A chart chord in the link's spelling: root, quality, bass; German H is the format's B.
std::string LinkChord(std::string_view chord) {
    std::string root(chord.substr(0, chord.size() > 1 && (chord[1] == 'b' || chord[1] == '#') ? 2 : 1));
    chord.remove_prefix(root.size());
    if (root[0] == 'H') {
        root[0] = 'B';
    }
    std::string_view bass;
    if (const std::size_t slash = chord.rfind('/');
        slash != std::string_view::npos && slash + 1 < chord.size() &&
        (IsRootLetter(chord[slash + 1]) || chord[slash + 1] == 'H')) {
        bass = chord.substr(slash + 1);
        chord = chord.substr(0, slash);
    }
    std::string written = root + LinkQuality(chord).quality;
    if (!bass.empty()) {
        written += "/";
        written += bass[0] == 'H' ? "B" + std::string(bass.substr(1)) : std::string(bass);
    }
    return written;
}

std::string CellSymbol(const std::string& symbol) {
    if (symbol == "%") {
        return "x";
    }
    if (symbol == "%%") {
        return "r";
    }
    if (symbol == "/") {
        return "p";
    }
    if (symbol == "N.C." || symbol == "NC" || symbol == "-") {
        return "n";
    }
    if (symbol == "=") {
        return " ";
    }
    return LinkChord(symbol);
}

//! The measure's cells: its symbols spread over its beats when they divide them, otherwise side by side.
std::string MeasureCells(const std::vector<std::string>& chords, int beats) {
    if (chords.empty()) {
        return std::string(static_cast<std::size_t>(std::max(beats, 1)), ' ');
    }
    const int count = static_cast<int>(chords.size());
    const int width = beats % count == 0 ? beats / count : 1;
    std::string cells;
    bool previousWasSymbol = false;
    for (const std::string& chord : chords) {
        const std::string symbol = CellSymbol(chord);
        const bool isSymbol = symbol != " ";
        if (isSymbol && previousWasSymbol && width == 1) {
            cells += ',';
        }
        cells += symbol;
        cells.append(static_cast<std::size_t>(width - 1), ' ');
        previousWasSymbol = isSymbol;
    }
    return cells;
}

}  // namespace

std::vector<std::string> LinkDifferences(const std::vector<SheetMeasure>& measures) {
    std::vector<std::string> remarks;
    const auto remark = [&](std::string text) {
        if (std::find(remarks.begin(), remarks.end(), text) == remarks.end()) {
            remarks.push_back(std::move(text));
        }
    };
    SheetMeasure meter;
    meter.meterNumerator = 4;
    meter.meterDenominator = 4;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const SheetMeasure& measure = measures[i];
        if (measure.meterNumerator > 0) {
            meter.meterNumerator = measure.meterNumerator;
            meter.meterDenominator = measure.meterDenominator;
        }
        if (measure.meterNumerator > 0 &&
            MeterSign(measure.meterNumerator, measure.meterDenominator).empty()) {
            remark("the meter " + std::to_string(measure.meterNumerator) + "/" +
                   std::to_string(measure.meterDenominator) + " of measure " + std::to_string(i + 1) +
                   ", which has no sign in the format");
        }
        for (const std::string& chord : measure.chords) {
            if (chord.empty() || !IsRootLetter(chord[0])) {
                continue;
            }
            const std::size_t root = chord.size() > 1 && (chord[1] == 'b' || chord[1] == '#') ? 2 : 1;
            if (!LinkQuality(std::string_view(chord).substr(root, chord.find('/') - root)).exact) {
                remark("the chord " + chord + ", written as " + LinkChord(chord));
            }
        }
        // The format has no hold sign: a hold stays only where the measure's cells still show it.
        const auto holds = [](const std::vector<std::string>& chords) {
            return std::count(chords.begin(), chords.end(), "=");
        };
        if (holds(measure.chords) > 0) {
            SheetMeasure alone = meter;
            alone.chords = measure.chords;
            const CellReading back = ReadCells(WriteCells({alone}));
            if (back.measures.empty() || holds(back.measures.front().chords) != holds(measure.chords)) {
                remark("the hold (=) in measure " + std::to_string(i + 1) +
                       ", written as the chord before it played longer");
            }
        }
    }
    return remarks;
}

CellReading ReadCells(std::string_view music) {
    return CellReader().Read(music);
}

std::string WriteCells(const std::vector<SheetMeasure>& measures) {
    std::string music;
    int beats = 4;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const SheetMeasure& measure = measures[i];
        if (measure.repeatOpens) {
            music += '{';
        } else if (i == 0) {
            music += '[';
        }
        if (!measure.section.empty()) {
            music += SectionSign(measure.section);
        }
        const std::string meter =
            measure.meterNumerator > 0 ? MeterSign(measure.meterNumerator, measure.meterDenominator) : "";
        if (!meter.empty()) {
            beats = measure.meterNumerator;
            music += meter;
        } else if (i == 0) {
            music += "T44";
        }
        if (!measure.ending.empty()) {
            music += "N" + measure.ending.substr(0, 1);
        }
        if (measure.segno) {
            music += 'S';
        }
        if (measure.coda) {
            music += 'Q';
        }
        music += MeasureCells(measure.chords, beats);
        if (!measure.jump.empty()) {
            music += JumpText(measure.jump);
        }
        if (measure.repeatCloses > 2) {
            music += "<" + std::to_string(measure.repeatCloses) + "x>";
        }
        const bool twoMeasures = measure.chords.size() == 1 && measure.chords.front() == "%%";
        if (twoMeasures) {
            music += '|' + std::string(static_cast<std::size_t>(beats), ' ');
        }
        const bool last = i + 1 == measures.size();
        if (measure.repeatCloses > 0) {
            music += '}';
        } else if (last) {
            music += 'Z';
        } else if (!measures[i + 1].repeatOpens) {
            music += '|';
        }
    }
    return music;
}

}  // namespace kaz
