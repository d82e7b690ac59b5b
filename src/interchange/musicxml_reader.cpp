#include "interchange/musicxml_reader.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <set>

#include "interchange/measure_spread.h"
#include "interchange/musicxml_harmony.h"
#include "interchange/section_name.h"
#include "interchange/sheet_form.h"
#include "interchange/text_fields.h"
#include "style/style_library.h"

namespace kaz {

namespace {

// Every number read from a file is kept within these, so that no sum or product of them overflows and no
// measure is cut into more places than a chart writes, whatever the file says.
constexpr std::int64_t kMaxDivisions = std::int64_t{1} << 20;  //!< per quarter note
constexpr int kMaxMeterPart = 256;                             //!< the chart's meters: 1..256 each
constexpr std::int64_t kMaxDuration = kMaxDivisions * 4 * kMaxMeterPart;
constexpr int kMaxRepeatTimes = 99;
constexpr double kMaxTempo = 1000;

ImportedSongs Failure(Message error) {
    ImportedSongs failed;
    failed.error = std::move(error);
    return failed;
}

//! The words of a text in lower case, single spaces between them, without dots and signs ("D.S. al Coda
//! ⊕" is "d s al coda").
std::string PlainWords(std::string_view text) {
    std::string words;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            words += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!words.empty() && words.back() != ' ') {
            words += ' ';
        }
    }
    while (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

//! Text from the file as one line; empty when it holds nothing but blanks, no-break spaces among them.
std::string Written(std::string_view text) {
    std::string line = OneLine(text);
    std::string visible = line;
    for (std::size_t at = visible.find("\xC2\xA0"); at != std::string::npos; at = visible.find("\xC2\xA0")) {
        visible.replace(at, 2, " ");
    }
    return Trimmed(visible).empty() ? std::string() : line;
}

//! The jump or sign that words over a measure ask for ("D.S. al Coda", "Dal Segno al Fine", "To Coda",
//! "Fine"), as the chart writes it; empty for other words.
std::string JumpOfWords(std::string_view text) {
    std::string words = PlainWords(text);
    for (const auto& [long_form, short_form] : {std::pair{"dal segno", "ds"}, std::pair{"da capo", "dc"},
                                                std::pair{"d s", "ds"}, std::pair{"d c", "dc"}}) {
        if (words.starts_with(long_form)) {
            words = short_form + words.substr(std::string_view(long_form).size());
        }
    }
    if (words == "fine") {
        return "FINE";
    }
    if (words == "to coda") {
        return "TO CODA";
    }
    std::string jump;
    if (words.starts_with("ds")) {
        jump = "D.S.";
    } else if (words.starts_with("dc")) {
        jump = "D.C.";
    } else {
        return {};
    }
    const std::string rest = words.substr(2);
    if (rest.empty()) {
        return jump;
    }
    if (rest == " al coda" || rest == " al la coda" || rest == " al coda e poi la coda") {
        return jump + " al Coda";
    }
    if (rest == " al fine") {
        return jump + " al Fine";
    }
    return {};
}

//! A number of a file within [low, high]; fallback when the text is no number.
std::int64_t Bounded(pugi::xml_text text, std::int64_t low, std::int64_t high, std::int64_t fallback) {
    if (text.empty()) {
        return fallback;
    }
    return std::clamp<std::int64_t>(text.as_llong(fallback), low, high);
}

int Alteration(pugi::xml_text text) {
    const double alter = text.as_double(0);
    return std::isfinite(alter) ? static_cast<int>(std::lround(std::clamp(alter, -2.0, 2.0))) : 0;
}

//! "1, 2" as the chart writes it: "1.2.".
std::string EndingNumbers(std::string_view numbers) {
    std::array<bool, 10> passes{};
    int number = 0;
    for (const char c : std::string(numbers) + ",") {
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            number = std::min(number * 10 + (c - '0'), 100);
        } else {
            if (number >= 1 && number <= 9) {
                passes[static_cast<std::size_t>(number)] = true;
            }
            number = 0;
        }
    }
    std::string ending;
    for (std::size_t pass = 1; pass < passes.size(); ++pass) {
        if (passes[pass]) {
            ending += std::to_string(pass) + ".";
        }
    }
    return ending;
}

//! The key a key signature names ("Eb", "Cm"); empty for one without fifths.
std::string KeyOf(pugi::xml_node key) {
    if (!key.child("fifths")) {
        return {};
    }
    return KeyName({static_cast<int>(Bounded(key.child("fifths").text(), -7, 7, 0)),
                    std::string_view(key.child_value("mode")) == "minor"});
}

//! A chord at its time in the measure, in divisions.
struct TimedChord {
    std::int64_t time = 0;
    std::string symbol;
};

//! What one part writes in one measure.
struct PartMeasure {
    SheetMeasure marks;  //!< everything but the chords
    std::vector<TimedChord> chords;
    std::vector<std::string> alternates;  //!< chords written as alternatives to others
    int beats = 4;
    int beatType = 4;
    std::int64_t divisions = 1;
    std::int64_t filled = 0;  //!< how far its notes reach, in divisions
    bool implicit = false;    //!< a pickup or another measure that does not count
    bool endingEnds = false;  //!< the ending played ends with this measure
    std::string key;          //!< the key that starts here

