#include "style/style_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

#include "base/input_file.h"
#include "style/band_part.h"

namespace kaz {

namespace {

constexpr std::size_t kMaxCellsPerMeasure = 96;
constexpr std::size_t kMaxRowMeasures = 16;

struct NamedNumber {
    std::string_view name;
    std::uint8_t number;
};

// General MIDI programs a style can name for its chords and bass; any other by its number, 0..127.
constexpr std::array kInstruments{
    NamedNumber{"piano", 0},
    NamedNumber{"bright-piano", 1},
    NamedNumber{"electric-grand", 2},
    NamedNumber{"honky-tonk", 3},
    NamedNumber{"electric-piano", 4},
    NamedNumber{"fm-piano", 5},
    NamedNumber{"clavinet", 7},
    NamedNumber{"vibraphone", 11},
    NamedNumber{"marimba", 12},
    NamedNumber{"organ", 16},
    NamedNumber{"percussive-organ", 17},
    NamedNumber{"rock-organ", 18},
    NamedNumber{"accordion", 21},
    NamedNumber{"harmonica", 22},
    NamedNumber{"nylon-guitar", 24},
    NamedNumber{"steel-guitar", 25},
    NamedNumber{"jazz-guitar", 26},
    NamedNumber{"clean-guitar", 27},
    NamedNumber{"muted-guitar", 28},
    NamedNumber{"overdrive-guitar", 29},
    NamedNumber{"distortion-guitar", 30},
    NamedNumber{"acoustic-bass", 32},
    NamedNumber{"finger-bass", 33},
    NamedNumber{"pick-bass", 34},
    NamedNumber{"fretless-bass", 35},
    NamedNumber{"slap-bass", 36},
    NamedNumber{"synth-bass", 38},
    NamedNumber{"strings", 48},
    NamedNumber{"slow-strings", 49},
    NamedNumber{"choir", 52},
    NamedNumber{"brass", 61},
    NamedNumber{"warm-pad", 89},
};

// General MIDI percussion keys, by the names a drum row starts with.
constexpr std::array kDrums{
    NamedNumber{"kick", 36},
    NamedNumber{"side-stick", 37},
    NamedNumber{"snare", 38},
    NamedNumber{"clap", 39},
    NamedNumber{"snare2", 40},
    NamedNumber{"tom-floor", 41},
    NamedNumber{"closed-hat", 42},
    NamedNumber{"tom-low", 45},
    NamedNumber{"pedal-hat", 44},
    NamedNumber{"open-hat", 46},
    NamedNumber{"tom-mid", 47},
    NamedNumber{"tom-high", 50},
    NamedNumber{"crash", 49},
    NamedNumber{"ride", 51},
    NamedNumber{"ride-bell", 53},
    NamedNumber{"tambourine", 54},
    NamedNumber{"splash", 55},
    NamedNumber{"cowbell", 56},
    NamedNumber{"bongo-high", 60},
    NamedNumber{"bongo-low", 61},
    NamedNumber{"conga-mute", 62},
    NamedNumber{"conga-high", 63},
    NamedNumber{"conga-low", 64},
    NamedNumber{"timbale-high", 65},
    NamedNumber{"timbale-low", 66},
    NamedNumber{"cabasa", 69},
    NamedNumber{"maracas", 70},
    NamedNumber{"guiro", 74},
    NamedNumber{"claves", 75},
    NamedNumber{"woodblock", 76},
    NamedNumber{"shaker", 82},
    NamedNumber{"ride2", 59},
    NamedNumber{"china", 52},
    // The brush kit's sounds on the snare's keys.
    NamedNumber{"brush-tap", 38},
    NamedNumber{"brush-slap", 39},
    NamedNumber{"brush-swirl", 40},
};

constexpr std::array kVoicings{
    NamedNumber{"close", static_cast<std::uint8_t>(Voicing::Close)},
    NamedNumber{"rootless", static_cast<std::uint8_t>(Voicing::Rootless)},
    NamedNumber{"drop2", static_cast<std::uint8_t>(Voicing::Drop2)},
    NamedNumber{"shell", static_cast<std::uint8_t>(Voicing::Shell)},
    NamedNumber{"power", static_cast<std::uint8_t>(Voicing::Power)},
    NamedNumber{"high", static_cast<std::uint8_t>(Voicing::High)},
    NamedNumber{"pad", static_cast<std::uint8_t>(Voicing::Pad)},
};

constexpr std::array kKits{
    NamedNumber{"standard", static_cast<std::uint8_t>(DrumKit::Standard)},
    NamedNumber{"room", static_cast<std::uint8_t>(DrumKit::Room)},
    NamedNumber{"power", static_cast<std::uint8_t>(DrumKit::Power)},
    NamedNumber{"jazz", static_cast<std::uint8_t>(DrumKit::Jazz)},
    NamedNumber{"brushes", static_cast<std::uint8_t>(DrumKit::Brushes)},
};

template <std::size_t N>
std::optional<std::uint8_t> Lookup(const std::array<NamedNumber, N>& table, std::string_view name) {
    for (const NamedNumber& entry : table) {
        if (entry.name == name) {
            return entry.number;
        }
    }
    return std::nullopt;
}

std::optional<int> WholeNumber(std::string_view word) {
    int number = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (error != std::errc() || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return number;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

//! The first word of text, and text after it.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
    text = Trimmed(text);
    const auto blank = text.find_first_of(" \t");
    if (blank == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, blank), Trimmed(text.substr(blank))};
}

//! Reads a style line by line; the first problem ends the reading.
class StyleReader {
  public:
    explicit StyleReader(const std::string& file) : file_(file) {
        style_.file = file;
        style_.name = std::filesystem::path(file).stem().string();
    }

