#include "interchange/musicxml_writer.h"

#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

#include "interchange/chord_voice.h"
#include "interchange/measure_spread.h"
#include "interchange/musicxml_harmony.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

//! Divisions of a quarter note: enough for chords on any beat and half beat of the meters charts use.
constexpr int kDivisions = 24;

struct Meter {
    int beats = 4;
    int beatType = 4;

    [[nodiscard]] int MeasureLength() const { return beats * kDivisions * 4 / beatType; }
    [[nodiscard]] int BeatLength() const { return kDivisions * 4 / beatType; }
};

const char* NoteType(int beatType) {
    switch (beatType) {
        case 1:
            return "whole";
        case 2:
            return "half";
        case 8:
            return "eighth";
        case 16:
            return "16th";
        default:
            return "quarter";
    }
}

void AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text().set(text.c_str());
}

pugi::xml_node AddDirection(pugi::xml_node measure) {
    pugi::xml_node direction = measure.append_child("direction");
    direction.append_attribute("placement") = "above";
    return direction;
}

void AddWords(pugi::xml_node measure, const std::string& words, const char* soundAttribute,
              const char* soundValue) {
    pugi::xml_node direction = AddDirection(measure);
    AddText(direction.append_child("direction-type"), "words", words);
    if (soundAttribute != nullptr) {
        direction.append_child("sound").append_attribute(soundAttribute) = soundValue;
    }
}

void AddSign(pugi::xml_node measure, const char* sign) {
    pugi::xml_node direction = AddDirection(measure);
    direction.append_child("direction-type").append_child(sign);
    direction.append_child("sound").append_attribute(sign) = sign;
}

void AddJump(pugi::xml_node measure, const std::string& jump) {
    if (jump == "TO CODA") {
        AddWords(measure, "To Coda", "tocoda", "coda");
    } else if (jump == "FINE") {
        AddWords(measure, "Fine", "fine", "yes");
    } else if (jump.starts_with("D.S.")) {
        AddWords(measure, jump, "dalsegno", "segno");
    } else if (jump.starts_with("D.C.")) {
        AddWords(measure, jump, "dacapo", "yes");
    } else {
        AddWords(measure, jump, nullptr, nullptr);
    }
}

void AddStep(pugi::xml_node parent, const char* prefix, char step, int alter) {
    const std::string name(prefix);
    AddText(parent, (name + "-step").c_str(), std::string(1, step));
    if (alter != 0) {
        AddText(parent, (name + "-alter").c_str(), std::to_string(alter));
    }
}

void AddHarmony(pugi::xml_node measure, const std::string& chord, int offset) {
    HarmonyDescription description;
    if (!DescribeChord(chord, description)) {
        return;
    }
    pugi::xml_node harmony = measure.append_child("harmony");
    AddStep(harmony.append_child("root"), "root", description.rootStep, description.rootAlter);
    pugi::xml_node kind = harmony.append_child("kind");
    kind.text().set(description.kind.c_str());
    kind.append_attribute("text") = description.text.c_str();
    if (description.hasBass) {
        AddStep(harmony.append_child("bass"), "bass", description.bassStep, description.bassAlter);
    }
    for (const auto& degree : description.degrees) {
        pugi::xml_node node = harmony.append_child("degree");
        AddText(node, "degree-value", std::to_string(degree.value));
        AddText(node, "degree-alter", std::to_string(degree.alter));
        AddText(node, "degree-type", degree.type);
    }
    if (offset > 0) {
        AddText(harmony, "offset", std::to_string(offset));
    }
}

void AddSlash(pugi::xml_node measure, const Meter& meter) {
    pugi::xml_node note = measure.append_child("note");
    pugi::xml_node pitch = note.append_child("pitch");
    AddText(pitch, "step", "B");
    AddText(pitch, "octave", "4");
    AddText(note, "duration", std::to_string(meter.BeatLength()));
    AddText(note, "type", NoteType(meter.beatType));
    AddText(note, "stem", "none");
    AddText(note, "notehead", "slash");
}

void AddAttributes(pugi::xml_node measure, const Meter& meter, bool first) {
    pugi::xml_node attributes = measure.append_child("attributes");
    if (first) {
        AddText(attributes, "divisions", std::to_string(kDivisions));
        AddText(attributes.append_child("key"), "fifths", "0");
    }
    pugi::xml_node time = attributes.append_child("time");
    AddText(time, "beats", std::to_string(meter.beats));
    AddText(time, "beat-type", std::to_string(meter.beatType));
    if (first) {
        pugi::xml_node clef = attributes.append_child("clef");
        AddText(clef, "sign", "G");
        AddText(clef, "line", "2");
        pugi::xml_node slash = attributes.append_child("measure-style").append_child("slash");
        slash.append_attribute("type") = "start";
        slash.append_attribute("use-stems") = "no";
    }
}

