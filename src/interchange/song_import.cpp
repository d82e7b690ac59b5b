#include "interchange/song_import.h"

#include <algorithm>
#include <cctype>

#include "interchange/chordpro_reader.h"
#include "interchange/ireal_link.h"
#include "interchange/musicxml_reader.h"

namespace kaz {

namespace {

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

ImportedSongs Unread(std::string error) {
    ImportedSongs unread;
    unread.error = std::move(error);
    return unread;
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
    if (OneOf(extension, {"cho", "chopro", "chordpro", "crd", "pro"})) {
        return SongFormat::ChordPro;
    }
    if (extension == "kaz") {
        return SongFormat::KazChart;
    }
    // A picture or a program is no text, whatever brackets its bytes hold.
    if (start.find('\0') != std::string_view::npos) {
        return SongFormat::Unknown;
    }
    // Chords in brackets mark ChordPro's lyrics, but also a chart's marks: a text with bar lines is a chart.
    if (start.find("{t") != std::string_view::npos || start.find("{start_of") != std::string_view::npos ||
        (start.find('[') != std::string_view::npos && start.find('|') == std::string_view::npos)) {
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
        case SongFormat::KazChart:
            return Unread("a Kaz chart already; open it as it is");
        case SongFormat::Unknown:
            break;
    }
    return Unread("not an iReal Pro link, a MusicXML file or a ChordPro file");
}

}  // namespace kaz
