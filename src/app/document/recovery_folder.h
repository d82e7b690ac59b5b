#pragma once

#include <QString>
#include <system_error>

namespace kaz {

//! The user's recovery folder, "recovery" in the program's data folder: where unsaved charts are kept, and
//! where a save that writes a file in place keeps the file's old bytes until it is done. What it holds is
//! the user's unsaved work, so it is the owner's alone; and since anything may have been put there, the
//! program reads only regular files from it, never through a link.
[[nodiscard]] QString RecoveryFolder();

//! Make folder, for its owner alone; one of ours that others may read is closed to them. False, with the
//! reason in error, when there is no folder there afterwards.
[[nodiscard]] bool PrepareRecoveryFolder(const QString& folder, std::error_code& error);

//! True when path is a regular file itself, not a link to one nor a FIFO or a device.
[[nodiscard]] bool IsPlainFile(const QString& path);

//! True when nothing is at path, or a regular file: where a lock file may be taken without the risk of
//! opening a FIFO, which would wait for a writer for ever.
[[nodiscard]] bool IsPlainFileOrNothing(const QString& path);

//! Let only the file's owner read and write the file at path.
void MakeOwnerOnly(const QString& path);

//! Whether the run numbered pid of the program called program (a file name, as a lock file keeps it) is
//! still going. Where the system does not say which program a number runs, any process of it counts.
[[nodiscard]] bool IsRunning(qint64 pid, const QString& program);

//! This run's program, as IsRunning takes it.
[[nodiscard]] QString ThisProgram();

}  // namespace kaz