    [[nodiscard]] std::int64_t Length() const { return beats * divisions * 4 / beatType; }
};

//! What the reading of a file noticed that the chart will not hold: each said once.
class Remarks {
  public:
    void Add(const Message& remark) {
        if (said_.insert(remark.English()).second) {
            remarks_.push_back(remark);
        }
    }
    [[nodiscard]] std::vector<Message> Take() { return std::move(remarks_); }

  private:
    std::vector<Message> remarks_;
    std::set<std::string> said_;
};

class PartReader {
  public:
    PartReader(bool kazFile, Remarks& remarks) : kazFile_(kazFile), remarks_(remarks) {}

    //! A measure from the measure element and the element that holds its music: the same for a part-wise
    //! score, the part's element inside the measure for a time-wise one.
    void ReadMeasure(pugi::xml_node measure, pugi::xml_node music) {
        PartMeasure read;
        read.implicit = std::string_view(measure.attribute("implicit").as_string()) == "yes";
        std::int64_t cursor = 0;
        for (pugi::xml_node child : music.children()) {
            const std::string_view name = child.name();
            if (name == "attributes") {
                ReadAttributes(child, read);
            } else if (name == "note") {
                if (!child.child("chord") && !child.child("grace")) {
                    cursor += Duration(child);
                }
            } else if (name == "backup") {
                cursor = std::max<std::int64_t>(0, cursor - Duration(child));
            } else if (name == "forward") {
                cursor += Duration(child);
            } else if (name == "harmony") {
                ReadHarmony(child, cursor, read);
            } else if (name == "direction") {
                ReadDirection(child, read);
            } else if (name == "barline") {
                ReadBarline(child, read);
            } else if (name == "sound") {
                ReadSound(child, read.marks);
            }
            read.filled = std::max(read.filled, cursor);
        }
        read.beats = beats_;
        read.beatType = beatType_;
        read.divisions = divisions_;
        measures_.push_back(std::move(read));
    }

    [[nodiscard]] std::vector<PartMeasure>& Measures() { return measures_; }
    [[nodiscard]] int Harmonies() const { return harmonies_; }
    [[nodiscard]] int Tempo() const { return tempo_; }
    [[nodiscard]] const std::string& Style() const { return style_; }

  private:
    static std::int64_t Duration(pugi::xml_node node) {
        return Bounded(node.child("duration").text(), 0, kMaxDuration, 0);
    }

