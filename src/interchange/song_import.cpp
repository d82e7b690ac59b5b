#include "interchange/song_import.h"

#include "interchange/chord_sheet.h"
#include "interchange/chordpro_reader.h"
#include "interchange/ireal_link.h"
#include "interchange/musicxml_reader.h"

namespace kaz {

namespace {

ImportedSongs Unread(const char* error) {
    ImportedSongs unread;
    unread.error = Message(error);
    return unread;
}

}  // namespace

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
        case SongFormat::ChordSheet:
            return ReadChordPro(ChordProOfSheet(bytes));
        case SongFormat::KazChart:
            return Unread("a Kaz chart already; open it as it is");
        case SongFormat::Unknown:
            break;
    }
    return Unread("not an iReal Pro link, a MusicXML file, a ChordPro file or a chord sheet");
}

}  // namespace kaz