    StyleReading Read(std::string_view text) {
        for (std::size_t from = 0; from < text.size() && problem_.message.empty();) {
            const auto lineEnd = std::min(text.find('\n', from), text.size());
            ++line_;
            ReadLine(text.substr(from, lineEnd - from));
            from = lineEnd + 1;
        }
        if (problem_.message.empty()) {
            CheckComplete();
        }
        if (!problem_.message.empty()) {
            return {std::nullopt, problem_};
        }
        return {std::move(style_), {}};
    }

  private:
    void Fail(std::string message) { problem_ = {file_, line_, std::move(message)}; }

    void ReadLine(std::string_view text) {
        const auto comment = text.find('#');
        const auto [word, rest] = SplitWord(text.substr(0, comment));
        if (word.empty()) {
            return;
        }
        if (word == "name") {
            ReadName(rest);
        } else if (word == "swing") {
            ReadSwing(rest);
        } else if (word == "chords") {
            ReadVoice(rest, "comping");
        } else if (meter_ == nullptr && IsVoicePart(word)) {
            ReadVoice(rest, word);
        } else if (word == "drums") {
            ReadDrumsVolume(rest);
        } else if (word == "kit") {
            ReadKit(rest);
        } else if (word == "push") {
            ReadPush(rest);
        } else if (word == "meter") {
            ReadMeter(rest);
        } else {
            ReadRow(word, rest);
        }
    }

    void ReadName(std::string_view rest) {
        if (rest.empty()) {
            Fail("'name' needs the style's name");
            return;
        }
        style_.name = std::string(rest);
    }

