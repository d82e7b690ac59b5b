#include "interchange/chart_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "base/output_file.h"
#include "interchange/chart_text_writer.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNameBytes = 100;

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

//! The names a writing has taken: "Title.kaz", then "Title (2).kaz" … Each title remembers the number it
//! came to, so that many songs of one title are named in linear time.
class ChartNames {
  public:
    std::string Unused(const std::string& fileName) {
        if (taken_.insert(fileName).second) {
            return fileName;
        }
        const std::string stem = fileName.substr(0, fileName.size() - 4);
        int& number = nextNumber_.try_emplace(stem, 2).first->second;
        for (;; ++number) {
            std::string name = stem + " (" + std::to_string(number) + ").kaz";
            if (taken_.insert(name).second) {
                ++number;
                return name;
            }
        }
    }

  private:
    std::unordered_set<std::string> taken_;
    std::unordered_map<std::string, int> nextNumber_;
};

//! Why path may not be written, or nothing when it may.
std::string Refusal(const fs::path& path, bool replace) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status) && !fs::is_symlink(status)) {
        return {};
    }
    if (!replace) {
        return path.string() + " exists and is kept";
    }
    if (!fs::is_regular_file(status)) {
        return path.string() + " is not a regular file and is kept";
    }
    return {};
}

//! Make path as a new file with bytes; false, with nothing left behind, when it exists or cannot be written.
//! A new file replaces nothing, so it needs no temporary beside it; the caller syncs the folder's files at
//! the end, once, which keeps importing a long playlist quick.
bool WriteNewFile(const fs::path& path, std::string_view bytes) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor < 0) {
        return false;
    }
    bool written = true;
    while (!bytes.empty() && written) {
        const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        written = count > 0;
        bytes.remove_prefix(written ? static_cast<std::size_t>(count) : 0);
    }
    written = ::close(descriptor) == 0 && written;
    if (!written) {
        ::unlink(path.c_str());
    }
    return written;
}

//! Have the file system put the folder's new files on disk.
void SyncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::syncfs(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

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

FolderWriting WriteChartsIntoFolder(const fs::path& folder, const std::vector<LeadSheet>& songs, bool replace,
                                    const ImportProgress& progress) {
    FolderWriting writing;
    std::error_code error;
    fs::create_directory(folder, error);
    if (!fs::is_directory(folder)) {
        writing.failures.push_back(folder.string() + " is not a folder and cannot be made");
        return writing;
    }
    ChartNames names;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (progress && !progress(i, songs.size())) {
            writing.cancelled = true;
            break;
        }
        const LeadSheet& song = songs[i];
        const fs::path path = folder / names.Unused(ChartFileName(song.title));
        std::error_code error;
        const bool exists = fs::exists(fs::symlink_status(path, error));
        if (std::string refusal = Refusal(path, replace); !refusal.empty()) {
            writing.failures.push_back(std::move(refusal));
        } else if (!(exists ? WriteWholeFile(path, WriteChartText(song))
                            : WriteNewFile(path, WriteChartText(song)))) {
            writing.failures.push_back(path.string() + " cannot be written");
        } else {
            writing.written.push_back(path);
        }
    }
    SyncFolder(folder);
    return writing;
}

}  // namespace kaz
