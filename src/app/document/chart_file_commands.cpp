#include "app/document/chart_file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "app/document/chart_document.h"
#include "app/file_dialogs.h"
#include "app/user_prompts.h"

namespace kaz {

namespace {

//! How the recent file list names entry index: by the file's name, or by its whole path when another entry
//! has the same name.
QString RecentFileName(const QStringList& paths, int index) {
    const QString name = QFileInfo(paths[index]).fileName();
    const auto sameName = std::count_if(paths.begin(), paths.end(), [&name](const QString& path) {
        return QFileInfo(path).fileName() == name;
    });
    const QString shown = sameName > 1 ? QDir::toNativeSeparators(paths[index]) : name;
    // A menu entry no wider than the screen, whatever the path: its middle gives way.
    constexpr qsizetype kLongest = 80;
    return shown.size() <= kLongest
               ? shown
               : shown.left(kLongest / 2 - 1) + QChar(0x2026) + shown.right(kLongest / 2);
}

}  // namespace

ChartFileCommands::ChartFileCommands(ChartDocument& document, UserPrompts& prompts, QAction& newChart,
                                     QAction& open,
                                     const std::array<QAction*, RecentFiles::kCount>& recentFiles,
                                     QObject* parent)
    : QObject(parent), document_(document), prompts_(prompts), recentActions_(recentFiles) {
    connect(&newChart, &QAction::triggered, this, &ChartFileCommands::NewChart);
    connect(&open, &QAction::triggered, this, &ChartFileCommands::Open);
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        connect(recentActions_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { OpenRecentFile(i); });
    }
    connect(&document_, &ChartDocument::opened, this, &ChartFileCommands::AddRecentFile);
    connect(&document_, &ChartDocument::saved, this, &ChartFileCommands::AddRecentFile);
    UpdateRecentFileActions();
}

void ChartFileCommands::NewChart() {
    if (document_.MaybeSave()) {
        document_.StartNew();
    }
}

void ChartFileCommands::Open() {
    if (!document_.MaybeSave()) {
        return;
    }
    const QString path = prompts_.AskFileName(FileQuestion::Open, StartFolder(document_.Path()));
    if (!path.isEmpty()) {
        document_.Load(path);
    }
}

void ChartFileCommands::OpenRecentFile(int index) {
    const QString path = recentFiles_.Paths().value(index);
    if (path.isEmpty() || !document_.MaybeSave()) {
        return;
    }
    // A chart that is gone leaves the list; one the user chose not to open stays.
    if (!document_.Load(path) && !QFileInfo(path).isReadable()) {
        recentFiles_.Remove(path);
        UpdateRecentFileActions();
    }
}

void ChartFileCommands::AddRecentFile(const QString& path) {
    recentFiles_.Add(path);
    UpdateRecentFileActions();
}

void ChartFileCommands::UpdateRecentFileActions() {
    const QStringList& paths = recentFiles_.Paths();
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        QAction* action = recentActions_[static_cast<std::size_t>(i)];
        if (i < paths.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(RecentFileName(paths, i)));
            action->setToolTip(paths[i]);
            action->setEnabled(true);
            action->setVisible(true);
        } else {
            // With no recent file the first entry stays, greyed, as the list's place holder.
            action->setText(tr("Recent File"));
            action->setEnabled(false);
            action->setVisible(i == 0 && paths.isEmpty());
        }
    }
}

}  // namespace kaz
