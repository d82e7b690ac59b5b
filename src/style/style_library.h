#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "style/style.h"
#include "style/style_file.h"

namespace kaz {

//! The name of the performance the chart language describes: a block chord and a bass note on every chord.
inline constexpr std::string_view kBlockChordsStyle = "Block chords (as written)";

//! The styles the program knows: read from the shipped folder, then the user's, a later file of the same
//! name taking the place of an earlier one. A file with a problem is left out and its problem kept.
class StyleLibrary {
  public:
    //! A library that reads folders, as LoadStyles does, the first time it is asked about a style: a chart
    //! that names none never waits for the style files. It may be asked from several threads.
    [[nodiscard]] static std::shared_ptr<const StyleLibrary> ReadWhenAsked(
        std::vector<std::filesystem::path> folders);

    //! Read every "*.style" file of folder, in name order; a missing folder adds nothing.
    void AddFolder(const std::filesystem::path& folder);
    //! Add style, replacing one of the same name.
    void Add(Style style);

    //! The style named name (any case, or a name other programs use for it); nullptr for the block chords
    //! and for a name no style has.
    [[nodiscard]] const Style* Find(std::string_view name) const;
    //! Whether name is a style's name or the block chords'.
    [[nodiscard]] bool Knows(std::string_view name) const;

    //! The block chords first, then the styles in the order they were read.
    [[nodiscard]] std::vector<std::string> Names() const;
    [[nodiscard]] const std::vector<Style>& Styles() const;
    [[nodiscard]] const std::vector<StyleProblem>& Problems() const;

  private:
    struct UnreadFolders {
        std::vector<std::filesystem::path> folders;
        std::once_flag read;
    };

    //! Read the folders a library made by ReadWhenAsked still has to read; nothing for any other.
    void ReadFolders() const;
    static void ReadFolder(const std::filesystem::path& folder, std::vector<Style>& styles,
                           std::vector<StyleProblem>& problems);
    //! Add style to styles, in place of one of the same name.
    static void Put(Style style, std::vector<Style>& styles);

    std::unique_ptr<UnreadFolders> unread_;
    // Filled on the first question for a library made by ReadWhenAsked.
    mutable std::vector<Style> styles_;
    mutable std::vector<StyleProblem> problems_;
};

//! The name of the style that plays what another program calls name ("Medium Swing", "Bossa Nova",
//! "Even 8ths", "Waltz", "Ballad", ...), or the block chords' name when none fits.
[[nodiscard]] std::string_view StyleForForeignName(std::string_view name);
//! The name other programs give the style called ours, for a song handed to them: the first of their names
//! that plays it; ours itself when none does.
[[nodiscard]] std::string_view ForeignNameOfStyle(std::string_view ours);

//! Where the program looks for styles: the folder beside the program in a build, the installed share folder,
//! and the user's own ($XDG_DATA_HOME/kaz/styles, or ~/.local/share/kaz/styles), in that order. program is
//! the running program's path.
[[nodiscard]] std::vector<std::filesystem::path> StyleFolders(const std::filesystem::path& program);

//! A library read from folders.
[[nodiscard]] StyleLibrary LoadStyles(const std::vector<std::filesystem::path>& folders);

}  // namespace kaz