void AddTempo(pugi::xml_node measure, int tempo) {
    pugi::xml_node direction = AddDirection(measure);
    pugi::xml_node metronome = direction.append_child("direction-type").append_child("metronome");
    AddText(metronome, "beat-unit", "quarter");
    AddText(metronome, "per-minute", std::to_string(tempo));
    direction.append_child("sound").append_attribute("tempo") = tempo;
}

pugi::xml_node AddBarline(pugi::xml_node measure, const char* location, const char* style) {
    pugi::xml_node barline = measure.append_child("barline");
    barline.append_attribute("location") = location;
    AddText(barline, "bar-style", style);
    return barline;
}

void AddEnding(pugi::xml_node barline, const std::string& numbers, const char* type) {
    std::string list;
    for (const char c : numbers) {
        if (c != '.') {
            list += list.empty() ? std::string(1, c) : std::string(", ") + c;
        }
    }
    pugi::xml_node ending = barline.append_child("ending");
    ending.append_attribute("number") = list.c_str();
    ending.append_attribute("type") = type;
    if (std::string_view(type) == "start") {
        ending.text().set(numbers.c_str());
    }
}

//! The chords each beat starts with, spread evenly as the chart plays them: "=" holds and starts none, "-" is
//! N.C., "/" strikes the last chord again.
void AddBeats(pugi::xml_node measure, const std::vector<std::string>& chords, const Meter& meter,
              std::string& struck) {
    const int length = meter.MeasureLength();
    const int count = static_cast<int>(chords.size());
    for (int beat = 0; beat < meter.beats; ++beat) {
        const int beatStart = beat * meter.BeatLength();
        for (int k = 0; k < count; ++k) {
            const int start = k * length / count;
            const std::string& chord = chords[static_cast<std::size_t>(k)];
            if (start >= beatStart && start < beatStart + meter.BeatLength() && chord != "=") {
                AddHarmony(measure, chord == "-" ? "N.C." : chord == "/" ? struck : chord, start - beatStart);
            }
            if (chord != "=" && chord != "/" && chord != "-") {
                struck = chord;
            }
        }
        AddSlash(measure, meter);
    }
}

class MeasureWriter {
  public:
    explicit MeasureWriter(pugi::xml_node part) : part_(part) {}

    void Write(const LeadSheet& sheet) {
        style_ = OneLine(sheet.style);
        for (std::size_t i = 0; i < sheet.measures.size(); ++i) {
            const SheetMeasure& measure = sheet.measures[i];
            const bool endingEnds = i + 1 == sheet.measures.size() || !sheet.measures[i + 1].ending.empty() ||
                                    !sheet.measures[i + 1].section.empty() || measure.repeatCloses > 0;
            if (!measure.ending.empty()) {
                openEnding_ = measure.ending;
            }
            const bool twoMeasures = measure.chords.size() == 1 && measure.chords.front() == "%%";
            if (twoMeasures) {
                const std::vector<std::string> first = BeforeLast(1);
                WriteMeasure(measure, first, false, sheet.tempo, i == 0);
                SheetMeasure second;
                second.jump = measure.jump;
                second.repeatCloses = measure.repeatCloses;
                WriteMeasure(second, BeforeLast(1), endingEnds, 0, false);
            } else {
                const std::vector<std::string> chords =
                    measure.chords.size() == 1 && measure.chords.front() == "%" ? BeforeLast(0)
                                                                                : measure.chords;
                WriteMeasure(measure, chords, endingEnds, sheet.tempo, i == 0);
            }
        }
    }

  private:
    //! The chords of the measure written back from the last one ("%" repeats the last, "%%" the two before).
    std::vector<std::string> BeforeLast(std::size_t back) const {
        if (written_.size() <= back) {
            return {"-"};
        }
        return written_[written_.size() - 1 - back];
    }

