#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/import_check.h"
#include "interchange/lead_sheet.h"

namespace kaz {

//! What writing songs into a folder did: the charts written, and a message for each song that was not.
struct FolderWriting {
    std::vector<std::filesystem::path> written;
    std::vector<std::string> failures;  //!< "PATH exists and is kept; …", in the program's words
    bool cancelled = false;             //!< the user stopped it: the songs after the written ones are not
};

//! A file name for a chart of the song: the title with every character that could leave the folder, hide the
//! file or trouble a file system replaced, at most 100 bytes, ending in ".kaz".
[[nodiscard]] std::string ChartFileName(std::string_view title);

//! Write one chart a song into folder (made when missing, its parent must exist), each named after its title
//! (ChartFileName; "Title (2).kaz" for a second song of the same title). A file of that name is kept unless
//! replace is set, and then only a regular file is replaced: nothing is written through a link or outside
//! the folder. progress hears of every song, and may stop the writing between two of them.
[[nodiscard]] FolderWriting WriteChartsIntoFolder(const std::filesystem::path& folder,
                                                  const std::vector<LeadSheet>& songs, bool replace,
                                                  const ImportProgress& progress = {});

}  // namespace kaz
