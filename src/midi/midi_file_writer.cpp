#include "midi/midi_file_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <random>
#include <system_error>

namespace kaz {

namespace {

constexpr std::array<std::uint8_t, 22> kFileHeader = {
    'M',  'T',  'h', 'd', 0, 0, 0, 6,  // header chunk of six bytes
    0,    0,                           // format 0
    0,    1,                           // one track
    0x01, 0xE0,                        // 480 ticks per quarter note
    'M',  'T',  'r', 'k', 0, 0, 0, 0,  // track chunk; its length is patched at the end
};
constexpr long kTrackLengthOffset = 18;

// The track goes out in chunks of this size, so memory stays flat whatever the length of the song.
constexpr std::size_t kChunkBytes = 1 << 20;

//! A fresh file beside target, opened for writing; it never replaces an existing file.
std::FILE* CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& temporary) {
    constexpr int kAttempts = 16;
    std::random_device randomDevice;
    const std::string name = target.filename().string();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // A hidden name, so a folder listing does not show an export in progress.
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(randomDevice()));
        std::string hidden(1, '.');
        hidden.append(name).append(suffix);
        temporary = target.parent_path() / hidden;
        // "x": fail rather than reuse a file of that name.
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) {
            return file;
        }
        std::error_code error;
        if (!std::filesystem::exists(temporary, error)) {
            break;
        }
    }
    temporary.clear();
    return nullptr;
}

//! True unless path names something that may not be written: a read-only file or a folder.
bool MayReplace(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return !error;
    }
    // Opening for appending writes nothing and changes nothing, but fails exactly when writing would.
    std::FILE* file = std::fopen(path.string().c_str(), "ab");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

}  // namespace

std::string CreditText() {
    return "\n\nThis file was created by Kaz software ( " + std::string(kHomePageUrl) + " )\n\n";
}

MidiFileWriter::~MidiFileWriter() {
    if (file_) {
        Abandon();
    }
}

bool MidiFileWriter::Open(const std::filesystem::path& path) {
    if (file_ || path.empty() || !path.has_filename() || !MayReplace(path)) {
        return false;
    }
    // A link keeps pointing where it did: the file it names is the one replaced.
    std::error_code error;
    std::filesystem::path target =
        std::filesystem::is_symlink(path, error) ? std::filesystem::canonical(path, error) : path;
    if (error) {
        target = path;
    }
    std::FILE* file = CreateTemporaryBeside(target, temporary_);
    if (file == nullptr) {
        return false;
    }
    file_.reset(file);
    // The writer keeps its own chunks; the stream's buffer would only copy them again.
    std::setvbuf(file, nullptr, _IONBF, 0);
    target_ = target;
    failed_ = false;
    byteCount_ = 0;
    lastTime = 0;
    buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kChunkBytes);
    std::copy(kFileHeader.begin(), kFileHeader.end(), buffer_.get());
    buffered_ = kFileHeader.size();
    return true;
}

void MidiFileWriter::WriteByte(std::uint8_t byte) {
    // Bytes written without a file are counted and dropped, as a file that failed would drop them.
    if (!buffer_) {
        ++byteCount_;
        return;
    }
    buffer_[buffered_++] = byte;
    ++byteCount_;
    if (buffered_ == kChunkBytes) {
        Flush();
    }
}

void MidiFileWriter::WriteVarLen(std::uint32_t value) {
    std::array<std::uint8_t, 5> groups{};
    std::size_t count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        WriteByte(static_cast<std::uint8_t>(groups[--count] | 0x80));
    }
    WriteByte(groups[0]);
}

void MidiFileWriter::WriteText(std::string_view text) {
    WriteByte(0x00);
    WriteByte(0xFF);
    WriteByte(0x01);
    WriteVarLen(static_cast<std::uint32_t>(text.size()));
    for (const char c : text) {
        WriteByte(static_cast<std::uint8_t>(c));
    }
}

void MidiFileWriter::Flush() {
    if (file_ && !failed_ && buffered_ > 0 &&
        std::fwrite(buffer_.get(), 1, buffered_, file_.get()) != buffered_) {
        failed_ = true;
    }
    buffered_ = 0;
}

bool MidiFileWriter::Close() {
    if (!file_) {
        return false;
    }
    Flush();
    // The chunk length field has four bytes.
    if (byteCount_ > std::numeric_limits<std::uint32_t>::max()) {
        failed_ = true;
    }
    const auto length = static_cast<std::uint32_t>(byteCount_);
    const std::array<std::uint8_t, 4> lengthBytes = {
        static_cast<std::uint8_t>(length >> 24), static_cast<std::uint8_t>(length >> 16),
        static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
    if (failed_ || std::fseek(file_.get(), kTrackLengthOffset, SEEK_SET) != 0 ||
        std::fwrite(lengthBytes.data(), 1, lengthBytes.size(), file_.get()) != lengthBytes.size() ||
        std::fflush(file_.get()) != 0) {
        Abandon();
        return false;
    }
    const bool closed = std::fclose(file_.release()) == 0;
    std::error_code error;
    if (closed) {
        // Keep the permissions of the file being replaced.
        const auto status = std::filesystem::status(target_, error);
        if (!error && std::filesystem::exists(status)) {
            std::filesystem::permissions(temporary_, status.permissions(), error);
        }
        error.clear();
        std::filesystem::rename(temporary_, target_, error);
    }
    if (!closed || error) {
        std::filesystem::remove(temporary_, error);
        return false;
    }
    return true;
}

void MidiFileWriter::Abandon() {
    file_.reset();
    std::error_code error;
    std::filesystem::remove(temporary_, error);
    buffer_.reset();
    buffered_ = 0;
    failed_ = true;
}

bool ExportMidiFile(const EventList& events, const std::filesystem::path& path) {
    MidiFileWriter writer;
    if (!writer.Open(path)) {
        return false;
    }
    writer.WriteText(CreditText());
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].Write(writer);
    }
    return writer.Close();
}

}  // namespace kaz
