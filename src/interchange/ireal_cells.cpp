#include "interchange/ireal_cells.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

#include "interchange/ireal_chords.h"
#include "interchange/ireal_form.h"
#include "interchange/measure_spread.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

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

//! The remark in lower case, its runs of blanks made one.
std::string Normalised(std::string_view text) {
    std::string normal;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t';
        if (blank && (normal.empty() || normal.back() == ' ')) {
            continue;
        }
        normal += blank ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    while (!normal.empty() && normal.back() == ' ') {
        normal.pop_back();
    }
    return normal;
}

//! The jump a remark asks for, as the chart language writes it; nothing for other text. A jump "al 2nd
//! ending" is a plain one: after every jump a repeat plays its last ending.
std::optional<std::string> JumpOfRemark(std::string_view remark) {
    if (remark == "fine") {
        return "FINE";
    }
    if (remark == "to coda") {
        return "TO CODA";
    }
    const bool daCapo = remark.starts_with("d.c.") || remark.starts_with("da capo");
    if (!daCapo && !remark.starts_with("d.s.") && !remark.starts_with("dal segno")) {
        return std::nullopt;
    }
    std::string jump = daCapo ? "D.C." : "D.S.";
    if (const std::size_t al = remark.find(" al "); al != std::string_view::npos) {
        const std::string_view until = remark.substr(al + 4);
        jump += until.starts_with("coda") ? " al Coda" : until.starts_with("fine") ? " al Fine" : "";
    }
    return jump;
}

//! "3x", "x3" or "play 3x": how often the repeat plays its passage; 0 for other text.
int RepeatCount(std::string_view remark) {
    const std::size_t x = remark.find('x');
    if (x == std::string_view::npos || remark.size() > 12) {
        return 0;
    }
    const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    std::size_t start = x;
    while (start > 0 && isDigit(remark[start - 1])) {
        --start;
    }
    std::size_t end = x + 1;
    while (start == x && end < remark.size() && isDigit(remark[end])) {
        ++end;
    }
    const std::string_view digits =
        start < x ? remark.substr(start, x - start) : remark.substr(x + 1, end - x - 1);
    int times = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), times);
    return times >= 2 && times <= 99 ? times : 0;
}

//! Section words a remark at the start of a measure may name, where the format has no sign for them.
constexpr std::array<std::string_view, 12> kRemarkSections = {"intro",  "verse",     "pre-chorus", "chorus",
                                                              "bridge", "interlude", "solo",       "outro",
                                                              "tag",    "vamp",      "refrain",    "coda"};

