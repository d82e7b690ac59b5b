#pragma once

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace kaz {

//! True when replacing the regular file at path (whose status is file) by a new one would make it something
//! else than it was: it has other hard links, which would go on showing the old text, or the new file would
//! have another owner or group (a save by someone other than its owner).
[[nodiscard]] bool OnlyInPlaceKeepsTheFile(const QString& path, const struct stat& file);

//! Write bytes over the regular file at path, in place. The old bytes go first to a copy in recoveryFolder,
//! so that a write that fails half-way is undone; the copy is removed once the file holds either the new
//! or the old bytes again, and kept, named in error, only when neither could be written back. False with
//! the whole message for the user in error.
[[nodiscard]] bool SaveInPlace(const QString& path, const QByteArray& bytes, const QString& recoveryFolder,
                               QString& error);

}  // namespace kaz
