#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

#include <sys/stat.h>

namespace kaz {

//! True when replacing the regular file at path (whose status is file) by a new one would make it something
//! else than it was: it has other hard links, which would go on showing the old text, or the new file would
//! have another owner or group (a save by someone other than its owner).
[[nodiscard]] bool OnlyInPlaceKeepsTheFile(const QString& path, const struct stat& file);

//! Write bytes over the regular file at path, in place. The old bytes go first to a copy in recoveryFolder
//! (the owner's alone), with a note of the file it is of, so that a write that fails half-way is undone and
//! one that the program's end cuts short can be undone at the next start; the copy is removed once the file
//! holds either the new or the old bytes again, and kept, named in error, only when neither could be
//! written back. False with the whole message for the user in error.
[[nodiscard]] bool SaveInPlace(const QString& path, const QByteArray& bytes, const QString& recoveryFolder,
                               QString& error);

//! A chart's bytes from before a save in place that never finished: the program ended while it wrote the
//! chart, or could put neither the new nor the old bytes in place.
struct UnfinishedSave {
    QString copy;  //!< the chart's old bytes, in the recovery folder
    QString path;  //!< the chart's file
    QDateTime written;
};

//! The unfinished saves kept in recoveryFolder, of runs that have ended. A copy whose chart holds its bytes
//! again (the write never began) is removed unasked; only regular files are read.
[[nodiscard]] std::vector<UnfinishedSave> UnfinishedSaves(const QString& recoveryFolder);

//! Write the old bytes of save back into its chart, and forget the save; false with the whole message for
//! the user in error.
[[nodiscard]] bool PutBackOldBytes(const UnfinishedSave& save, const QString& recoveryFolder, QString& error);

//! Remove the copy of save and its note.
void ForgetUnfinishedSave(const UnfinishedSave& save);

}  // namespace kaz
