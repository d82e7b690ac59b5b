#include "interchange/musicxml_reader.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <pugixml.hpp>

#include "interchange/measure_spread.h"
#include "interchange/musicxml_harmony.h"
#include "interchange/text_fields.h"
#include "style/style_library.h"

namespace kaz {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kJumpWords = {{
    {"d.s. al coda", "D.S. al Coda"},
    {"d.c. al coda", "D.C. al Coda"},
    {"d.s. al fine", "D.S. al Fine"},
    {"d.c. al fine", "D.C. al Fine"},
    {"d.s.", "D.S."},
    {"d.c.", "D.C."},
    {"fine", "FINE"},
    {"to coda", "TO CODA"},
    {"dal segno al coda", "D.S. al Coda"},
}};

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

ImportedSongs Failure(std::string error) {
    ImportedSongs failed;
    failed.error = std::move(error);
    return failed;
}

std::string EndingNumbers(std::string_view number) {
    std::string ending;
    for (const char c : number) {
        if (c >= '1' && c <= '9') {
            ending += c;
            ending += '.';
        }
    }
    return ending;
}

class PartReader {
  public:
    explicit PartReader(LeadSheet& sheet) : sheet_(sheet) {}

    void Read(pugi::xml_node part) {
        for (pugi::xml_node measure : part.children("measure")) {
            ReadMeasure(measure);
        }
    }

  private:
    void ReadMeasure(pugi::xml_node node) {
        SheetMeasure measure;
        std::vector<PlacedChord> chords;
        int cursor = 0;
        for (pugi::xml_node child : node.children()) {
            const std::string_view name = child.name();
            if (name == "attributes") {
                ReadAttributes(child, measure);
            } else if (name == "note") {
                if (!child.child("chord") && !child.child("grace")) {
                    cursor += child.child("duration").text().as_int();
                }
            } else if (name == "backup") {
                cursor -= child.child("duration").text().as_int();
            } else if (name == "forward") {
                cursor += child.child("duration").text().as_int();
            } else if (name == "harmony") {
                ReadHarmony(child, cursor, chords);
            } else if (name == "direction") {
                ReadDirection(child, measure);
            } else if (name == "barline") {
                ReadBarline(child, measure);
            }
        }
        const int length = std::max(1, beats_ * divisions_ * 4 / std::max(1, beatType_));
        std::stable_sort(chords.begin(), chords.end(),
                         [](const PlacedChord& a, const PlacedChord& b) { return a.position < b.position; });
        if (!chords.empty() && chords.front().position > 0) {
            chords.insert(chords.begin(), {0, sheet_.measures.empty() ? "-" : "="});
        }
        measure.chords = chords.empty() ? std::vector<std::string>{sheet_.measures.empty() ? "-" : "="}
                                        : SpreadChords(chords, length);
        // A measure that plays the chords of the one before is the chart's measure repeat.
        const bool repeated = !chords.empty() && measure.chords == previousChords_;
        previousChords_ = measure.chords;
        if (repeated) {
            measure.chords = {"%"};
        }
        sheet_.measures.push_back(std::move(measure));
    }

    void ReadAttributes(pugi::xml_node attributes, SheetMeasure& measure) {
        if (const int divisions = attributes.child("divisions").text().as_int(); divisions > 0) {
            divisions_ = divisions;
        }
        if (pugi::xml_node time = attributes.child("time")) {
            const int beats = time.child("beats").text().as_int();
            const int beatType = time.child("beat-type").text().as_int();
            if (beats > 0 && beatType > 0 && (beats != beats_ || beatType != beatType_)) {
                beats_ = beats;
                beatType_ = beatType;
                measure.meterNumerator = beats;
                measure.meterDenominator = beatType;
            }
        }
    }

    void ReadHarmony(pugi::xml_node harmony, int cursor, std::vector<PlacedChord>& chords) {
        HarmonyDescription description;
        pugi::xml_node root = harmony.child("root");
        const std::string step = root.child("root-step").text().as_string();
        description.kind = harmony.child("kind").text().as_string("major");
        description.text = harmony.child("kind").attribute("text").as_string();
        if (step.size() != 1 || step[0] < 'A' || step[0] > 'G') {
            if (description.kind != "none") {
                return;
            }
        } else {
            description.rootStep = step[0];
        }
        description.rootAlter = root.child("root-alter").text().as_int();
        if (pugi::xml_node bass = harmony.child("bass")) {
            const std::string bassStep = bass.child("bass-step").text().as_string();
            if (bassStep.size() == 1 && bassStep[0] >= 'A' && bassStep[0] <= 'G') {
                description.hasBass = true;
                description.bassStep = bassStep[0];
                description.bassAlter = bass.child("bass-alter").text().as_int();
            }
        }
        for (pugi::xml_node degree : harmony.children("degree")) {
            description.degrees.push_back({degree.child("degree-value").text().as_int(),
                                           degree.child("degree-alter").text().as_int(),
                                           degree.child("degree-type").text().as_string()});
        }
        const int position = std::max(0, cursor + harmony.child("offset").text().as_int());
        std::string chord = ChartChordOf(description);
        // The chord of the measure struck again is the chart's slash.
        const bool again = !chords.empty() &&
                           (chords.back().symbol == chord || chords.back().symbol == "/") &&
                           lastChord_ == chord;
        lastChord_ = chord;
        chords.push_back({position, again ? "/" : std::move(chord)});
    }

