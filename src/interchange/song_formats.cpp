#include "interchange/song_formats.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "interchange/chord_sheet.h"
#include "interchange/ireal_link.h"

namespace kaz {

namespace {

constexpr std::array<std::string_view, 4> kIrealSuffixes = {"html", "htm", "url", "txt"};
constexpr std::array<std::string_view, 2> kMusicXmlSuffixes = {"musicxml", "xml"};
constexpr std::array<std::string_view, 1> kCompressedMusicXmlSuffixes = {"mxl"};
constexpr std::array<std::string_view, 5> kChordProSuffixes = {"cho", "chopro", "chordpro", "crd", "pro"};
constexpr std::array<std::string_view, 1> kChartSuffixes = {"kaz"};
// A chord sheet is plain text, told by its lines alone.
constexpr std::array<std::string_view, 0> kChordSheetSuffixes = {};

constexpr std::array<SongFileFormat, 6> kFormats = {{
    {SongFormat::KazChart, kChartSuffixes, "kaz"},
    {SongFormat::IrealLink, kIrealSuffixes, "html"},
    {SongFormat::MusicXml, kMusicXmlSuffixes, "musicxml"},
    {SongFormat::CompressedMusicXml, kCompressedMusicXmlSuffixes, ""},
    {SongFormat::ChordPro, kChordProSuffixes, "cho"},
    {SongFormat::ChordSheet, kChordSheetSuffixes, ""},
}};

const SongFileFormat kUnknownFormat{SongFormat::Unknown, {}, ""};

bool Holds(std::span<const std::string_view> suffixes, std::string_view suffix) {
    return std::find(suffixes.begin(), suffixes.end(), suffix) != suffixes.end();
}

//! Whether a line starts with a brace, as a ChordPro directive does ("{title: …}") and no line of a chart
//! can, blanks and a byte order mark aside.
bool HasChordProDirective(std::string_view text) {
    bool lineStart = true;
    for (std::size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            lineStart = true;
        } else if (lineStart && c == '{') {
            return true;
        } else if (c != ' ' && c != '\t' && c != '\r') {
            lineStart = false;
        }
    }
    return false;
}

//! Whether the text holds a bracketed chord sung on a syllable ("[G]Sail a[D/F#]way") and no bar line nor
//! lyric line: a chart has those, and its marks ("[3/4] C D") stand apart from the chords.
bool HasChordsInLyrics(std::string_view text) {
    if (text.find('|') != std::string_view::npos || text.starts_with('>') ||
        text.find("\n>") != std::string_view::npos) {
        return false;
    }
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t open = text.find('['); open != std::string_view::npos; open = text.find('[', open + 1)) {
        const std::size_t close = text.find(']', open);
        if (close == std::string_view::npos) {
            break;
        }
        const std::string_view inside = text.substr(open + 1, close - open - 1);
        const bool isChord = !inside.empty() && inside.front() >= 'A' && inside.front() <= 'G' &&
                             inside.find('=') == std::string_view::npos;
        const bool onASyllable =
            (close + 1 < text.size() && isLetter(text[close + 1])) || (open > 0 && isLetter(text[open - 1]));
        if (isChord && onASyllable) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::span<const SongFileFormat> SongFileFormats() {
    return kFormats;
}

const SongFileFormat& SongFileFormatOf(SongFormat format) {
    const auto found = std::find_if(kFormats.begin(), kFormats.end(),
                                    [format](const SongFileFormat& entry) { return entry.format == format; });
    return found == kFormats.end() ? kUnknownFormat : *found;
}

std::string LowercaseSuffix(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.find('/', dot) != std::string_view::npos) {
        return {};
    }
    std::string suffix(fileName.substr(dot + 1));
    for (char& c : suffix) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return suffix;
}

bool IsImportSuffix(std::string_view lowercaseSuffix) {
    return lowercaseSuffix != kPlainTextSuffix &&
           std::any_of(kFormats.begin(), kFormats.end(), [lowercaseSuffix](const SongFileFormat& entry) {
               return entry.format != SongFormat::KazChart && Holds(entry.suffixes, lowercaseSuffix);
           });
}

SongFormat DetectSongFormat(std::string_view fileName, std::string_view bytes) {
    const std::string_view start = bytes.substr(0, 4096);
    if (bytes.starts_with("PK\x03\x04")) {
        return SongFormat::CompressedMusicXml;
    }
    if (HasIrealLink(bytes)) {
        return SongFormat::IrealLink;
    }
    if (start.find("<score-partwise") != std::string_view::npos ||
        start.find("<score-timewise") != std::string_view::npos) {
        return SongFormat::MusicXml;
    }
    const std::string suffix = LowercaseSuffix(fileName);
    for (const SongFileFormat& entry : kFormats) {
        // A page or a text without a link is no iReal Pro song, whatever its name.
        if (entry.format != SongFormat::IrealLink && Holds(entry.suffixes, suffix)) {
            return entry.format;
        }
    }
    // A picture or a program is no text, whatever brackets its bytes hold.
    if (start.find('\0') != std::string_view::npos) {
        return SongFormat::Unknown;
    }
    if (HasChordProDirective(start) || HasChordsInLyrics(start)) {
        return SongFormat::ChordPro;
    }
    if (IsChordSheet(start)) {
        return SongFormat::ChordSheet;
    }
    return SongFormat::Unknown;
}

}  // namespace kaz