    void ReadAttributes(pugi::xml_node attributes, PartMeasure& measure) {
        if (pugi::xml_node divisions = attributes.child("divisions")) {
            divisions_ = Bounded(divisions.text(), 1, kMaxDivisions, divisions_);
        }
        if (pugi::xml_node time = attributes.child("time")) {
            int beats = 0;
            // A meter of added beats ("3+2") counts them all.
            for (const char* part = time.child_value("beats"); *part != '\0'; ++part) {
                if (std::isdigit(static_cast<unsigned char>(*part)) != 0) {
                    const int value = static_cast<int>(std::strtol(part, nullptr, 10) % 1000);
                    beats += value;
                    while (std::isdigit(static_cast<unsigned char>(part[1])) != 0) {
                        ++part;
                    }
                }
            }
            const auto beatType = Bounded(time.child("beat-type").text(), 0, kMaxMeterPart + 1, 0);
            if (beats >= 1 && beats <= kMaxMeterPart && beatType >= 1 && beatType <= kMaxMeterPart) {
                beats_ = beats;
                beatType_ = static_cast<int>(beatType);
            }
        }
        if (const std::string key = KeyOf(attributes.child("key")); !key.empty() && key != key_) {
            measure.key = key;
            key_ = key;
        }
    }

    void ReadHarmony(pugi::xml_node harmony, std::int64_t cursor, PartMeasure& measure) {
        HarmonyDescription description;
        pugi::xml_node root = harmony.child("root");
        const std::string step = root.child_value("root-step");
        description.kind = std::string(Trimmed(harmony.child_value("kind")));
        description.text = harmony.child("kind").attribute("text").as_string();
        if (description.kind.empty()) {
            description.kind = "major";
        }
        if (description.kind != "none") {
            if (step.size() != 1 || step[0] < 'A' || step[0] > 'G') {
                remarks_.Add("chord symbols written without a root (as functions or numerals)");
                return;
            }
            description.rootStep = step[0];
            description.rootAlter = Alteration(root.child("root-alter").text());
        }
        if (pugi::xml_node bass = harmony.child("bass")) {
            const std::string bassStep = bass.child_value("bass-step");
            if (bassStep.size() == 1 && bassStep[0] >= 'A' && bassStep[0] <= 'G') {
                description.hasBass = true;
                description.bassStep = bassStep[0];
                description.bassAlter = Alteration(bass.child("bass-alter").text());
            }
        }
        description.inversion = static_cast<int>(Bounded(harmony.child("inversion").text(), 0, 3, 0));
        for (pugi::xml_node degree : harmony.children("degree")) {
            HarmonyDescription::Degree read{
                static_cast<int>(Bounded(degree.child("degree-value").text(), 0, 99, 0)),
                Alteration(degree.child("degree-alter").text()),
                std::string(Trimmed(degree.child_value("degree-type")))};
            // Kaz wrote the added seventh of a suspended chord a semitone low before it counted added degrees
            // from the dominant chord, as the format does.
            if (kazFile_ && description.kind == "suspended-fourth" && read.type == "add" && read.value == 7 &&
                read.alter == -1) {
                read.alter = 0;
            }
            description.degrees.push_back(std::move(read));
        }
        const std::int64_t offset = Bounded(harmony.child("offset").text(), -kMaxDuration, kMaxDuration, 0);
        const WrittenChord& chord = ChordOf(description);
        if (!chord.described.empty()) {
            remarks_.Add(
                {"what Kaz cannot play of the chord %1 (it plays %2)", {chord.described, chord.symbol}});
        }
        ++harmonies_;
        if (std::string_view(harmony.attribute("type").as_string()) == "alternate") {
            measure.alternates.push_back(chord.symbol);
            return;
        }
        measure.chords.push_back({std::max<std::int64_t>(0, cursor + offset), chord.symbol});
    }

    //! The chart chord of a description; a lead sheet names the same few chords again and again.
    const WrittenChord& ChordOf(const HarmonyDescription& description) {
        std::string key = std::string(1, description.rootStep) + std::to_string(description.rootAlter) + "|" +
                          description.kind + "|" + description.text + "|" +
                          std::to_string(description.inversion);
        if (description.hasBass) {
            key += "/" + std::string(1, description.bassStep) + std::to_string(description.bassAlter);
        }
        for (const auto& degree : description.degrees) {
            key += "|" + degree.type + std::to_string(degree.value) + ":" + std::to_string(degree.alter);
        }
        auto known = chords_.find(key);
        if (known == chords_.end()) {
            known = chords_.emplace(std::move(key), WrittenChordOf(description)).first;
        }
        return known->second;
    }

