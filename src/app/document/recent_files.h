#pragma once

#include <QStringList>

namespace kaz {

//! The four charts opened or saved last, newest first, kept with the settings ("Recent File List",
//! "File1" … "File4").
class RecentFiles {
  public:
    static constexpr int kCount = 4;
    //! No path the system can open is longer (PATH_MAX on Linux); a longer one in the settings is dropped.
    static constexpr int kMaxPathLength = 4096;

    //! Read the list from the settings.
    RecentFiles();

    [[nodiscard]] const QStringList& Paths() const { return paths_; }
    //! Put path first (once) and store the list.
    void Add(const QString& path);
    //! Take path out (it could not be opened) and store the list.
    void Remove(const QString& path);

  private:
    void Store() const;

    QStringList paths_;
};

}  // namespace kaz
