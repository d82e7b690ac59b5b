#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kaz {

enum class SongFormat { IrealLink, MusicXml, CompressedMusicXml, ChordPro, ChordSheet, KazChart, Unknown };

//! One kind of song file the program reads or writes: the window's file dialogs and drops and `kaz-cli
//! import` all ask this table, so a file is taken the same way wherever it comes in.
struct SongFileFormat {
    SongFormat format;
    //! The names the format is known by: a file with one of them is read as this format, whatever else its
    //! bytes might look like, unless its first bytes say otherwise.
    std::span<const std::string_view> suffixes;
    //! The name an export in this format is given; empty when the program does not write the format.
    std::string_view exportSuffix;
};

[[nodiscard]] std::span<const SongFileFormat> SongFileFormats();
[[nodiscard]] const SongFileFormat& SongFileFormatOf(SongFormat format);

//! The lowercase suffix of a file name ("Song.CHO" → "cho"), empty when there is none.
[[nodiscard]] std::string LowercaseSuffix(std::string_view fileName);
//! Whether a file with this suffix is one of the songs to import rather than a chart to open; a plain text
//! file (`.txt`) may be either, and only its content tells.
[[nodiscard]] bool IsImportSuffix(std::string_view lowercaseSuffix);
//! The suffix of files that may hold a chart or a song of another program.
inline constexpr std::string_view kPlainTextSuffix = "txt";

//! The format of a file, from its first bytes and, where they do not tell, its name.
[[nodiscard]] SongFormat DetectSongFormat(std::string_view fileName, std::string_view bytes);

}  // namespace kaz