    void ReadDirection(pugi::xml_node direction, SheetMeasure& measure) {
        for (pugi::xml_node type : direction.children("direction-type")) {
            if (pugi::xml_node rehearsal = type.child("rehearsal")) {
                measure.section = OneLine(rehearsal.text().as_string());
            }
            if (type.child("segno")) {
                measure.segno = true;
            }
            if (type.child("coda") && !direction.child("sound").attribute("tocoda")) {
                measure.coda = true;
            }
            for (pugi::xml_node words : type.children("words")) {
                ReadWords(words.text().as_string(), measure);
            }
        }
        pugi::xml_node sound = direction.child("sound");
        if (const int tempo = static_cast<int>(sound.attribute("tempo").as_double() + 0.5);
            tempo > 0 && sheet_.tempo == 0) {
            sheet_.tempo = tempo;
        }
        if (sound.attribute("tocoda")) {
            measure.jump = "TO CODA";
        } else if (sound.attribute("dalsegno") && measure.jump.empty()) {
            measure.jump = "D.S.";
        } else if (sound.attribute("dacapo") && measure.jump.empty()) {
            measure.jump = "D.C.";
        } else if (sound.attribute("fine") && measure.jump.empty()) {
            measure.jump = "FINE";
        }
    }

    void ReadWords(std::string_view words, SheetMeasure& measure) {
        if (sheet_.measures.empty() && sheet_.style.empty() &&
            StyleForForeignName(Trimmed(words)) != kBlockChordsStyle) {
            // A style named over the first measure is the song's style.
            sheet_.style = OneLine(words);
            return;
        }
        const std::string lower = Lowercase(Trimmed(words));
        for (const auto& [text, jump] : kJumpWords) {
            if (lower == text) {
                measure.jump = std::string(jump);
                return;
            }
        }
        if (!lower.empty()) {
            measure.notes.push_back(OneLine(words));
        }
    }

    static void ReadBarline(pugi::xml_node barline, SheetMeasure& measure) {
        if (pugi::xml_node repeat = barline.child("repeat")) {
            if (std::string_view(repeat.attribute("direction").as_string()) == "forward") {
                measure.repeatOpens = true;
            } else {
                measure.repeatCloses = std::max(2, repeat.attribute("times").as_int(2));
            }
        }
        if (pugi::xml_node ending = barline.child("ending");
            ending && std::string_view(ending.attribute("type").as_string()) == "start") {
            measure.ending = EndingNumbers(ending.attribute("number").as_string());
        }
    }

    LeadSheet& sheet_;
    std::string lastChord_;
    std::vector<std::string> previousChords_;
    int divisions_ = 1;
    int beats_ = 4;
    int beatType_ = 4;
};

pugi::xml_node PartWithChords(pugi::xml_node score) {
    for (pugi::xml_node part : score.children("part")) {
        if (part.find_node([](pugi::xml_node node) { return std::string_view(node.name()) == "harmony"; })) {
            return part;
        }
    }
    return {};
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
bool ReadMember(zip_t* archive, const char* name, std::size_t limit, std::string& bytes, std::string& error) {
    const ZipFile file(zip_fopen(archive, name, 0));
    if (!file) {
        error = std::string("the archive has no readable ") + name;
        return false;
    }
    bytes.clear();
    std::array<char, 65536> buffer{};
    while (true) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            error = std::string("the archive's ") + name + " cannot be unpacked";
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        if (bytes.size() > limit) {
            error = "the archive unpacks to more than " + std::to_string(limit / (1024 * 1024)) +
                    " MiB, far more than a song";
            return false;
        }
    }
}

//! The score the container file names, or else the first MusicXML file outside META-INF.
std::string ScoreMemberName(zip_t* archive, std::size_t limit) {
    std::string container;
    std::string error;
    if (ReadMember(archive, "META-INF/container.xml", limit, container, error)) {
        pugi::xml_document document;
        if (document.load_buffer(container.data(), container.size())) {
            const pugi::xml_node rootfile = document.select_node("//rootfile").node();
            if (const char* path = rootfile.attribute("full-path").as_string(); *path != '\0') {
                return path;
            }
        }
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const std::string name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name.starts_with("META-INF/") && (name.ends_with(".xml") || name.ends_with(".musicxml"))) {
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
        return Failure(std::string("not well-formed XML at byte ") + std::to_string(parsed.offset) + ": " +
                       parsed.description());
    }
    const pugi::xml_node score = document.child("score-partwise");
    if (!score) {
        return Failure(document.child("score-timewise")
                           ? "a time-wise MusicXML score is not read; save it part-wise"
                           : "not a MusicXML score");
    }
    const pugi::xml_node part = PartWithChords(score);
    if (!part) {
        return Failure("the MusicXML score has no chord symbols");
    }
    ImportedSongs songs;
    LeadSheet sheet;
    sheet.title = OneLine(score.child("work").child("work-title").text().as_string());
    if (sheet.title.empty()) {
        sheet.title = OneLine(score.child("movement-title").text().as_string());
    }
    for (pugi::xml_node creator : score.child("identification").children("creator")) {
        if (std::string_view(creator.attribute("type").as_string()) == "composer") {
            sheet.composer = OneLine(creator.text().as_string());
        }
    }
    PartReader(sheet).Read(part);
    songs.songs.push_back(std::move(sheet));
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
    std::string reason;
    if (!ReadMember(archive.get(), name.c_str(), unpackedLimit, score, reason)) {
        return Failure(reason);
    }
    return ReadMusicXml(score);
}

}  // namespace kaz
