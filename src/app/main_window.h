#pragma once

#include <QMainWindow>
#include <array>
#include <memory>

#include "app/document/recent_files.h"
#include "app/player_settings.h"
#include "app/session.h"
#include "app/user_prompts.h"

class QDockWidget;
class QLabel;

namespace kaz {

class ChartDocument;
class InterchangeActions;
class PlaybackController;

class ChartEditor;
class ChartFeature;
class EditingComforts;
class ThemeMenu;
class ChartHighlighter;
class LiveChecker;
class FollowView;
class TransportBar;

//! The program's one window: menus and keys, the transport bar, the chart's editor and the status bar. It
//! wires the chart document, the playback, the editor and the views to one another and to the commands.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    //! A window on session that asks the user through prompts; through dialogs when none are given.
    explicit MainWindow(Session& session, std::unique_ptr<UserPrompts> prompts = nullptr);
    ~MainWindow() override;

    //! Open the chart at path in place of the current one (after playback stops). False, with a message,
    //! when it cannot be read; the current chart then stays.
    bool LoadFile(const QString& path);

    [[nodiscard]] ChartEditor& Editor() const { return *editor_; }
    [[nodiscard]] ChartDocument& Document() const { return *document_; }
    [[nodiscard]] UserPrompts& Prompts() const { return *prompts_; }
    [[nodiscard]] PlaybackController& Playback() const { return *playback_; }
    [[nodiscard]] TransportBar& Transport() const;
    [[nodiscard]] FollowView& Follow() const { return *followView_; }
    [[nodiscard]] ChartFeature& Chart() const { return *chart_; }
    [[nodiscard]] EditingComforts& Comforts() const { return *comforts_; }
    [[nodiscard]] const QString& CurrentFile() const;

    //! The window's commands, for the menus and keys and for tests.
    struct Commands {
        QAction* newChart;
        QAction* open;
        QAction* save;
        QAction* saveAs;
        QAction* exportMidi;
        QAction* exportAudio;
        QAction* exit;
        QAction* undo;
        QAction* cut;
        QAction* copy;
        QAction* paste;
        QAction* transpose;
        QAction* checkAsYouType;
        QAction* spellingHints;  //!< marks spellings that most likely mean something else
        QAction* chordReference;
        QAction* voices;
        QAction* styleSettings;  //!< how the band plays the accompaniment style
        QAction* notation;
        QAction* fastInput;
        QAction* about;
        QAction* homepage;
        QAction* makerSite;
        QAction* play;
        QAction* pause;
        QAction* stop;
        QAction* loop;
        QAction* playOrPause;
        QAction* loopSelectedMeasures;
        QAction* followView;  //!< shows and hides the follow view
        QAction* countIn;
        QAction* practiceLoop;  //!< the practice loop's tempo step and ceiling
        std::array<QAction*, FastInputSnippets::kCount> snippets;
        std::array<QAction*, RecentFiles::kCount> recentFiles;
    };
    [[nodiscard]] const Commands& Actions() const { return commands_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateStatusBar();
    void CreateDocument();
    void CreateChecking();
    void CreateFollowView();
    //! The chart view with its printing, the editing comforts (redo, find, zoom) and the theme.
    void CreateChartView();
    void CreatePlayerActions();
    //! Show the follow view, and set the count-in, as they were last time.
    void RestorePlayerSettings();
    QAction* NewAction(const QString& text, const QString& statusTip,
                       const QList<QKeySequence>& shortcuts = {});
    //! Keep the window's size and place and its docks as they were last time; a new user gets most of the
    //! screen.
    void RestoreLayout();

    // File
    void NewChart();
    void Open();
    void ExportMidi();
    void ExportAudio();
    void OpenRecentFile(int index);
    void AddRecentFile(const QString& path);
    void UpdateRecentFileActions();
    // Edit
    void Paste();
    void Transpose();
    void InsertSnippet(int index);
    //! Import, export and the import of pasted links and dropped song files.
    void CreateInterchange();
    // Help
    void OpenWebPage(const QString& url);

    //! Bring every command's enabled state up to date with the playback, the selection and the undo: the
    //! commands that change the text or need the music work only while the chart is stopped.
    void UpdateCommandStates();
    //! Say in the status bar when the tempo played differs from the chart's tempo mark.
    void UpdateTempoNote();

    Session& session_;
    std::unique_ptr<UserPrompts> prompts_;
    ChartEditor* editor_;
    ChartDocument* document_ = nullptr;
    PlaybackController* playback_ = nullptr;
    ChartHighlighter* highlighter_;
    LiveChecker* checker_;
    FollowView* followView_ = nullptr;
    ChartFeature* chart_ = nullptr;
    EditingComforts* comforts_ = nullptr;
    ThemeMenu* theme_ = nullptr;
    QDockWidget* followDock_ = nullptr;
    QLabel* readyLabel_ = nullptr;
    QLabel* checkReport_ = nullptr;
    QLabel* tempoNote_ = nullptr;
    Commands commands_{};
    RecentFiles recentFiles_;
    PlayerSettings player_;
    InterchangeActions* interchange_ = nullptr;  //!< import and the exports to other programs
};

}  // namespace kaz
