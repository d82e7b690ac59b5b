#include "style/style_library.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace kaz {

namespace {

bool SameWords(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

struct ForeignName {
    std::string_view foreign;
    std::string_view ours;
};

// Names other chart programs and lead sheets give their grooves, matched in any case.
constexpr std::array kForeignNames{
    ForeignName{"Swing", "Medium swing"},
    ForeignName{"Medium Swing", "Medium swing"},
    ForeignName{"Medium Up Swing", "Medium up swing"},
    ForeignName{"Up Tempo Swing", "Up-tempo swing"},
    ForeignName{"Up-Tempo Swing", "Up-tempo swing"},
    ForeignName{"Fast Swing", "Up-tempo swing"},
    ForeignName{"Bebop", "Up-tempo swing"},
    ForeignName{"Slow Swing", "Slow swing / ballad"},
    ForeignName{"Ballad", "Jazz ballad"},
    ForeignName{"Jazz Ballad", "Jazz ballad"},
    ForeignName{"Waltz", "Jazz waltz"},
    ForeignName{"Jazz Waltz", "Jazz waltz"},
    ForeignName{"Bossa Nova", "Bossa nova"},
    ForeignName{"Bossa", "Bossa nova"},
    ForeignName{"Samba", "Samba"},
    ForeignName{"Latin", "Latin"},
    ForeignName{"Afro Cuban", "Latin"},
    ForeignName{"Cha Cha", "Latin"},
    ForeignName{"Mambo", "Latin"},
    ForeignName{"Salsa", "Latin"},
    ForeignName{"Afro", "Afro 6/8"},
    ForeignName{"Afro 6/8", "Afro 6/8"},
    ForeignName{"6/8", "Slow 6/8"},
    ForeignName{"Even 8ths", "Even eighths / pop"},
    ForeignName{"Even 8th", "Even eighths / pop"},
    ForeignName{"Straight 8ths", "Even eighths / pop"},
    ForeignName{"Pop", "Even eighths / pop"},
    ForeignName{"Pop Ballad", "Pop ballad"},
    ForeignName{"Soul", "Soul"},
    ForeignName{"RnB", "RnB"},
    ForeignName{"R&B", "RnB"},
    ForeignName{"Rhythm and Blues", "RnB"},
    ForeignName{"Gospel", "Gospel"},
    ForeignName{"Disco", "Disco"},
    ForeignName{"Reggae", "Reggae"},
    ForeignName{"Ska", "Reggae"},
    ForeignName{"Rock", "Rock"},
    ForeignName{"Rock Pop", "Rock"},
    ForeignName{"Pop Rock", "Rock"},
    ForeignName{"Hard Rock", "Rock"},
    ForeignName{"Rock'n'roll", "Rock'n'roll"},
    ForeignName{"Rock n Roll", "Rock'n'roll"},
    ForeignName{"Rock & Roll", "Rock'n'roll"},
    ForeignName{"Folk Rock", "Folk rock"},
    ForeignName{"Folk", "Folk rock"},
    ForeignName{"Funk", "Funk"},
    ForeignName{"Shuffle", "Shuffle / blues"},
    ForeignName{"Blues", "Shuffle / blues"},
    ForeignName{"Medium Blues", "Shuffle / blues"},
    ForeignName{"Slow Blues", "12/8 blues"},
    ForeignName{"12/8", "12/8 blues"},
    ForeignName{"Country", "Country two-beat"},
    ForeignName{"Two Beat", "Country two-beat"},
    ForeignName{"Bluegrass", "Country two-beat"},
    ForeignName{"Country Ballad", "Country ballad"},
};

bool IsBlockChords(std::string_view name) {
    return SameWords(name, kBlockChordsStyle) || SameWords(name, "Block chords");
}

}  // namespace

std::shared_ptr<const StyleLibrary> StyleLibrary::ReadWhenAsked(std::vector<std::filesystem::path> folders) {
    auto library = std::make_shared<StyleLibrary>();
    library->unread_ = std::make_unique<UnreadFolders>();
    library->unread_->folders = std::move(folders);
    return library;
}

void StyleLibrary::ReadFolders() const {
    if (unread_ != nullptr) {
        std::call_once(unread_->read, [this] {
            for (const std::filesystem::path& folder : unread_->folders) {
                ReadFolder(folder, styles_, problems_);
            }
        });
    }
}

void StyleLibrary::AddFolder(const std::filesystem::path& folder) {
    ReadFolders();
    ReadFolder(folder, styles_, problems_);
}

void StyleLibrary::Add(Style style) {
    ReadFolders();
    Put(std::move(style), styles_);
}

void StyleLibrary::ReadFolder(const std::filesystem::path& folder, std::vector<Style>& styles,
                              std::vector<StyleProblem>& problems) {
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().extension() == ".style") {
            files.push_back(entry->path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        // Only a file of its own is read: a FIFO would never end, and a link may lead to any file of the
        // system, whose first line a problem would show.
        std::error_code kindError;
        if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(file, kindError))) {
            problems.push_back({file.string(), 0, "not a regular file (a link, a FIFO or a device)"});
            continue;
        }
        StyleReading reading = ReadStyleFile(file);
        if (reading.style) {
            Put(std::move(*reading.style), styles);
        } else {
            problems.push_back(std::move(reading.problem));
        }
    }
}