    void ReadDirection(pugi::xml_node direction, PartMeasure& measure) {
        SheetMeasure& marks = measure.marks;
        bool codaSign = false;
        bool toCoda = static_cast<bool>(direction.child("sound").attribute("tocoda"));
        for (pugi::xml_node type : direction.children("direction-type")) {
            for (pugi::xml_node rehearsal : type.children("rehearsal")) {
                ReadRehearsal(rehearsal.text().as_string(), marks);
            }
            marks.segno = marks.segno || type.child("segno");
            codaSign = codaSign || type.child("coda");
            for (pugi::xml_node words : type.children("words")) {
                toCoda = ReadWords(words.text().as_string(), marks) == "TO CODA" || toCoda;
            }
            if (pugi::xml_node metronome = type.child("metronome")) {
                ReadMetronome(metronome, marks);
            }
        }
        for (pugi::xml_node sound : direction.children("sound")) {
            ReadSound(sound, marks);
        }
        // The coda sign beside "To Coda" marks where the jump is taken, not the coda.
        if (codaSign && !toCoda) {
            marks.coda = true;
        }
    }

    //! A rehearsal mark: the section that starts here, or a remark when it names none or a section started
    //! here already.
    static void ReadRehearsal(std::string_view text, SheetMeasure& marks) {
        const std::optional<std::string> section = ChartSectionName(text);
        if (section && marks.section.empty()) {
            marks.section = *section;
        } else if (const std::string remark = Written(text); !remark.empty()) {
            marks.notes.push_back(remark);
        }
    }

    //! Words over the measure: the song's style, a jump, or a remark. Returns the jump they ask for.
    std::string ReadWords(std::string_view words, SheetMeasure& marks) {
        const std::string line = Written(words);
        if (line.empty()) {
            return {};
        }
        if (measures_.empty() && style_.empty() && StyleForForeignName(line) != kBlockChordsStyle) {
            // A style named over the first measure is the song's style.
            style_ = line;
            return {};
        }
        const std::string jump = JumpOfWords(line);
        if (jump.empty()) {
            marks.notes.push_back(line);
        } else if (jump == "TO CODA" || jump == "FINE" || marks.jump.size() < jump.size()) {
            // The words say more than a sound of the same jump ("D.S. al Coda" over "D.S.").
            marks.jump = jump;
        }
        return jump;
    }

    void ReadMetronome(pugi::xml_node metronome, SheetMeasure& marks) {
        // Quarter notes a minute from the beat the metronome counts.
        static constexpr std::array<std::pair<std::string_view, double>, 5> kQuarters = {
            {{"whole", 4}, {"half", 2}, {"quarter", 1}, {"eighth", 0.5}, {"16th", 0.25}}};
        const std::string_view unit = metronome.child_value("beat-unit");
        const auto quarters = std::find_if(kQuarters.begin(), kQuarters.end(),
                                           [&](const auto& entry) { return entry.first == unit; });
        if (quarters == kQuarters.end()) {
            return;
        }
        const double dotted = metronome.child("beat-unit-dot") ? 1.5 : 1;
        SetTempo(metronome.child("per-minute").text().as_double(0) * quarters->second * dotted, marks);
    }

    void ReadSound(pugi::xml_node sound, SheetMeasure& marks) {
        if (sound.attribute("tempo")) {
            SetTempo(sound.attribute("tempo").as_double(0), marks);
        }
        if (sound.attribute("segno")) {
            marks.segno = true;
        }
        if (sound.attribute("coda") && marks.jump != "TO CODA") {
            marks.coda = true;
        }
        if (sound.attribute("tocoda")) {
            marks.jump = "TO CODA";
            marks.coda = false;
        } else if (sound.attribute("fine") && marks.jump.empty()) {
            marks.jump = "FINE";
        } else if (sound.attribute("dalsegno") && !marks.jump.starts_with("D.S.")) {
            marks.jump = "D.S.";
        } else if (std::string_view(sound.attribute("dacapo").as_string()) == "yes" &&
                   !marks.jump.starts_with("D.C.")) {
            marks.jump = "D.C.";
        }
    }

