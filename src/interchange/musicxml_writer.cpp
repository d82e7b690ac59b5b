#include "interchange/musicxml_writer.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>

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
        if (!degree.printed) {
            node.append_attribute("print-object") = "no";
        }
        AddText(node, "degree-value", std::to_string(degree.value));
        AddText(node, "degree-alter", std::to_string(degree.alter));
        AddText(node, "degree-type", degree.type);
    }
    if (offset > 0) {
        AddText(harmony, "offset", std::to_string(offset));
    }
}

pugi::xml_node AddSlash(pugi::xml_node measure, const Meter& meter) {
    pugi::xml_node note = measure.append_child("note");
    pugi::xml_node pitch = note.append_child("pitch");
    AddText(pitch, "step", "B");
    AddText(pitch, "octave", "4");
    AddText(note, "duration", std::to_string(meter.BeatLength()));
    AddText(note, "type", NoteType(meter.beatType));
    AddText(note, "stem", "none");
    AddText(note, "notehead", "slash");
    return note;
}

//! The words sung from a chord on, under the slash of its beat: a syllable that begins, goes on in or ends
//! a word the chords around it share, or a whole word or more. inWord says whether a word goes on into these.
void AddLyric(pugi::xml_node note, const std::string& words, bool& inWord) {
    const std::string_view sung = Trimmed(words);
    if (sung.empty()) {
        return;
    }
    const bool goesOn = !words.ends_with(' ');
    const char* syllabic = inWord ? (goesOn ? "middle" : "end") : (goesOn ? "begin" : "single");
    inWord = goesOn;
    pugi::xml_node lyric = note.append_child("lyric");
    lyric.append_attribute("number") = "1";
    AddText(lyric, "syllabic", syllabic);
    AddText(lyric, "text", std::string(sung));
}

