#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "base/midi_track_writer.h"
#include "render/event_list.h"

namespace kaz {

//! The program's home page: named in every exported file and opened from the Help menu.
inline constexpr std::string_view kHomePageUrl = "https://kaz.velmor.org/";

//! The text event that opens the track of every exported file.
[[nodiscard]] std::string CreditText();

//! Writes one format-0 Standard MIDI File with a single track (division 480).
//!
//! The file is built in a temporary file beside the target and renamed over the target only when it is
//! complete, so a failed export leaves whatever stood at the target untouched.
class MidiFileWriter final : public MidiTrackWriter {
  public:
    MidiFileWriter() = default;
    MidiFileWriter(const MidiFileWriter&) = delete;
    MidiFileWriter& operator=(const MidiFileWriter&) = delete;
    //! An export that was never closed is abandoned: its temporary file is removed.
    ~MidiFileWriter() override;

    //! Start a file for path and write the file and track headers. False when the writer already has a file,
    //! when no temporary file can be made in path's folder, or when path exists and may not be written.
    [[nodiscard]] bool Open(const std::filesystem::path& path);
    //! One byte of track data.
    void WriteByte(std::uint8_t byte) override;
    //! A variable-length quantity; values past 0x0FFFFFFF take a fifth byte.
    void WriteVarLen(std::uint32_t value) override;
    //! A text meta event at delta time 0. Leaves lastTime alone.
    void WriteText(std::string_view text);
    //! Patch the track length, complete the file and put it in place of the target. False when anything
    //! failed since Open; the target is then as it was and the temporary file is gone.
    [[nodiscard]] bool Close();

    //! Bytes of track data written so far, the track headers not counted.
    [[nodiscard]] std::uint64_t ByteCount() const { return byteCount_; }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    void Flush();
    void Abandon();

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    // The bytes not yet written to the file: the headers and up to one chunk of the track.
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t buffered_ = 0;
    std::uint64_t byteCount_ = 0;
    bool failed_ = false;
};

//! Write events as a Standard MIDI File at path, the credit text first. False when the file could not be
//! written; an existing file at path is then untouched.
[[nodiscard]] bool ExportMidiFile(const EventList& events, const std::filesystem::path& path);

}  // namespace kaz