    void SetTempo(double tempo, SheetMeasure& marks) {
        if (!std::isfinite(tempo) || tempo < 1 || tempo > kMaxTempo) {
            return;
        }
        const int rounded = static_cast<int>(std::lround(tempo));
        if (tempo_ == 0) {
            tempo_ = rounded;
        } else if (rounded != lastTempo_) {
            // The chart has one tempo; a change of it is kept in words.
            marks.notes.push_back("Tempo " + std::to_string(rounded));
        }
        lastTempo_ = rounded;
    }

    void ReadBarline(pugi::xml_node barline, PartMeasure& measure) {
        SheetMeasure& marks = measure.marks;
        if (pugi::xml_node repeat = barline.child("repeat")) {
            if (std::string_view(repeat.attribute("direction").as_string()) == "forward") {
                marks.repeatOpens = true;
            } else {
                const pugi::xml_attribute times = repeat.attribute("times");
                marks.repeatCloses =
                    times ? static_cast<int>(std::clamp<long long>(times.as_llong(2), 2, kMaxRepeatTimes))
                          : 2;
                if (times && times.as_llong(2) > kMaxRepeatTimes) {
                    remarks_.Add({"a repeat played %1 times, which the chart plays %2 times",
                                  {std::string(times.as_string()), std::to_string(kMaxRepeatTimes)}});
                }
            }
        }
        if (pugi::xml_node ending = barline.child("ending")) {
            const std::string_view type = ending.attribute("type").as_string();
            if (type == "start") {
                marks.ending = EndingNumbers(ending.attribute("number").as_string());
            } else {
                measure.endingEnds = true;
            }
        }
        marks.segno = marks.segno || barline.child("segno");
        marks.coda = marks.coda || barline.child("coda");
    }

    bool kazFile_;  //!< written by Kaz, which once wrote the seventh of "7sus4" a semitone low
    Remarks& remarks_;
    std::vector<PartMeasure> measures_;
    std::map<std::string, WrittenChord> chords_;
    std::string style_;
    std::string key_;
    std::int64_t divisions_ = 1;
    int beats_ = 4;
    int beatType_ = 4;
    int harmonies_ = 0;
    int tempo_ = 0;
    int lastTempo_ = 0;
};

//! A meter for a measure that is shorter than its own, from how far its notes reach; nothing when no meter
//! of eighths or sixteenths measures it.
std::optional<std::pair<int, int>> MeterOfLength(const PartMeasure& measure) {
    for (const std::int64_t beatType : {std::int64_t{measure.beatType}, std::int64_t{8}, std::int64_t{16}}) {
        const std::int64_t beats = measure.filled * beatType;
        if (beats % (4 * measure.divisions) == 0 && beats / (4 * measure.divisions) >= 1) {
            return std::pair(static_cast<int>(beats / (4 * measure.divisions)), static_cast<int>(beatType));
        }
    }
    return std::nullopt;
}

bool HasMarks(const SheetMeasure& marks) {
    return !marks.section.empty() || marks.repeatOpens || !marks.ending.empty() || marks.segno ||
           marks.coda || !marks.jump.empty() || marks.repeatCloses > 0;
}

//! The lead sheet of the measures of the parts read: the chords of the part that has most of them, a
//! measure without any from another part that has some there, and the marks of every part.
class SheetBuilder {
  public:
    SheetBuilder(LeadSheet& sheet, Remarks& remarks) : sheet_(sheet), remarks_(remarks) {}

    //! Whether the ending played ends with each measure of the sheet.
    [[nodiscard]] const std::vector<bool>& EndingEnds() const { return endingEnds_; }

