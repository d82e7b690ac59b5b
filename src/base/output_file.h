#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/file_kinds.h"

namespace kaz {

//! One file the program writes: a chart document, a MIDI file, a WAV file. Every file the program makes goes
//! through here, so all of them follow one rule:
//!
//! - A regular file, or a link to one, is replaced atomically. The bytes go to a temporary file in the
//! target's
//!   folder, which Commit flushes, syncs and renames over the target, with the target's permissions; a link
//!   keeps pointing where it did. Until then, and on any failure, the target stays as it was and the
//!   temporary file is removed.
//! - Anything else that can be written (a FIFO, a terminal, a character device, the program's own standard
//!   output, also when reached through a link such as /dev/stdout) is written directly, every write checked.
//!   The node itself is never replaced. Asked for FileKinds::RegularOnly, Open refuses it instead.
//! - The temporary files that earlier writes of the same target left behind when they were killed half-way
//!   (".NAME.XXXXXXXX.tmp", older than kStaleTemporaryAge) are removed when the target is next written.
class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    //! A file that was never committed is abandoned: the target stays as it was.
    ~OutputFile();

    //! Start writing path. False when it cannot be written: a folder, a read-only file, a missing folder, a
    //! folder where no temporary file can be made; with FileKinds::RegularOnly anything that exists and is
    //! not a regular file (Error() is then NotRegularFileError()).
    [[nodiscard]] bool Open(const std::filesystem::path& path, FileKinds kinds = FileKinds::Any);
    //! Start writing the program's standard output.
    [[nodiscard]] bool OpenStandardOutput();

    //! Append bytes. False when this or an earlier write failed; Commit then fails too.
    [[nodiscard]] bool Write(std::string_view bytes);
    //! Whether bytes already written can be written again in place: true for the temporary file of a
    //! regular target, false for a direct output, which only goes forward.
    [[nodiscard]] bool CanRewrite() const { return !temporary_.empty(); }
    //! Overwrite bytes at offset, for a file whose header is completed last. Only when CanRewrite().
    [[nodiscard]] bool Rewrite(std::uint64_t offset, std::string_view bytes);

    //! Finish the file: put the temporary file in place of the target, or close the direct output. False when
    //! anything failed since Open; a regular target is then as it was.
    [[nodiscard]] bool Commit();
    //! Give the file up: a regular target stays as it was. What a direct output has been sent stays sent.
    void Abandon();

    [[nodiscard]] bool IsOpen() const { return descriptor_ >= 0; }
    //! Why the last Open, Write, Rewrite or Commit failed.
    [[nodiscard]] std::error_code Error() const { return error_; }

  private:
    [[nodiscard]] bool OpenDirect(int descriptor);
    [[nodiscard]] bool OpenTemporaryBeside(const std::filesystem::path& target);
    //! Start a new file on descriptor, forgetting the last one's failure.
    void Begin(int descriptor);
    //! Note the failure errorNumber and return false.
    bool Fail(int errorNumber);
    bool Fail(std::error_code error);
    //! Have the disk start on the bytes written since the last call, so that a long file is mostly on disk
    //! by the time Commit syncs it, rather than all of it waiting for the sync.
    void StartWriteback();

    static constexpr std::uint64_t kWritebackBytes = std::uint64_t{1} << 18;

    int descriptor_ = -1;
    std::filesystem::path target_;     //!< the regular file replaced; empty for a direct output
    std::filesystem::path temporary_;  //!< where its bytes go until Commit; empty for a direct output
    bool failed_ = false;
    std::error_code error_;
    std::uint64_t written_ = 0;       //!< bytes appended by Write
    std::uint64_t handedToDisk_ = 0;  //!< of those, the bytes StartWriteback has passed on
};

//! Write bytes as the whole content of path, following the rule of OutputFile: a regular file is replaced
//! atomically and keeps its permissions (and a link to it stays a link), anything else is written directly.
//! False when the file could not be written; a regular file is then as it was. The window's Save uses it for
//! a chart document, kaz-cli for its files.
//! Write all of bytes at the descriptor's position, or at offset when one is given, going on after
//! interruptions; false on any error, with errno set.
[[nodiscard]] bool WriteAll(int descriptor, std::string_view bytes, const std::uint64_t* offset = nullptr);

[[nodiscard]] bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);
//! The same, with the kinds of file taken, and why it failed in error.
[[nodiscard]] bool WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, FileKinds kinds,
                                  std::error_code& error);

//! How old a temporary file of ours must be before a later write of its target takes it for the remains of
//! a write that was killed: no write of the program lasts that long.
inline constexpr std::chrono::hours kStaleTemporaryAge{1};

//! Remove the temporary files of target (".NAME.XXXXXXXX.tmp" in its folder, regular files of ours older
//! than kStaleTemporaryAge) that writes killed half-way left behind. Nothing else is touched.
void RemoveStaleTemporaryFiles(const std::filesystem::path& target);

}  // namespace kaz