void StyleLibrary::Put(Style style, std::vector<Style>& styles) {
    const auto same = std::find_if(styles.begin(), styles.end(), [&style](const Style& known) {
        return SameWords(known.name, style.name);
    });
    if (same != styles.end()) {
        *same = std::move(style);
    } else {
        styles.push_back(std::move(style));
    }
}

const Style* StyleLibrary::Find(std::string_view name) const {
    if (name.empty() || IsBlockChords(name)) {
        return nullptr;
    }
    ReadFolders();
    for (const std::string_view wanted : {name, StyleForForeignName(name)}) {
        for (const Style& style : styles_) {
            if (SameWords(style.name, wanted)) {
                return &style;
            }
        }
    }
    return nullptr;
}

bool StyleLibrary::Knows(std::string_view name) const {
    return IsBlockChords(name) || Find(name) != nullptr;
}

const std::vector<Style>& StyleLibrary::Styles() const {
    ReadFolders();
    return styles_;
}

const std::vector<StyleProblem>& StyleLibrary::Problems() const {
    ReadFolders();
    return problems_;
}

std::vector<std::string> StyleLibrary::Names() const {
    ReadFolders();
    std::vector<std::string> names{std::string(kBlockChordsStyle)};
    for (const Style& style : styles_) {
        names.push_back(style.name);
    }
    return names;
}

std::string_view StyleForForeignName(std::string_view name) {
    for (const ForeignName& entry : kForeignNames) {
        if (SameWords(entry.foreign, name)) {
            return entry.ours;
        }
    }
    return kBlockChordsStyle;
}

std::string_view ForeignNameOfStyle(std::string_view ours) {
    for (const ForeignName& entry : kForeignNames) {
        if (SameWords(entry.ours, ours)) {
            return entry.foreign;
        }
    }
    return ours;
}

std::vector<std::filesystem::path> StyleFolders(const std::filesystem::path& program) {
    // In a build the styles are linked beside the programs; installed, they are in the share folder, found
    // from the program's own folder so that an installation can move.
    const std::filesystem::path folder = program.parent_path();
    std::vector<std::filesystem::path> folders{folder / "styles", folder / KAZ_STYLE_DIR};
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0') {
        folders.push_back(std::filesystem::path(data) / "kaz" / "styles");
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folders.push_back(std::filesystem::path(home) / ".local" / "share" / "kaz" / "styles");
    }
    return folders;
}

StyleLibrary LoadStyles(const std::vector<std::filesystem::path>& folders) {
    StyleLibrary library;
    for (const std::filesystem::path& folder : folders) {
        library.AddFolder(folder);
    }
    return library;
}

}  // namespace kaz