    void Build(std::vector<std::unique_ptr<PartReader>>& parts, const std::vector<std::string>& names) {
        std::size_t chordPart = 0;
        for (std::size_t i = 1; i < parts.size(); ++i) {
            if (parts[i]->Harmonies() > parts[chordPart]->Harmonies()) {
                chordPart = i;
            }
        }
        std::vector<PartMeasure>& measures = parts[chordPart]->Measures();
        sheet_.style = parts[chordPart]->Style();
        sheet_.tempo = parts[chordPart]->Tempo();
        for (std::size_t other = 0; other < parts.size(); ++other) {
            if (other == chordPart) {
                continue;
            }
            sheet_.style = sheet_.style.empty() ? parts[other]->Style() : sheet_.style;
            sheet_.tempo = sheet_.tempo == 0 ? parts[other]->Tempo() : sheet_.tempo;
            std::vector<PartMeasure>& from = parts[other]->Measures();
            for (std::size_t i = 0; i < std::min(from.size(), measures.size()); ++i) {
                MergeInto(measures[i], std::move(from[i]), names[other], names[chordPart]);
            }
        }
        for (std::size_t i = 0; i < measures.size(); ++i) {
            AddMeasure(measures[i], i);
        }
    }

  private:
    void MergeInto(PartMeasure& into, PartMeasure from, const std::string& fromName,
                   const std::string& intoName) {
        if (into.chords.empty()) {
            into.chords = std::move(from.chords);
        } else if (!from.chords.empty() && !SameChords(into.chords, from.chords)) {
            remarks_.Add({"the chord symbols of the part %1 where they differ from those of %2",
                          {fromName, intoName}});
        }
        SheetMeasure& marks = into.marks;
        if (marks.section.empty()) {
            marks.section = from.marks.section;
        }
        if (marks.ending.empty()) {
            marks.ending = from.marks.ending;
        }
        if (marks.jump.empty()) {
            marks.jump = from.marks.jump;
        }
        marks.repeatOpens = marks.repeatOpens || from.marks.repeatOpens;
        marks.repeatCloses = std::max(marks.repeatCloses, from.marks.repeatCloses);
        marks.segno = marks.segno || from.marks.segno;
        into.endingEnds = into.endingEnds || from.endingEnds;
        marks.coda = marks.coda || from.marks.coda;
        for (std::string& note : from.marks.notes) {
            if (std::find(marks.notes.begin(), marks.notes.end(), note) == marks.notes.end()) {
                marks.notes.push_back(std::move(note));
            }
        }
    }

    static bool SameChords(const std::vector<TimedChord>& a, const std::vector<TimedChord>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](const TimedChord& x, const TimedChord& y) { return x.symbol == y.symbol; });
    }

    void AddMeasure(PartMeasure& read, std::size_t index) {
        SheetMeasure measure = std::move(read.marks);
        if (!read.key.empty()) {
            if (sheet_.key.empty() && sheet_.measures.empty()) {
                sheet_.key = read.key;
            } else {
                measure.notes.push_back("Key: " + read.key);
            }
        }
        std::int64_t length = read.Length();
        int beats = read.beats;
        int beatType = read.beatType;
        if (read.implicit && read.filled > 0 && read.filled < length) {
            if (const auto meter = MeterOfLength(read)) {
                if (index == 0 && read.chords.empty() && !HasMarks(measure)) {
                    sheet_.notes.push_back("Pickup of " + std::to_string(meter->first) + "/" +
                                           std::to_string(meter->second) + " before the first measure");
                    sheet_.notes.insert(sheet_.notes.end(), measure.notes.begin(), measure.notes.end());
                    return;
                }
                std::tie(beats, beatType) = *meter;
                length = read.filled;
            }
        }
        if (beats != meter_.first || beatType != meter_.second) {
            measure.meterNumerator = beats;
            measure.meterDenominator = beatType;
            meter_ = {beats, beatType};
        }
        if (!read.alternates.empty()) {
            std::string alternates = "Alternate chords:";
            for (const std::string& chord : read.alternates) {
                alternates += " " + chord;
            }
            measure.notes.push_back(alternates);
        }
        measure.chords = ChordsOf(read.chords, length, measure);
        // A measure that plays the chords of the one before, in the same meter and with no mark of its own,
        // is the chart's measure repeat.
        const bool repeated = !read.chords.empty() && measure.chords == previousChords_ &&
                              !HasMarks(measure) && measure.meterNumerator == 0;
        previousChords_ = measure.chords;
        if (repeated) {
            measure.chords = {"%"};
        }
        sheet_.measures.push_back(std::move(measure));
        endingEnds_.push_back(read.endingEnds);
    }

    //! The chart's symbols for the chords at their times: one chord a time, the first of several written as
    //! alternatives; a chord struck again as a slash; a measure that starts without one holding the chord
    //! before, or resting at the start of the song.
    std::vector<std::string> ChordsOf(std::vector<TimedChord>& chords, std::int64_t length,
                                      SheetMeasure& measure) {
        const std::string before = sheet_.measures.empty() ? "-" : "=";
        if (chords.empty()) {
            return {before};
        }
        std::stable_sort(chords.begin(), chords.end(),
                         [](const TimedChord& a, const TimedChord& b) { return a.time < b.time; });
        std::vector<PlacedChord> placed;
        std::string alternates;
        std::string last;
        for (const TimedChord& chord : chords) {
            if (!placed.empty() && placed.back().position == chord.time) {
                alternates += " " + chord.symbol;
                continue;
            }
            placed.push_back({chord.time, chord.symbol == last ? "/" : chord.symbol});
            last = chord.symbol;
        }
        if (!alternates.empty()) {
            measure.notes.push_back("Alternate chords:" + alternates);
        }
        if (placed.front().position > 0) {
            placed.insert(placed.begin(), {0, before});
        }
        return SpreadChords(placed, length);
    }

    LeadSheet& sheet_;
    Remarks& remarks_;
    std::pair<int, int> meter_{4, 4};
    std::vector<std::string> previousChords_;
    std::vector<bool> endingEnds_;
};