    //! "swing even", "swing 66%", or "swing 66% at 100 56% at 240".
    void ReadSwing(std::string_view rest) {
        if (rest == "even") {
            style_.swing = {};
            return;
        }
        std::vector<std::pair<double, int>> points;
        while (!rest.empty()) {
            auto [share, after] = SplitWord(rest);
            int tempo = 120;
            if (after.starts_with("at")) {
                const auto [at, tail] = SplitWord(after);
                const auto [tempoWord, next] = SplitWord(tail);
                const auto number = WholeNumber(tempoWord);
                if (!number || *number < 1) {
                    Fail("'swing' needs a tempo after 'at', not '" + std::string(tempoWord) + "'");
                    return;
                }
                tempo = *number;
                after = next;
            }
            const auto percent =
                share.ends_with('%') ? WholeNumber(share.substr(0, share.size() - 1)) : std::optional<int>();
            if (!percent || *percent < 50 || *percent > 80) {
                Fail("'swing' takes 'even' or a share from 50% to 80%, not '" + std::string(share) + "'");
                return;
            }
            points.emplace_back(*percent / 100.0, tempo);
            rest = after;
        }
        if (points.empty() || points.size() > 2) {
            Fail("'swing' takes 'even', one share, or two shares each with a tempo");
            return;
        }
        const auto [fast, fastTempo] = points.back();
        style_.swing = {points.front().first, points.front().second, fast, fastTempo};
    }

    static bool IsVoicePart(std::string_view word) {
        return word != "drums" && PartDefaultsOf(word) != nullptr;
    }

    //! "jazz-guitar 70 drop2": an instrument and, optionally, its volume and voicing.
    void ReadVoice(std::string_view rest, std::string_view id) {
        StyleVoice* voice = style_.Voice(id);
        if (voice == nullptr) {
            voice = &style_.voices.emplace_back(StyleVoice{PartDefaultsOf(id)->id, 0, 80, Voicing::Close});
        }
        auto [instrument, after] = SplitWord(rest);
        auto [volumeText, voicingText] = SplitWord(after);
        if (!volumeText.empty() && !WholeNumber(volumeText)) {
            voicingText = volumeText;
            volumeText = {};
        }
        if (!voicingText.empty()) {
            const auto voicing = Lookup(kVoicings, voicingText);
            if (!voicing) {
                Fail("unknown voicing '" + std::string(voicingText) +
                     "': close, rootless, drop2, shell, power, high or pad");
                return;
            }
            voice->voicing = static_cast<Voicing>(*voicing);
        }
        ReadInstrument(instrument, volumeText, *voice);
    }

    void ReadKit(std::string_view rest) {
        const auto kit = Lookup(kKits, rest);
        if (!kit) {
            Fail("unknown drum kit '" + std::string(rest) + "': standard, room, power, jazz or brushes");
            return;
        }
        style_.kit = static_cast<DrumKit>(*kit);
    }

    void ReadPush(std::string_view rest) {
        const auto percent =
            rest.ends_with('%') ? WholeNumber(rest.substr(0, rest.size() - 1)) : std::optional<int>();
        if (!percent || *percent < 0 || *percent > 100) {
            Fail("'push' takes a share of the changes from 0% to 100%, not '" + std::string(rest) + "'");
            return;
        }
        style_.push = *percent;
    }

    void ReadInstrument(std::string_view instrument, std::string_view volumeText, StyleVoice& voice) {
        auto program = Lookup(kInstruments, instrument);
        if (const auto number = WholeNumber(instrument);
            !program && number && *number >= 0 && *number <= 127) {
            program = static_cast<std::uint8_t>(*number);
        }
        if (!program) {
            Fail("unknown instrument '" + std::string(instrument) + "'");
            return;
        }
        voice.program = *program;
        if (!volumeText.empty()) {
            const auto volume = WholeNumber(volumeText);
            if (!volume || *volume < 0 || *volume > 127) {
                Fail("a volume is a whole number from 0 to 127, not '" + std::string(volumeText) + "'");
                return;
            }
            voice.volume = static_cast<std::uint8_t>(*volume);
        }
    }

    void ReadDrumsVolume(std::string_view rest) {
        const auto volume = WholeNumber(rest);
        if (!volume || *volume < 0 || *volume > 200) {
            Fail("'drums' takes a volume in percent from 0 to 200, not '" + std::string(rest) + "'");
            return;
        }
        style_.drumsVolume = static_cast<std::uint8_t>(*volume);
    }