//! Whether a remark names a section: one of the words, alone or with a number ("Verse 2").
bool IsSectionRemark(std::string_view remark) {
    const std::string_view word = remark.substr(0, remark.find(' '));
    const std::string_view number = word.size() < remark.size() ? remark.substr(word.size() + 1) : "";
    const bool numbered =
        number.empty() || (number.size() <= 2 && std::all_of(number.begin(), number.end(), [](char c) {
                               return std::isdigit(static_cast<unsigned char>(c)) != 0;
                           }));
    return numbered && word != "coda" &&
           std::find(kRemarkSections.begin(), kRemarkSections.end(), word) != kRemarkSections.end();
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

//! A note as the chart language spells it: E sharp and B sharp, which it has no name for, as F and C.
std::string ChartNote(std::string_view note) {
    if (note == "E#") {
        return "F";
    }
    if (note == "B#") {
        return "C";
    }
    return std::string(note);
}

//! What the last cell with a symbol left sounding, for a measure of empty cells after it.
enum class Sounding { Nothing, Chord, NoChord };

class CellReader {
  public:
    CellReading Read(std::string_view music) {
        const std::string text = ExpandShorthands(music);
        std::size_t i = 0;
        while (i < text.size()) {
            i = ReadSymbol(text, i);
        }
        if (!chords_.empty()) {
            EndMeasure(false);
        } else if (!current_.jump.empty() && !reading_.measures.empty()) {
            // A jump after the last measure's bar line is the last measure's.
            reading_.measures.back().jump = current_.jump;
        }
        SettleForm(reading_.measures, form_, reading_.notes);
        return std::move(reading_);
    }

  private:
    std::size_t ReadSymbol(std::string_view text, std::size_t i) {
        const char c = text[i];
        const std::string_view rest = text.substr(i);
        switch (c) {
            case '{':
                EndMeasureAtBar(false);
                current_.repeatOpens = true;
                lastEnding_ = 0;
                return i + 1;
            case '}':
                CloseRepeat();
                return i + 1;
            case '|':
            case '[':
                EndMeasureAtBar(false);
                return i + 1;
            case ']':
            case 'Z':
                EndMeasureAtBar(true);
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
                form_.codaSigns.push_back({reading_.measures.size(), cellCount_ == 0});
                return i + 1;
            case '<':
                return ReadComment(text, i);
            case '(':
                return ReadAlternate(text, i);
            case ' ':
                // Empty cells after a closing bar line only fill the row up to the next one.
                if (!padding_) {
                    AddCell("");
                }
                return i + 1;
            case 'x':
                AddCell("%");
                return i + 1;
            case 'r':
                AddCell("%%");
                return i + 1;
            case 'n':
                AddCell("N.C.");
                sounding_ = Sounding::NoChord;
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
        if (mark == 'V') {
            current_.section = "Verse";
        } else if (mark == 'i') {
            current_.section = "Intro";
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

    std::size_t ReadComment(std::string_view text, std::size_t i) {
        std::size_t end = text.find('>', i);
        std::string_view comment =
            text.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1);
        // A remark may start with its height over the staff: "*60D.S. al Coda".
        if (comment.size() >= 3 && comment[0] == '*' &&
            std::isdigit(static_cast<unsigned char>(comment[1]))) {
            comment.remove_prefix(3);
        }
        ReadCommentText(Trimmed(comment));
        return end == std::string_view::npos ? text.size() : end + 1;
    }

    void ReadCommentText(std::string_view comment) {
        const std::string remark = Normalised(comment);
        if (cellCount_ == 0 && !padding_ && IsSectionRemark(remark)) {
            // The format has signs for a few sections only; a remark opening a measure names the others.
            current_.section = std::string(comment);
            return;
        }
        if (const std::optional<std::string> jump = JumpOfRemark(remark)) {
            // A remark stands in the measure it is written in: before its first chord too. One among the
            // empty cells after a closing bar line, or after the last measure, belongs to the one before.
            (padding_ && !reading_.measures.empty() ? reading_.measures.back() : current_).jump = *jump;
            return;
        }
        if (const int times = RepeatCount(remark); times > 0) {
            // A count after its repeat's closing sign is that repeat's.
            if (padding_ && lastRepeatClose_ < reading_.measures.size() &&
                lastRepeatClose_ + 1 == reading_.measures.size()) {
                reading_.measures[lastRepeatClose_].repeatCloses = times;
            } else {
                pendingTimes_ = times;
            }
            return;
        }
        if (!comment.empty()) {
            Note("remark at measure " + std::to_string(MeasureNumber()) + ": " + std::string(comment));
        }
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
            const std::string_view note = NoteAt(text.substr(at));
            root = ChartNote(note);
            at += note.size();
        }
        const std::size_t qualityLength = LinkQualityLength(text.substr(at));
        const std::string_view quality = text.substr(at, qualityLength);
        at += qualityLength;
        std::string bass;
        if (at < text.size() && text[at] == '/') {
            const std::string_view note = NoteAt(text.substr(at + 1));
            bass = ChartNote(note);
            at += 1 + note.size();
        }
        if (invisibleRoot) {
            AddInvisibleRootChord(bass);
        } else {
            std::string chord = root + EverydayQuality(quality).value_or(std::string(quality));
            lastChord_ = chord;
            AddCell(bass.empty() ? chord : chord + "/" + bass);
            sounding_ = Sounding::Chord;
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
        padding_ = false;
        lastCellEmpty_ = symbol.empty();
        if (!lastCellEmpty_) {
            chords_.push_back({static_cast<int>(cellCount_), std::move(symbol)});
        }
        ++cellCount_;
    }

    void EndMeasureAtBar(bool closing) {
        if (cellCount_ > 0) {
            EndMeasure(closing);
        } else if (closing && !reading_.measures.empty() && !padding_) {
            form_.closesPassage.back() = true;
        }
        padding_ = closing;
    }

    void CloseRepeat() {
        SheetMeasure& measure =
            cellCount_ > 0 || reading_.measures.empty() ? current_ : reading_.measures.back();
        measure.repeatCloses = pendingTimes_ > 0 ? pendingTimes_ : 2;
        pendingTimes_ = 0;
        EndMeasureAtBar(true);
        lastRepeatClose_ = reading_.measures.size() - 1;
    }

    void EndMeasure(bool closing) {
        const bool secondOfRepeat = chords_.empty() && !reading_.measures.empty() &&
                                    reading_.measures.back().chords == std::vector<std::string>{"%%"} &&
                                    !afterTwoMeasureRepeat_;
        if (secondOfRepeat) {
            // The sign that repeats two measures fills the measure after it too.
            MergeMarksInto(reading_.measures.back());
            form_.closesPassage.back() = form_.closesPassage.back() || closing;
            afterTwoMeasureRepeat_ = true;
        } else {
            current_.chords = chords_.empty() ? HeldMeasure() : MeasureChords();
            reading_.measures.push_back(std::move(current_));
            form_.closesPassage.push_back(closing);
            afterTwoMeasureRepeat_ = false;
        }
        current_ = SheetMeasure();
        chords_.clear();
        cellCount_ = 0;
    }

    void MergeMarksInto(SheetMeasure& measure) {
        if (!current_.jump.empty()) {
            measure.jump = current_.jump;
        }
        measure.repeatCloses = std::max(measure.repeatCloses, current_.repeatCloses);
    }

    //! A measure of empty cells: what sounds goes on through it.
    [[nodiscard]] std::vector<std::string> HeldMeasure() const {
        switch (sounding_) {
            case Sounding::Chord:
                return {"="};
            case Sounding::NoChord:
                return {"N.C."};
            case Sounding::Nothing:
                break;
        }
        return {"-"};
    }

    //! The chords of the measure as the chart writes them: a measure repeat sign anywhere in it is the whole
    //! measure; chords spread evenly when their cells are, otherwise held on the beats their cells stand for
    //! (a cell a beat, or the measure's own grid).
    std::vector<std::string> MeasureChords() {
        std::vector<PlacedChord> chords = std::move(chords_);
        const auto isRepeatSign = [](const PlacedChord& chord) {
            return chord.symbol == "%" || chord.symbol == "%%";
        };
        if (std::all_of(chords.begin(), chords.end(), isRepeatSign)) {
            return {chords.front().symbol};
        }
        // Beside chords a repeat sign means nothing: its cell is an empty one.
        chords.erase(std::remove_if(chords.begin(), chords.end(), isRepeatSign), chords.end());
        if (static_cast<int>(chords.size()) > beats_) {
            Note("measure " + std::to_string(MeasureNumber()) + " has more chords than beats");
        }
        // Fewer cells than beats, ending with a chord and with places left empty between the chords, are a
        // grid of their own: the chords of a measure that does not divide into its beats. More cells than
        // beats with every chord within the first ones stand a chord a beat.
        int grid = static_cast<int>(cellCount_);
        const bool ownGrid = grid < beats_ && !lastCellEmpty_ && chords.size() < cellCount_;
        const bool onBeats = grid > beats_ && chords.back().position < beats_;
        if (onBeats) {
            grid = beats_;
        } else if (grid != beats_ && !ownGrid) {
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
        return SpreadChords(chords, grid);
    }

    [[nodiscard]] int MeasureNumber() const { return static_cast<int>(reading_.measures.size()) + 1; }

    void Note(std::string note) { reading_.notes.push_back(std::move(note)); }

    CellReading reading_;
    CellForm form_;
    SheetMeasure current_;
    std::vector<PlacedChord> chords_;  //!< the cells of the measure that hold a symbol, at their places
    std::size_t cellCount_ = 0;
    bool lastCellEmpty_ = false;
    bool padding_ = false;  //!< after a closing bar line, until the next symbol or bar line
    Sounding sounding_ = Sounding::Nothing;
    int beats_ = 4;
    int beatUnit_ = 4;
    int pendingTimes_ = 0;
    std::size_t lastRepeatClose_ = SIZE_MAX;
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

std::vector<Message> LinkDifferences(const std::vector<SheetMeasure>& measures) {
    std::vector<Message> remarks;
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
            AddOnce(remarks,
                    {"the meter %1 of measure %2, which has no sign in the format",
                     {std::to_string(measure.meterNumerator) + "/" + std::to_string(measure.meterDenominator),
                      std::to_string(i + 1)}});
        }
        for (const std::string& chord : measure.chords) {
            if (chord.empty() || !IsRootLetter(chord[0])) {
                continue;
            }
            const std::size_t root = chord.size() > 1 && (chord[1] == 'b' || chord[1] == '#') ? 2 : 1;
            if (!LinkQuality(std::string_view(chord).substr(root, chord.find('/') - root)).exact) {
                AddOnce(remarks, {"the chord %1, written as %2", {chord, LinkChord(chord)}});
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
                AddOnce(remarks, {kHoldWrittenLonger, {std::to_string(i + 1)}});
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