std::string PartName(pugi::xml_node score, std::string_view id, std::size_t number) {
    for (pugi::xml_node part : score.child("part-list").children("score-part")) {
        if (id == part.attribute("id").as_string()) {
            if (const std::string name = OneLine(part.child_value("part-name")); !name.empty()) {
                return "\"" + name + "\"";
            }
        }
    }
    return std::to_string(number);
}

bool WrittenByKaz(pugi::xml_node score) {
    return std::string_view(score.child("identification").child("encoding").child_value("software")) == "Kaz";
}

//! The parts of a score as a reader each, and their names.
void ReadParts(pugi::xml_node score, bool timewise, Remarks& remarks,
               std::vector<std::unique_ptr<PartReader>>& parts, std::vector<std::string>& names) {
    const bool kazFile = WrittenByKaz(score);
    std::vector<std::string> ids;
    if (timewise) {
        for (pugi::xml_node part : score.child("measure").children("part")) {
            ids.emplace_back(part.attribute("id").as_string());
        }
    } else {
        for (pugi::xml_node part : score.children("part")) {
            ids.emplace_back(part.attribute("id").as_string());
        }
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
        parts.push_back(std::make_unique<PartReader>(kazFile, remarks));
        names.push_back(PartName(score, ids[i], i + 1));
    }
    if (timewise) {
        for (pugi::xml_node measure : score.children("measure")) {
            for (std::size_t i = 0; i < ids.size(); ++i) {
                parts[i]->ReadMeasure(measure, measure.find_child_by_attribute("part", "id", ids[i].c_str()));
            }
        }
        return;
    }
    std::size_t i = 0;
    for (pugi::xml_node part : score.children("part")) {
        for (pugi::xml_node measure : part.children("measure")) {
            parts[i]->ReadMeasure(measure, measure);
        }
        ++i;
    }
}

struct ZipArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipArchiveCloser>;
using ZipFile = std::unique_ptr<zip_file_t, ZipFileCloser>;

//! The bytes of one member of the archive, read no further than limit whatever its header claims.
bool ReadMember(zip_t* archive, const char* name, std::size_t limit, std::string& bytes, Message& error) {
    const ZipFile file(zip_fopen(archive, name, 0));
    if (!file) {
        error = {"the archive has no readable %1", {name}};
        return false;
    }
    bytes.clear();
    std::array<char, 65536> buffer{};
    while (true) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            error = {"the archive's %1 cannot be unpacked", {name}};
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        if (bytes.size() > limit) {
            error = {"the archive unpacks to more than %1 MiB, far more than a song",
                     {std::to_string(limit / (1024 * 1024))}};
            return false;
        }
    }
}

