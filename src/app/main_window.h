#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/chart_file.h"
#include "app/message_box_presenter.h"
#include "app/player_settings.h"
#include "app/recent_files.h"
#include "app/session.h"

class QDockWidget;
class QLabel;

namespace kaz {

class InterchangeActions;

class ChartEditor;
class ChartFeature;
class EditingComforts;
class ThemeMenu;
class ChartHighlighter;
class LiveChecker;
class FollowView;
class TransportBar;

//! The program's one window: menus and keys, the transport bar, the chart's editor and the status bar. It
//! carries out every command on the session it is lent, one chart document at a time.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(Session& session, QWidget* parent = nullptr);
    //! The playback ends with the window: the device is reset and closed.
    ~MainWindow() override;

    //! Open the chart at path in place of the current one (after playback stops). False, with a message,
    //! when it cannot be read; the current chart then stays.
    bool LoadFile(const QString& path);
    //! Write the chart to path. False, with a message, when that fails; the file is then as it was.
    bool SaveFile(const QString& path);

    //! How the window asks the user for a file name; tests answer in its place. Each returns an empty name
    //! for Cancel.
    struct FileNameQuestions {
        std::function<QString(QWidget*)> open;
        std::function<QString(QWidget*)> saveAs;
        std::function<QString(QWidget*)> exportMidi;
        std::function<QString(QWidget*)> exportAudio;
    };
    void SetFileNameQuestions(FileNameQuestions questions) { questions_ = std::move(questions); }
    //! How Transpose asks for the shift and the spellings, given the chart's notation: the Transpose dialog,
    //! or a test in its place.
    using TranspositionChooser = std::function<std::optional<TransposeResult>(NotationMode)>;
    void SetTranspositionChooser(TranspositionChooser chooser) { chooseTransposition_ = std::move(chooser); }

    [[nodiscard]] ChartEditor& Editor() const { return *editor_; }
    [[nodiscard]] TransportBar& Transport() const { return *transport_; }
    [[nodiscard]] FollowView& Follow() const { return *followView_; }
    [[nodiscard]] ChartFeature& Chart() const { return *chart_; }
    [[nodiscard]] EditingComforts& Comforts() const { return *comforts_; }
    [[nodiscard]] const QString& CurrentFile() const { return currentFile_; }

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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void CreateStatusBar();
    void CreatePlayback();
    void CreateChecking();
    void CreateFollowView();
    //! The chart view with its printing, the editing comforts (redo, find, zoom) and the theme.
    void CreateChartView();
    void CreatePlayerActions();
    //! Show the follow view, and set the count-in, as they were last time.
    void RestorePlayerSettings();
    QAction* NewAction(const QString& text, const QString& statusTip,
                       const QList<QKeySequence>& shortcuts = {});

    // File
    void NewChart();
    void Open();
    bool Save();
    bool SaveAs();
    void ExportMidi();
    void ExportAudio();
    //! Compile the editor's text, kept in text, for a command that needs music, at the transport's tempo;
    //! false after the user has been told why it does not compile.
    [[nodiscard]] bool CompileChart(std::string& text);
    void OpenRecentFile(int index);
    [[nodiscard]] bool MaybeSave();
    void SetCurrentFile(const QString& path, const ChartFileFormat& format);
    void UpdateRecentFileActions();
    // Edit
    void Undo();
    void Cut();
    void Paste();
    void Transpose();
    void InsertSnippet(int index);
    //! Import, export and the import of pasted links and dropped song files.
    void CreateInterchange();
    // Help
    void OpenWebPage(const QString& url);
    // Playback
    void Play();
    void PlayOrPause();
    void LoopSelectedMeasures();

    //! Bring every command's enabled state up to date with the playback, the selection and the undo.
    void UpdateCommandStates();
    [[nodiscard]] bool IsStopped() const;
    void ShowFileError(const QString& text);

    Session& session_;
    ChartEditor* editor_;
    ChartHighlighter* highlighter_;
    LiveChecker* checker_;
    TransportBar* transport_ = nullptr;
    FollowView* followView_ = nullptr;
    ChartFeature* chart_ = nullptr;
    EditingComforts* comforts_ = nullptr;
    ThemeMenu* theme_ = nullptr;
    QDockWidget* followDock_ = nullptr;
    QLabel* readyLabel_ = nullptr;
    QLabel* checkReport_ = nullptr;
    MessageBoxPresenter presenter_;
    Commands commands_{};
    RecentFiles recentFiles_;
    FileNameQuestions questions_;
    TranspositionChooser chooseTransposition_;
    QString currentFile_;
    ChartFileFormat format_;
    PlayerSettings player_;
    InterchangeActions* interchange_ = nullptr;  //!< import and the exports to other programs
};

}  // namespace kaz