    void ReadMeter(std::string_view rest) {
        const auto slash = rest.find('/');
        const auto num = WholeNumber(Trimmed(rest.substr(0, slash)));
        const auto den =
            slash == std::string_view::npos ? std::nullopt : WholeNumber(Trimmed(rest.substr(slash + 1)));
        if (!num || !den || *num < 1 || *num > 32 || *den < 1 || *den > 32) {
            Fail("'meter' takes a meter such as 4/4 or 3/4, not '" + std::string(rest) + "'");
            return;
        }
        if (style_.OwnPattern(*num, *den) != nullptr) {
            Fail("the meter " + std::string(rest) + " has a pattern already");
            return;
        }
        meter_ = &style_.meters.emplace_back(MeterPattern{*num, *den, {}});
    }

    void ReadRow(std::string_view word, std::string_view rest) {
        PatternRow row;
        if (word == "fill") {
            row.fill = true;
            std::tie(word, rest) = SplitWord(rest);
        } else if (word == "light") {
            row.light = true;
            std::tie(word, rest) = SplitWord(rest);
        } else if (word == "ending") {
            row.ending = true;
            std::tie(word, rest) = SplitWord(rest);
        }
        if (word == "comp" || (IsVoicePart(word) && word != "bass")) {
            row.part = StylePart::Comping;
            row.partId = word == "comp" ? std::string_view("comping") : PartDefaultsOf(word)->id;
            if (style_.Voice(row.partId) == nullptr) {
                Fail("the part '" + std::string(word) + "' needs a line with its instrument before its rows");
                return;
            }
        } else if (word == "bass") {
            row.partId = "bass";
            row.part = StylePart::Bass;
        } else if (const auto key = Lookup(kDrums, word)) {
            row.part = StylePart::Drums;
            row.partId = "drums";
            row.drumKey = *key;
        } else {
            Fail("unknown instrument '" + std::string(word) + "'");
            return;
        }
        if (meter_ == nullptr) {
            Fail("a pattern row needs a 'meter' line before it");
            return;
        }
        if (row.fill && row.part != StylePart::Drums) {
            Fail("a fill is written for the drums");
            return;
        }
        if (!ReadCells(word, rest, row)) {
            return;
        }
        if (row.ending && row.measures > 1) {
            Fail("an ending is one measure");
            return;
        }
        meter_->rows.push_back(std::move(row));
    }

    //! The cells of rest, measures split by '|', into row; false after a problem.
    bool ReadCells(std::string_view part, std::string_view rest, PatternRow& row) {
        std::vector<std::string> measures(1);
        for (const char cell : rest) {
            if (cell == '|') {
                if (!measures.back().empty()) {
                    measures.emplace_back();
                }
            } else if (cell != ' ' && cell != '\t' && cell != '\r') {
                measures.back().push_back(cell);
            }
        }
        if (measures.back().empty()) {
            measures.pop_back();
        }
        if (measures.empty()) {
            Fail("'" + std::string(part) + "' has an empty pattern");
            return false;
        }
        if (measures.size() > kMaxRowMeasures) {
            Fail("'" + std::string(part) + "' is longer than 16 measures");
            return false;
        }
        const std::size_t cells = measures.front().size();
        const auto beats = static_cast<std::size_t>(meter_->num);
        for (const std::string& measure : measures) {
            if (measure.size() != cells || cells % beats != 0 || cells > kMaxCellsPerMeasure) {
                Fail("'" + std::string(part) + "' has hits off the grid: " + std::to_string(measure.size()) +
                     " cells do not share " + std::to_string(beats) + " beats evenly like its first measure");
                return false;
            }
        }
        row.cellsPerMeasure = static_cast<std::uint16_t>(cells);
        row.measures = static_cast<std::uint16_t>(measures.size());
        for (std::size_t m = 0; m < measures.size(); ++m) {
            if (!ReadMeasureCells(part, measures[m], static_cast<std::uint16_t>(m), row)) {
                return false;
            }
        }
        if (row.hits.empty()) {
            Fail("'" + std::string(part) + "' has an empty pattern: no hit in it");
            return false;
        }
        return true;
    }