bool IsScoreName(std::string_view name) {
    return !name.starts_with("META-INF/") && (name.ends_with(".xml") || name.ends_with(".musicxml"));
}

//! The score the container file names (the first of its root files that is MusicXML), or else the first
//! MusicXML file outside META-INF.
std::string ScoreMemberName(zip_t* archive, std::size_t limit) {
    std::string container;
    Message error;
    if (ReadMember(archive, "META-INF/container.xml", limit, container, error)) {
        pugi::xml_document document;
        if (document.load_buffer(container.data(), container.size())) {
            for (pugi::xpath_node found : document.select_nodes("//rootfile")) {
                const pugi::xml_node rootfile = found.node();
                std::string_view path = rootfile.attribute("full-path").as_string();
                const std::string_view type = rootfile.attribute("media-type").as_string();
                while (path.starts_with("./") || path.starts_with("/")) {
                    path.remove_prefix(path.front() == '/' ? 1 : 2);
                }
                if (!path.empty() &&
                    (type.empty() || type.find("musicxml") != std::string_view::npos || IsScoreName(path))) {
                    return std::string(path);
                }
            }
        }
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name != nullptr && IsScoreName(name)) {
            return name;
        }
    }
    return {};
}

}  // namespace

ImportedSongs ReadMusicXml(std::string_view bytes) {
    pugi::xml_document document;
    // The default parse skips a document type declaration whole: no entity of it is ever expanded or loaded.
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
    if (!parsed) {
        return Failure(
            {"not well-formed XML at byte %1: %2", {std::to_string(parsed.offset), parsed.description()}});
    }
    const bool timewise = static_cast<bool>(document.child("score-timewise"));
    const pugi::xml_node score =
        timewise ? document.child("score-timewise") : document.child("score-partwise");
    if (!score) {
        return Failure("not a MusicXML score");
    }
    if (!score.find_node([](pugi::xml_node node) { return std::string_view(node.name()) == "harmony"; })) {
        return Failure("the MusicXML score has no chord symbols");
    }
    Remarks remarks;
    std::vector<std::unique_ptr<PartReader>> parts;
    std::vector<std::string> names;
    ReadParts(score, timewise, remarks, parts, names);
    if (parts.empty()) {
        return Failure("the MusicXML score has no parts");
    }
    LeadSheet sheet;
    sheet.title = OneLine(score.child("work").child_value("work-title"));
    if (sheet.title.empty()) {
        sheet.title = OneLine(score.child_value("movement-title"));
    }
    for (pugi::xml_node creator : score.child("identification").children("creator")) {
        if (std::string_view(creator.attribute("type").as_string()) == "composer") {
            sheet.composer = OneLine(creator.text().as_string());
        }
    }
    SheetBuilder builder(sheet, remarks);
    builder.Build(parts, names);
    for (const Message& remark : SettleForm(sheet.measures, builder.EndingEnds())) {
        remarks.Add(remark);
    }
    ImportedSongs songs;
    songs.songs.push_back(std::move(sheet));
    songs.problems = remarks.Take();
    return songs;
}

ImportedSongs ReadCompressedMusicXml(std::string_view bytes, std::size_t unpackedLimit) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        return Failure("the compressed MusicXML file cannot be read");
    }
    const ZipArchive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return Failure("not a readable compressed MusicXML (.mxl) file");
    }
    const std::string name = ScoreMemberName(archive.get(), unpackedLimit);
    if (name.empty()) {
        return Failure("the compressed MusicXML file holds no score");
    }
    std::string score;
    Message reason;
    if (!ReadMember(archive.get(), name.c_str(), unpackedLimit, score, reason)) {
        return Failure(reason);
    }
    return ReadMusicXml(score);
}

}  // namespace kaz
