#include "midi/midi_file_writer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace kaz {

namespace {

// clang-format off
constexpr std::array<std::uint8_t, 22> kFileHeader = {
    'M', 'T', 'h', 'd', 0, 0, 0, 6,                    // header chunk of six bytes
    0, 0,                                              // format 0
    0, 1,                                              // one track
    TICKS_PER_QUARTER >> 8, TICKS_PER_QUARTER & 0xFF,  // the division: ticks per quarter note
    'M', 'T', 'r', 'k', 0, 0, 0, 0,                    // track chunk; its length is patched at the end
};
// clang-format on
constexpr std::size_t kTrackLengthOffset = 18;

//! Where WriteEvents puts an event's bytes: straight into room made beforehand.
struct EventBytes {
    std::uint8_t* out;
    Ticks lastTime;

    void WriteByte(std::uint8_t byte) { *out++ = byte; }
    void WriteVarLen(std::uint32_t value) {
        // Most deltas within a song take one or two bytes.
        if (value < 0x80) {
            *out++ = static_cast<std::uint8_t>(value);
            return;
        }
        if (value < 0x4000) {
            *out++ = static_cast<std::uint8_t>((value >> 7) | 0x80);
            *out++ = static_cast<std::uint8_t>(value & 0x7F);
            return;
        }
        int shift = 28;
        while ((value >> shift) == 0) {
            shift -= 7;
        }
        for (; shift > 0; shift -= 7) {
            *out++ = static_cast<std::uint8_t>(((value >> shift) & 0x7F) | 0x80);
        }
        *out++ = static_cast<std::uint8_t>(value & 0x7F);
    }
};

// The most bytes one event writes: a delta time of five bytes and a meta event of seven.
constexpr std::size_t kMaxEventBytes = 12;

// The track goes out in chunks of this size, so memory stays flat whatever the length of the song.
constexpr std::size_t kChunkBytes = 1 << 18;

}  // namespace

std::string CreditText() {
    return "\n\nThis file was created by " + std::string(kProgramName) + " software ( " +
           std::string(kHomePageUrl) + " )\n\n";
}

bool MidiFileWriter::Open(const std::filesystem::path& path, FileKinds kinds) {
    if (target_ != Target::None || !file_.Open(path, kinds)) {
        return false;
    }
    Start(Target::File);
    return true;
}

bool MidiFileWriter::OpenStandardOutput() {
    if (target_ != Target::None || !file_.OpenStandardOutput()) {
        return false;
    }
    Start(Target::File);
    return true;
}

void MidiFileWriter::OpenInMemory() {
    if (target_ == Target::None) {
        Start(Target::Memory);
    }
}

void MidiFileWriter::Start(Target target) {
    target_ = target;
    byteCount_ = 0;
    lastTime = 0;
    buffered_ = 0;
    ResizeBuffer(kChunkBytes);
    std::copy(kFileHeader.begin(), kFileHeader.end(), buffer_.get());
    buffered_ = kFileHeader.size();
}

void MidiFileWriter::MakeRoom() {
    if (target_ == Target::None) {
        // Bytes written without a file are counted and dropped, as a file that failed would drop them.
        buffered_ = 0;
        ResizeBuffer(kChunkBytes);
    } else if (target_ == Target::File && file_.CanRewrite()) {
        Flush();
    } else {
        ResizeBuffer(2 * bufferSize_);
    }
}

void MidiFileWriter::ResizeBuffer(std::size_t size) {
    if (size == bufferSize_) {
        return;
    }
    auto resized = std::make_unique_for_overwrite<char[]>(size);
    std::copy_n(buffer_.get(), std::min(buffered_, size), resized.get());
    buffer_ = std::move(resized);
    bufferSize_ = size;
}

void MidiFileWriter::Flush() {
    // A failed write is remembered by the file, and Close then fails.
    (void)file_.Write(std::string_view(buffer_.get(), buffered_));
    buffered_ = 0;
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

void MidiFileWriter::WriteEvents(std::span<const MidiEvent> events) {
    while (!events.empty()) {
        if (bufferSize_ - buffered_ < kMaxEventBytes) {
            MakeRoom();
        }
        // As many events as surely fit, written through locals: the compiler then keeps the write position
        // in a register instead of reloading the buffer's fields after every byte.
        const std::size_t count = std::min(events.size(), (bufferSize_ - buffered_) / kMaxEventBytes);
        auto* const start = reinterpret_cast<std::uint8_t*>(buffer_.get() + buffered_);
        EventBytes bytes{start, lastTime};
        for (const MidiEvent& event : events.first(count)) {
            WriteEvent(event, bytes);
        }
        const auto written = static_cast<std::size_t>(bytes.out - start);
        lastTime = bytes.lastTime;
        buffered_ += written;
        byteCount_ += written;
        events = events.subspan(count);
    }
}

void MidiFileWriter::WriteText(std::string_view text) {
    WriteByte(0x00);  // at the start of the track
    WriteByte(kMetaEvent);
    WriteByte(kMetaText);
    WriteVarLen(static_cast<std::uint32_t>(text.size()));
    for (const char c : text) {
        WriteByte(static_cast<std::uint8_t>(c));
    }
}

bool MidiFileWriter::Close() {
    const Target target = std::exchange(target_, Target::None);
    // The chunk length field has four bytes.
    if (target == Target::None || byteCount_ > std::numeric_limits<std::uint32_t>::max()) {
        file_.Abandon();
        return false;
    }
    const auto length = static_cast<std::uint32_t>(byteCount_);
    const std::array<char, 4> lengthBytes = {static_cast<char>(length >> 24), static_cast<char>(length >> 16),
                                             static_cast<char>(length >> 8), static_cast<char>(length)};
    const std::string_view lengthField(lengthBytes.data(), lengthBytes.size());
    if (target == Target::File && file_.CanRewrite()) {
        Flush();
        return file_.Rewrite(kTrackLengthOffset, lengthField) && file_.Commit();
    }
    std::copy(lengthBytes.begin(), lengthBytes.end(), buffer_.get() + kTrackLengthOffset);
    if (target == Target::Memory) {
        return true;
    }
    Flush();
    return file_.Commit();
}

bool ExportMidiFile(const EventList& events, const std::filesystem::path& path) {
    std::error_code error;
    return ExportMidiFile(events, path, FileKinds::Any, error);
}

bool ExportMidiFile(const EventList& events, const std::filesystem::path& path, FileKinds kinds,
                    std::error_code& error) {
    MidiFileWriter writer;
    if (!writer.Open(path, kinds)) {
        error = writer.Error();
        return false;
    }
    writer.WriteText(CreditText());
    for (std::size_t i = 0; i < events.size(); ++i) {
        writer.WriteEvents(std::span<const MidiEvent>(&events[i], 1));
    }
    const bool written = writer.Close();
    error = written ? std::error_code() : writer.Error();
    return written;
}

void MidiFileExport::Take(std::span<const MidiEvent> events) {
    if (!started_) {
        started_ = true;
        opened_ = toStandardOutput_ ? writer_.OpenStandardOutput() : writer_.Open(path_);
        if (opened_) {
            writer_.WriteText(CreditText());
        }
    }
    if (opened_) {
        writer_.WriteEvents(events);
    }
}

bool MidiFileExport::Close() {
    return opened_ && writer_.Close();
}

}  // namespace kaz
