#include "interchange/song_import.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "interchange/chordpro_reader.h"
#include "interchange/ireal_link.h"
#include "interchange/musicxml_reader.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

constexpr std::size_t kMaxNameBytes = 100;

std::string LowercaseExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.find('/', dot) != std::string_view::npos) {
        return {};
    }
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension;
}

bool OneOf(const std::string& extension, std::initializer_list<std::string_view> extensions) {
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

bool IsUnsafeInName(unsigned char c) {
    return c < 0x20 || c == 0x7F ||
           std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

//! The longest prefix of text of at most limit bytes that does not cut a character in two.
std::string_view WholeCharacters(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

}  // namespace

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
    const std::string extension = LowercaseExtension(fileName);
    if (OneOf(extension, {"musicxml", "xml"})) {
        return SongFormat::MusicXml;
    }
    if (extension == "mxl") {
        return SongFormat::CompressedMusicXml;
    }
    if (OneOf(extension, {"cho", "chopro", "chordpro", "crd", "pro"}) ||
        start.find("{t") != std::string_view::npos || start.find("{start_of") != std::string_view::npos ||
        start.find('[') != std::string_view::npos) {
        return SongFormat::ChordPro;
    }
    return SongFormat::Unknown;
}

ImportedSongs ImportSongs(std::string_view fileName, std::string_view bytes) {
    switch (DetectSongFormat(fileName, bytes)) {
        case SongFormat::IrealLink:
            return ReadIrealLinks(bytes);
        case SongFormat::MusicXml:
            return ReadMusicXml(bytes);
        case SongFormat::CompressedMusicXml:
            return ReadCompressedMusicXml(bytes);
        case SongFormat::ChordPro:
            return ReadChordPro(bytes);
        case SongFormat::Unknown:
            break;
    }
    ImportedSongs unknown;
    unknown.error = "not an iReal Pro link, a MusicXML file or a ChordPro file";
    return unknown;
}

std::string ChartFileName(std::string_view title) {
    std::string name;
    for (const char c : ValidUtf8(title)) {
        name += IsUnsafeInName(static_cast<unsigned char>(c)) ? '-' : c;
    }
    // Leading dots would hide the file or name a folder above; trailing dots and spaces trouble Windows.
    const std::size_t first = name.find_first_not_of(". -");
    name = first == std::string::npos ? std::string() : name.substr(first);
    name = std::string(WholeCharacters(name, kMaxNameBytes));
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        name.pop_back();
    }
    if (name.empty()) {
        name = "Untitled";
    }
    static constexpr std::array<std::string_view, 6> kReservedOnWindows = {"CON", "PRN",  "AUX",
                                                                           "NUL", "COM1", "LPT1"};
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    if (std::find(kReservedOnWindows.begin(), kReservedOnWindows.end(), upper) != kReservedOnWindows.end()) {
        name += "_";
    }
    return name + ".kaz";
}

}  // namespace kaz
