#include "app/document/recent_files.h"

#include <QFileInfo>
#include <QSettings>

#include "app/settings.h"

namespace kaz {

namespace {

QString EntryName(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

RecentFiles::RecentFiles() {
    QSettings settings = OpenSettings();
    settings.beginGroup(setting_keys::kRecentFilesGroup);
    for (int i = 0; i < kCount; ++i) {
        const QString path = settings.value(EntryName(i)).toString();
        if (!path.isEmpty() && path.size() <= kMaxPathLength && !paths_.contains(path)) {
            paths_.append(path);
        }
    }
}

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // Already first: the settings file is not rewritten for nothing, as at most starts.
    if (absolute.size() > kMaxPathLength || (!paths_.isEmpty() && paths_.first() == absolute)) {
        return;
    }
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kCount) {
        paths_.removeLast();
    }
    Store();
}

void RecentFiles::Remove(const QString& path) {
    paths_.removeAll(path);
    Store();
}

void RecentFiles::Store() const {
    QSettings settings = OpenSettings();
    settings.beginGroup(setting_keys::kRecentFilesGroup);
    for (int i = 0; i < kCount; ++i) {
        if (i < paths_.size()) {
            settings.setValue(EntryName(i), paths_[i]);
        } else {
            settings.remove(EntryName(i));
        }
    }
}

}  // namespace kaz
