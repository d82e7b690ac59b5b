#pragma once

#include <QObject>
#include <array>

#include "app/document/recent_files.h"

class QAction;

namespace kaz {

class ChartDocument;
class UserPrompts;

//! File → New, Open… and the last charts: each asks to save the chart shown first. The list of the last
//! charts follows what is opened and saved, and its entries in the File menu follow the list.
class ChartFileCommands final : public QObject {
    Q_OBJECT

  public:
    ChartFileCommands(ChartDocument& document, UserPrompts& prompts, QAction& newChart, QAction& open,
                      const std::array<QAction*, RecentFiles::kCount>& recentFiles, QObject* parent);

  private:
    void NewChart();
    void Open();
    void OpenRecentFile(int index);
    void AddRecentFile(const QString& path);
    void UpdateRecentFileActions();

    ChartDocument& document_;
    UserPrompts& prompts_;
    std::array<QAction*, RecentFiles::kCount> recentActions_;
    RecentFiles recentFiles_;
};

}  // namespace kaz