    void WriteMeasure(const SheetMeasure& measure, const std::vector<std::string>& chords, bool endingEnds,
                      int tempo, bool first) {
        pugi::xml_node node = part_.append_child("measure");
        node.append_attribute("number") = static_cast<int>(written_.size()) + 1;
        if (measure.repeatOpens || !measure.ending.empty()) {
            pugi::xml_node barline =
                AddBarline(node, "left", measure.repeatOpens ? "heavy-light" : "regular");
            if (!measure.ending.empty()) {
                AddEnding(barline, measure.ending, "start");
            }
            if (measure.repeatOpens) {
                barline.append_child("repeat").append_attribute("direction") = "forward";
            }
        }
        if (first || measure.meterNumerator > 0) {
            if (measure.meterNumerator > 0) {
                meter_ = {measure.meterNumerator, measure.meterDenominator};
            }
            AddAttributes(node, meter_, first);
        }
        if (!measure.section.empty()) {
            AddText(AddDirection(node).append_child("direction-type"), "rehearsal", measure.section);
        }
        if (measure.segno) {
            AddSign(node, "segno");
        }
        if (measure.coda) {
            AddSign(node, "coda");
        }
        if (first && tempo > 0) {
            AddTempo(node, tempo);
        }
        if (first && !style_.empty()) {
            // Lead sheets name the style in words over the first measure.
            AddWords(node, style_, nullptr, nullptr);
        }
        AddBeats(node, chords.empty() ? std::vector<std::string>{"-"} : chords, meter_, struck_);
        if (!measure.jump.empty()) {
            AddJump(node, measure.jump);
        }
        const bool closesEnding = !openEnding_.empty() && endingEnds;
        if (measure.repeatCloses > 0 || closesEnding) {
            pugi::xml_node barline =
                AddBarline(node, "right", measure.repeatCloses > 0 ? "light-heavy" : "regular");
            if (closesEnding) {
                AddEnding(barline, openEnding_, measure.repeatCloses > 0 ? "stop" : "discontinue");
                openEnding_.clear();
            }
            if (measure.repeatCloses > 0) {
                pugi::xml_node repeat = barline.append_child("repeat");
                repeat.append_attribute("direction") = "backward";
                if (measure.repeatCloses > 2) {
                    repeat.append_attribute("times") = measure.repeatCloses;
                }
            }
        }
        written_.push_back(chords);
    }

    pugi::xml_node part_;
    Meter meter_;
    std::string openEnding_;
    std::string style_;   //!< the song's style as other programs name it
    std::string struck_;  //!< the last chord struck, which a slash strikes again
    std::vector<std::vector<std::string>> written_;
};

//! What a chord symbol writes between its root and its bass.
std::string_view SuffixOf(std::string_view chord) {
    const std::size_t root = chord.size() > 1 && (chord[1] == 'b' || chord[1] == '#') ? 2 : 1;
    return chord.substr(root, chord.find('/') - root);
}

}  // namespace

std::string WriteMusicXml(const LeadSheet& sheet) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    document.append_child(pugi::node_doctype)
        .set_value(
            "score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
            "\"http://www.musicxml.org/dtds/partwise.dtd\"");
    pugi::xml_node score = document.append_child("score-partwise");
    score.append_attribute("version") = "4.0";
    AddText(score.append_child("work"), "work-title",
            OneLine(sheet.title.empty() ? "Untitled" : sheet.title));
    pugi::xml_node identification = score.append_child("identification");
    if (!sheet.composer.empty()) {
        pugi::xml_node creator = identification.append_child("creator");
        creator.append_attribute("type") = "composer";
        creator.text().set(OneLine(sheet.composer).c_str());
    }
    AddText(identification.append_child("encoding"), "software", "Kaz");
    pugi::xml_node part = score.append_child("part-list").append_child("score-part");
    part.append_attribute("id") = "P1";
    AddText(part, "part-name", "Chords");
    pugi::xml_node music = score.append_child("part");
    music.append_attribute("id") = "P1";
    MeasureWriter(music).Write(sheet);
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    return text.str();
}

std::vector<std::string> MusicXmlDifferences(const std::vector<SheetMeasure>& measures) {
    std::vector<std::string> remarks;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const std::vector<std::string>& entries = measures[i].chords;
        for (const std::string& chord : entries) {
            HarmonyDescription description;
            if (chord.empty() || chord[0] < 'A' || chord[0] > 'G' || !DescribeChord(chord, description)) {
                continue;
            }
            // A kind and its degrees read back in the everyday spelling, which may voice the chord otherwise.
            const std::string back = ChartChordOf(description);
            const std::string remark = "the chord " + chord + ", read back as " + back;
            if (VoiceOfSuffix(SuffixOf(back)) != VoiceOfSuffix(SuffixOf(chord)) &&
                std::find(remarks.begin(), remarks.end(), remark) == remarks.end()) {
                remarks.push_back(remark);
            }
        }
        if (std::find(entries.begin(), entries.end(), "=") == entries.end()) {
            continue;
        }
        // The chords come back where they stand in time, and the holds only where they are needed to place
        // a chord, as the reader reads them.
        std::vector<PlacedChord> placed;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            if (entries[k] != "=") {
                placed.push_back({static_cast<int>(k), entries[k]});
            }
        }
        if (!placed.empty() && placed.front().position > 0) {
            placed.insert(placed.begin(), {0, "="});
        }
        if (placed.empty() || SpreadChords(placed, static_cast<int>(entries.size())) != entries) {
            remarks.push_back("the hold (=) in measure " + std::to_string(i + 1) +
                              ", written as the chord before it played longer");
        }
    }
    return remarks;
}

}  // namespace kaz
