#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/midi_track_writer.h"
#include "base/output_file.h"
#include "base/program.h"
#include "render/event_list.h"

namespace kaz {

//! The text event that opens the track of every exported file.
[[nodiscard]] std::string CreditText();

//! Writes one format-0 Standard MIDI File with a single track (division 480), to a file through OutputFile
//! (so a regular file is replaced only when the export is complete) or into memory.
//!
//! The track's length stands in its header but is known only at the end. A regular file gets it written in
//! place at Close and the track goes out in chunks on the way; a FIFO, a device or standard output cannot go
//! back, so the whole file is held until Close there.
class MidiFileWriter final : public MidiTrackWriter {
  public:
    MidiFileWriter() = default;
    MidiFileWriter(const MidiFileWriter&) = delete;
    MidiFileWriter& operator=(const MidiFileWriter&) = delete;

    //! Start a file for path and write the file and track headers. False when the writer already has a file
    //! or path cannot be written (see OutputFile::Open).
    [[nodiscard]] bool Open(const std::filesystem::path& path, FileKinds kinds = FileKinds::Any);
    //! The same for the program's standard output.
    [[nodiscard]] bool OpenStandardOutput();
    //! Start a file that stays in memory; Bytes() gives it after Close.
    void OpenInMemory();

    //! One byte of track data.
    void WriteByte(std::uint8_t byte) override {
        if (buffered_ == bufferSize_) {
            MakeRoom();
        }
        buffer_[buffered_++] = static_cast<char>(byte);
        ++byteCount_;
    }
    //! A variable-length quantity; values past 0x0FFFFFFF take a fifth byte.
    void WriteVarLen(std::uint32_t value) override;
    //! A text meta event at delta time 0. Leaves lastTime alone.
    void WriteText(std::string_view text);
    //! The events' delta times and bytes, as WriteEvent writes each of them.
    void WriteEvents(std::span<const MidiEvent> events);
    //! Patch the track length and complete the file: a regular file is put in place of the target. False when
    //! anything failed since Open; the target is then as it was.
    [[nodiscard]] bool Close();

    //! Bytes of track data written so far, the track headers not counted.
    [[nodiscard]] std::uint64_t ByteCount() const { return byteCount_; }
    //! The file made in memory, once closed.
    [[nodiscard]] std::string_view Bytes() const { return {buffer_.get(), buffered_}; }
    //! Why the file could not be opened or written; empty when the reason was not the system's.
    [[nodiscard]] std::error_code Error() const { return file_.Error(); }

  private:
    enum class Target { None, File, Memory };

    void Start(Target target);
    void MakeRoom();
    //! Make the buffer size bytes long, keeping the bytes buffered. The new room is left as it comes: every
    //! byte is written before it is read, and untouched room costs no memory.
    void ResizeBuffer(std::size_t size);
    void Flush();

    Target target_ = Target::None;
    OutputFile file_;
    // The bytes not yet written: the headers and up to one chunk of the track, or the whole file when it
    // cannot be written in chunks.
    std::unique_ptr<char[]> buffer_;
    std::size_t bufferSize_ = 0;
    std::size_t buffered_ = 0;
    std::uint64_t byteCount_ = 0;
};

//! Write events as a Standard MIDI File at path, the credit text first. False when the file could not be
//! written; an existing file at path is then untouched.
[[nodiscard]] bool ExportMidiFile(const EventList& events, const std::filesystem::path& path);
//! The same, with the kinds of file taken, and the reason in error when the file could not be written (empty
//! when it was not the system's).
[[nodiscard]] bool ExportMidiFile(const EventList& events, const std::filesystem::path& path, FileKinds kinds,
                                  std::error_code& error);

//! Writes a performance as a MIDI file while the compile makes it (see EventList::StreamTo). The file is
//! opened when the first events come, which is once the chart has compiled and sounds a note; a chart that
//! fails leaves the target as it was, and reports its own error first.
class MidiFileExport final : public EventConsumer {
  public:
    //! Export to path, or to standard output when toStandardOutput.
    MidiFileExport(std::filesystem::path path, bool toStandardOutput)
        : path_(std::move(path)), toStandardOutput_(toStandardOutput) {}

    void Take(std::span<const MidiEvent> events) override;
    //! A file keeps no highlights.
    [[nodiscard]] bool TakesHighlights() const override { return false; }
    //! Complete the file. False when it could not be opened or written; a regular file is then as it was.
    [[nodiscard]] bool Close();
    //! After a failed Close, why, as the system said it; empty when it said nothing.
    [[nodiscard]] std::error_code Error() const { return writer_.Error(); }

  private:
    MidiFileWriter writer_;
    std::filesystem::path path_;
    bool toStandardOutput_;
    bool started_ = false;
    bool opened_ = false;
};

}  // namespace kaz