    bool ReadMeasureCells(std::string_view part, const std::string& cells, std::uint16_t measure,
                          PatternRow& row) {
        bool holding = false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const char cell = cells[i];
            if (cell == '.') {
                holding = false;
            } else if (cell == '-') {
                if (!holding) {
                    Fail("'" + std::string(part) + "' holds with '-' where no hit sounds");
                    return false;
                }
                ++row.hits.back().length;
            } else if (auto hit = ReadHit(row.part, cell)) {
                hit->measure = measure;
                hit->cell = static_cast<std::uint16_t>(i);
                row.hits.push_back(*hit);
                holding = true;
            } else {
                Fail("'" + std::string(1, cell) + "' is not a hit of a " + std::string(PartWord(row.part)) +
                     " row");
                return false;
            }
        }
        return true;
    }

    static std::string_view PartWord(StylePart part) {
        switch (part) {
            case StylePart::Comping:
                return "comp";
            case StylePart::Bass:
                return "bass";
            case StylePart::Drums:
                return "drum";
        }
        return "drum";
    }

    static std::optional<PatternHit> ReadHit(StylePart part, char cell) {
        PatternHit hit;
        if (part == StylePart::Bass) {
            constexpr std::array<std::pair<char, BassDegree>, 9> kDegrees{{
                {'R', BassDegree::Root},
                {'3', BassDegree::Third},
                {'5', BassDegree::Fifth},
                {'6', BassDegree::Sixth},
                {'7', BassDegree::Seventh},
                {'8', BassDegree::Octave},
                {'W', BassDegree::Walk},
                {'A', BassDegree::Approach},
                {'N', BassDegree::Next},
            }};
            for (const auto& [letter, degree] : kDegrees) {
                if (cell == letter) {
                    hit.degree = degree;
                    return hit;
                }
            }
            return std::nullopt;
        }
        switch (cell) {
            case 'x':
                hit.weight = HitWeight::Plain;
                return hit;
            case 'X':
                hit.weight = HitWeight::Accent;
                return hit;
            case 'o':
                hit.weight = HitWeight::Soft;
                return hit;
            case '?':
                if (part != StylePart::Drums) {
                    return std::nullopt;
                }
                hit.weight = HitWeight::Soft;
                hit.chance = true;
                return hit;
            default:
                return std::nullopt;
        }
    }

    void CheckComplete() {
        line_ = 0;
        if (style_.meters.empty()) {
            Fail("the style has no pattern: it needs a 'meter' line and rows below it");
            return;
        }
        for (const MeterPattern& meter : style_.meters) {
            if (meter.rows.empty()) {
                Fail("the meter " + std::to_string(meter.num) + "/" + std::to_string(meter.den) +
                     " has an empty pattern");
                return;
            }
        }
    }

    std::string file_;
    int line_ = 0;
    Style style_;
    MeterPattern* meter_ = nullptr;
    StyleProblem problem_;
};

}  // namespace

std::string StyleProblem::Describe() const {
    return line == 0 ? file + ": " + message : file + ":" + std::to_string(line) + ": " + message;
}

StyleReading ParseStyle(std::string_view text, const std::string& file) {
    return StyleReader(file).Read(text);
}

StyleReading ReadStyleFile(const std::filesystem::path& path) {
    const InputFile input = ReadWholeFile(path, kMaxStyleFileBytes, FileKinds::RegularOnly);
    if (input.tooLarge) {
        return {std::nullopt, {path.string(), 0, "too large for a style (more than 64 KiB)"}};
    }
    if (!input.Read()) {
        return {std::nullopt, {path.string(), 0, input.error}};
    }
    return ParseStyle(input.bytes, path.string());
}

}  // namespace kaz