//! The attributes of a measure that changes the meter; the first also sets the divisions, the song's key
//! when it has one Kaz can name, the clef and the slashes.
void AddAttributes(pugi::xml_node measure, const Meter& meter, bool first, const std::string& key) {
    pugi::xml_node attributes = measure.append_child("attributes");
    if (first) {
        AddText(attributes, "divisions", std::to_string(kDivisions));
        if (const std::optional<KeySignature> signature = SignatureOfKey(key)) {
            pugi::xml_node node = attributes.append_child("key");
            AddText(node, "fifths", std::to_string(signature->fifths));
            AddText(node, "mode", signature->minor ? "minor" : "major");
        }
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
//! The beats of a measure as slashes with the chords over them and, for a sung measure (words, one for each
//! chord), the words under them; inWord says whether a word of the measure before goes on into this one.
void AddBeats(pugi::xml_node measure, const std::vector<std::string>& chords, const Meter& meter,
              std::string& struck, const std::vector<std::string>* words, bool& inWord) {
    const int length = meter.MeasureLength();
    const int count = static_cast<int>(chords.size());
    for (int beat = 0; beat < meter.beats; ++beat) {
        const int beatStart = beat * meter.BeatLength();
        std::string sung;
        for (int k = 0; k < count; ++k) {
            const int start = k * length / count;
            const std::string& chord = chords[static_cast<std::size_t>(k)];
            const bool onBeat = start >= beatStart && start < beatStart + meter.BeatLength();
            if (onBeat && chord != "=") {
                AddHarmony(measure, chord == "-" ? "N.C." : chord == "/" ? struck : chord, start - beatStart);
            }
            if (onBeat && words != nullptr) {
                sung += (*words)[static_cast<std::size_t>(k)];
            }
            if (chord != "=" && chord != "/" && chord != "-") {
                struck = chord;
            }
        }
        AddLyric(AddSlash(measure, meter), sung, inWord);
    }
}

//! Printed nodes gathered into pieces of about kPieceBytes for the sink, so a long song is never held whole.
class XmlStream : public pugi::xml_writer {
  public:
    explicit XmlStream(const TextSink& sink) : sink_(sink) {}

    void write(const void* data, std::size_t size) override {
        pending_.append(static_cast<const char*>(data), size);
    }
    [[nodiscard]] bool Text(std::string_view text) {
        pending_ += text;
        return Pass();
    }
    //! The node and everything in it, indented as depth levels below the document.
    [[nodiscard]] bool Node(pugi::xml_node node, unsigned depth) {
        node.print(*this, "  ", pugi::format_default, pugi::encoding_utf8, depth);
        return Pass();
    }
    [[nodiscard]] bool Finish() {
        const bool written = pending_.empty() || sink_(pending_);
        pending_.clear();
        return written;
    }

  private:
    static constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

    bool Pass() { return pending_.size() < kPieceBytes || Finish(); }

    const TextSink& sink_;
    std::string pending_;
};

class MeasureWriter {
  public:
    explicit MeasureWriter(XmlStream& out) : out_(out) {}

    [[nodiscard]] bool Write(const LeadSheet& sheet) {
        style_ = OneLine(sheet.style);
        key_ = OneLine(sheet.key);
        for (std::size_t i = 0; i < sheet.measures.size(); ++i) {
            const SheetMeasure& measure = sheet.measures[i];
            const bool endingEnds = i + 1 == sheet.measures.size() || !sheet.measures[i + 1].ending.empty() ||
                                    !sheet.measures[i + 1].section.empty() || measure.repeatCloses > 0;
            if (!measure.ending.empty()) {
                openEnding_ = measure.ending;
            }
            const bool twoMeasures = measure.chords.size() == 1 && measure.chords.front() == "%%";
            bool written = true;
            if (twoMeasures) {
                const std::vector<std::string> first = BeforeLast(1);
                written = WriteMeasure(measure, first, false, sheet.tempo, i == 0);
                SheetMeasure second;
                second.jump = measure.jump;
                second.repeatCloses = measure.repeatCloses;
                written = written && WriteMeasure(second, BeforeLast(1), endingEnds, 0, false);
            } else {
                const std::vector<std::string> chords =
                    measure.chords.size() == 1 && measure.chords.front() == "%" ? BeforeLast(0)
                                                                                : measure.chords;
                written = WriteMeasure(measure, chords, endingEnds, sheet.tempo, i == 0);
            }
            if (!written) {
                return false;
            }
        }
        return true;
    }

  private:
    //! The chords of the measure written back from the last one ("%" repeats the last, "%%" the two before).
    std::vector<std::string> BeforeLast(std::size_t back) const {
        return back < written_.size() && !written_[back].empty() ? written_[back]
                                                                 : std::vector<std::string>{"-"};
    }

    [[nodiscard]] bool WriteMeasure(const SheetMeasure& measure, const std::vector<std::string>& chords,
                                    bool endingEnds, int tempo, bool first) {
        scratch_.reset();
        pugi::xml_node node = scratch_.append_child("measure");
        node.append_attribute("number") = ++number_;
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
            AddAttributes(node, meter_, first, key_);
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
        // The words of a sung measure, its pickup sung with its first chord.
        std::vector<std::string> words = measure.words;
        const bool sung = measure.sung && !words.empty() && words.size() == chords.size();
        if (sung) {
            words.front().insert(0, measure.pickup);
        }
        AddBeats(node, chords.empty() ? std::vector<std::string>{"-"} : chords, meter_, struck_,
                 sung ? &words : nullptr, inWord_);
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
        written_[1] = std::move(written_[0]);
        written_[0] = chords;
        return out_.Node(node, 2);
    }

    XmlStream& out_;
    pugi::xml_document scratch_;  //!< the measure being written
    int number_ = 0;
    Meter meter_;
    std::string openEnding_;
    std::string style_;  //!< the song's style as other programs name it
    std::string key_;
    std::string struck_;                               //!< the last chord struck, which a slash strikes again
    bool inWord_ = false;                              //!< the last words sung end inside a word
    std::array<std::vector<std::string>, 2> written_;  //!< the chords of the last measure and the one before
};

//! What a chord symbol writes between its root and its bass.
std::string_view SuffixOf(std::string_view chord) {
    const std::size_t root = chord.size() > 1 && (chord[1] == 'b' || chord[1] == '#') ? 2 : 1;
    return chord.substr(root, chord.find('/') - root);
}

}  // namespace

bool StreamMusicXml(const LeadSheet& sheet, const TextSink& sink) {
    XmlStream out(sink);
    pugi::xml_document head;
    pugi::xml_node declaration = head.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    head.append_child(pugi::node_doctype)
        .set_value(
            "score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
            "\"http://www.musicxml.org/dtds/partwise.dtd\"");
    pugi::xml_document score;
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
    head.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    // The score and its part are opened and closed around the measures, which are printed one at a time.
    bool written = out.Text("<score-partwise version=\"4.0\">\n");
    for (pugi::xml_node child : score.children()) {
        written = written && out.Node(child, 1);
    }
    written = written && out.Text("  <part id=\"P1\">\n") && MeasureWriter(out).Write(sheet) &&
              out.Text("  </part>\n</score-partwise>\n");
    return written && out.Finish();
}

std::string WriteMusicXml(const LeadSheet& sheet) {
    std::string text;
    const bool written = StreamMusicXml(sheet, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return written ? text : std::string();
}

std::vector<Message> MusicXmlDifferences(const std::vector<SheetMeasure>& measures) {
    std::vector<Message> remarks;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        const std::vector<std::string>& entries = measures[i].chords;
        for (const std::string& chord : entries) {
            HarmonyDescription description;
            if (chord.empty() || chord[0] < 'A' || chord[0] > 'G' || !DescribeChord(chord, description)) {
                continue;
            }
            // A kind and its degrees read back in the everyday spelling, which may voice the chord otherwise.
            const std::string back = WrittenChordOf(description).symbol;
            if (VoiceOfSuffix(SuffixOf(back)) != VoiceOfSuffix(SuffixOf(chord))) {
                AddOnce(remarks, {"the chord %1, read back as %2", {chord, back}});
            }
        }
        // Words under a row of measures stand under no note of theirs.
        if (!measures[i].lyricsAfter.empty()) {
            AddOnce(remarks,
                    {"the words under measure %1, which stand under no chord", {std::to_string(i + 1)}});
        }
        if (!HoldsComeBackInPlace(entries)) {
            remarks.push_back({kHoldWrittenLonger, {std::to_string(i + 1)}});
        }
    }
    return remarks;
}

}  // namespace kaz
