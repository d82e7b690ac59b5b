#pragma once

#include <QMainWindow>
#include <memory>

#include "app/chart/chart_pages.h"
#include "app/command_table.h"
#include "app/session.h"
#include "app/user_prompts.h"

class QLabel;

namespace kaz {

class ChartCompiler;
class ChartDocument;
class ChartEditor;
class ChartFeature;
class ChartHighlighter;
class EditingComforts;
class FollowView;
class InterchangeActions;
class LiveChecker;
class PlaybackController;
class PlayerFeatures;
class SetListFeature;
struct SetList;
struct SetListSong;
class ThemeMenu;
class LanguageMenu;
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
    //! Open a file given from outside the window, named on the command line or dropped: songs that another
    //! program wrote are imported, anything else opens as a chart. False, with a message, when it cannot be.
    bool OpenGivenFile(const QString& path);

    [[nodiscard]] ChartEditor& Editor() const { return *editor_; }
    //! The one compile of the chart that every reader of it shares.
    [[nodiscard]] ChartCompiler& Compiler() const { return *compiler_; }
    [[nodiscard]] ChartDocument& Document() const { return *document_; }
    [[nodiscard]] UserPrompts& Prompts() const { return *prompts_; }
    [[nodiscard]] PlaybackController& Playback() const { return *playback_; }
    [[nodiscard]] TransportBar& Transport() const;
    [[nodiscard]] FollowView& Follow() const;
    [[nodiscard]] ChartFeature& Chart() const { return *chart_; }
    [[nodiscard]] SetListFeature& SetLists() const { return *setList_; }
    [[nodiscard]] EditingComforts& Comforts() const { return *comforts_; }
    [[nodiscard]] const QString& CurrentFile() const;

    //! The window's commands, for the menus and keys and for tests.
    using Commands = WindowCommands;
    [[nodiscard]] const Commands& Actions() const { return commands_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateDocument();
    //! The chart view with its printing, the editing comforts (redo, find, zoom) the theme and the language.
    void CreateChartView();
    //! Make the commands and connect each to what it does.
    void CreateCommands();
    //! Import, export and the import of pasted links and dropped song files.
    void CreateExports();
    void CreateStatusBar();
    void CreateChecking();
    //! File > Open Set List and the set list's panel: its songs opened in their key and tempo.
    void CreateSetList();
    //! Open the chart of a song of a set, in the set's key and tempo, and play it when play is set.
    void OpenSetSong(const QString& path, const SetListSong& song, bool play);
    //! The sheets of the set list at listPath, as the chart view shows charts (with diagrams kept in
    //! diagrams, one a song); a song whose chart cannot be read or does not compile is left out.
    [[nodiscard]] std::vector<SetSheet> SetSheets(const QString& listPath, const SetList& list,
                                                  std::vector<ChordDiagramBook>& diagrams) const;
    //! The editor's keys that belong to the window, and its context menu.
    void SetUpEditor();
    //! Keep the window's size and place and its docks as they were last time; a new user gets most of the
    //! screen.
    void RestoreLayout();

    //! The chart's name with the modified mark, and a mark while its changes cannot be kept for recovery.
    void UpdateTitle();
    void Paste();
    void Transpose();
    //! Settings → B/Bb/H: the notation the user reads, and the one the chart keeps in its own line.
    void ChooseNotation();
    void InsertSnippet(int index);
    void OpenWebPage(const QString& url);

    //! Bring every command's enabled state up to date with the playback, the selection and the undo: the
    //! commands that change the text or need the music work while the chart is stopped, and while it plays
    //! with Edit while playing on.
    void UpdateCommandStates();
    //! How the chart is read or played changed: compile it again.
    void SettingsChanged();

    Session& session_;
    std::unique_ptr<UserPrompts> prompts_;
    ChartEditor* editor_;
    ChartCompiler* compiler_;
    ChartDocument* document_ = nullptr;
    PlaybackController* playback_ = nullptr;
    PlayerFeatures* player_ = nullptr;
    ChartHighlighter* highlighter_;
    LiveChecker* checker_;
    ChartFeature* chart_ = nullptr;
    EditingComforts* comforts_ = nullptr;
    ThemeMenu* theme_ = nullptr;
    LanguageMenu* language_ = nullptr;
    QLabel* checkReport_ = nullptr;
    bool keptForRecovery_ = true;
    Commands commands_{};
    InterchangeActions* interchange_ = nullptr;  //!< import and the exports to other programs
    SetListFeature* setList_ = nullptr;
};

}  // namespace kaz
