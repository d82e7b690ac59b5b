#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QProxyStyle>
#include <QStatusBar>
#include <QUrl>

#include "app/about_dialog.h"
#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/chart_editor.h"
#include "app/chart_highlighter.h"
#include "app/dialogs/chord_reference_dialog.h"
#include "app/dialogs/file_dialogs.h"
#include "app/dialogs/interchange_actions.h"
#include "app/dialogs/style_dialog.h"
#include "app/editor/editing_comforts.h"
#include "app/editor/zoom_control.h"
#include "app/fast_input_dialog.h"
#include "app/follow_view.h"
#include "app/live_checker.h"
#include "app/lock_indicators.h"
#include "app/notation_dialog.h"
#include "app/playback/style_list.h"
#include "app/practice_loop_dialog.h"
#include "app/tempo_field.h"
#include "app/theme.h"
#include "app/transport_bar.h"
#include "app/transport_button.h"
#include "app/transpose_dialog.h"
#include "app/view_settings.h"
#include "app/voices_dialog.h"
#include "harmony/spliced_text.h"
#include "language/transpose_score.h"
#include "midi/device/audio_render.h"
#include "midi/midi_file_writer.h"

namespace kaz {

namespace {

QString AskOpenFileName(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QObject::tr("Open"), folder,
                                        QObject::tr("Kaz Files (*.kaz);;All Files (*)"));
}

//! A menu bar style whose separator divides the items at the left end from those at the right end.
class MenuBarWithRightEnd final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_DrawMenuBarSeparator ? 1 : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

//! A WAV or, where it can be written, a FLAC file name; the name gets the ending of the chosen kind.
QString AskAudioFileName(QWidget* parent, const QString& suggested) {
    QStringList kinds{QObject::tr("WAV audio (*.wav)")};
    if (CanWriteFlac()) {
        kinds << QObject::tr("FLAC audio (*.flac)");
    }
    QFileDialog dialog(parent, QObject::tr("Export to Audio"), suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(kinds);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& kind) {
        dialog.setDefaultSuffix(kind.contains(QStringLiteral("*.flac")) ? QStringLiteral("flac")
                                                                        : QStringLiteral("wav"));
    });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

//! How the recent file list names entry index: by the file's name, or by its whole path when another entry
//! has the same name.
QString RecentFileName(const QStringList& paths, int index) {
    const QString name = QFileInfo(paths[index]).fileName();
    const auto sameName = std::count_if(paths.begin(), paths.end(), [&name](const QString& path) {
        return QFileInfo(path).fileName() == name;
    });
    return sameName > 1 ? QDir::toNativeSeparators(paths[index]) : name;
}

//! The editor's form of a compiled text: every line break a single "\n".
QString EditorText(const std::string& compiled, ChartFileFormat::LineEnding lineEnding) {
    QString text = FromUtf8(compiled);
    if (lineEnding == ChartFileFormat::LineEnding::CrLf) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return text;
}

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      editor_(new ChartEditor(this)),
      highlighter_(new ChartHighlighter(*editor_)),
      checker_(new LiveChecker(*editor_, session_.compile, this)),
      presenter_(this) {
    // The dialogs start in the chart's folder (or the documents), an export with the chart's name.
    questions_ = {
        [this](QWidget* owner) { return AskOpenFileName(owner, StartFolder(currentFile_)); },
        [this](QWidget* owner) {
            return AskSaveFileName(owner, tr("Save As"), tr("Kaz Files (*.kaz)"), QStringLiteral("kaz"),
                                   SuggestedExportPath(currentFile_, QStringLiteral("kaz")));
        },
        [this](QWidget* owner) {
            return AskSaveFileName(owner, tr("Export to MIDI"), tr("MIDI Files (*.mid);;All Files (*.*)"),
                                   QStringLiteral("mid"),
                                   SuggestedExportPath(currentFile_, QStringLiteral("mid")));
        },
        [this](QWidget* owner) {
            return AskAudioFileName(owner, SuggestedExportPath(currentFile_, QStringLiteral("wav")));
        },
    };
    setCentralWidget(editor_);
    CreateFollowView();
    CreateChartView();
    CreateActions();
    CreateInterchange();
    CreatePlayerActions();
    CreateMenus();
    transport_ = new TransportBar(
        session_.devices,
        {commands_.play, commands_.pause, commands_.stop, commands_.loop, commands_.loopSelectedMeasures},
        this);
    addToolBar(Qt::TopToolBarArea, transport_);
    transport_->addWidget(new StyleList(session_.compile.settings.style, transport_));
    CreateStatusBar();
    CreatePlayback();
    CreateChecking();
    RestorePlayerSettings();

    // Files dropped anywhere on the window open like File Open; the editor itself takes no drops.
    editor_->setAcceptDrops(false);
    setAcceptDrops(true);
    editor_->setContextMenuPolicy(Qt::ActionsContextMenu);
    editor_->addActions({commands_.undo, commands_.cut, commands_.copy, commands_.paste});
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    editor_->addActions({separator, commands_.loopSelectedMeasures});

    connect(editor_->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0) {
            setWindowModified(true);
        }
    });
    connect(editor_, &ChartEditor::undoStateChanged, this, &MainWindow::UpdateCommandStates);
    connect(editor_, &QPlainTextEdit::copyAvailable, this, &MainWindow::UpdateCommandStates);
    chooseTransposition_ = [this](NotationMode resolved) {
        return ChooseTransposition(this, session_.noteNames, resolved);
    };
    SetCurrentFile(QString(), ChartFileFormat{});
    UpdateRecentFileActions();
    UpdateCommandStates();
    resize(760, 520);
}

MainWindow::~MainWindow() {
    session_.playback.reset();
}

QAction* MainWindow::NewAction(const QString& text, const QString& statusTip,
                               const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(text, this);
    action->setStatusTip(statusTip);
    action->setShortcuts(shortcuts);
    // Every key works wherever the focus is in the window, menus or not.
    addAction(action);
    return action;
}

void MainWindow::CreateActions() {
    Commands& c = commands_;
    c.newChart =
        NewAction(tr("&New\tCtrl+N"), tr("Create a new chart"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
    connect(c.newChart, &QAction::triggered, this, &MainWindow::NewChart);
    c.open =
        NewAction(tr("&Open...\tCtrl+O"), tr("Open an existing chart"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    connect(c.open, &QAction::triggered, this, &MainWindow::Open);
    c.save = NewAction(tr("&Save\tCtrl+S"), tr("Save the chart"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    connect(c.save, &QAction::triggered, this, &MainWindow::Save);
    c.saveAs = NewAction(tr("Save &As..."), tr("Save the chart with a new name"));
    connect(c.saveAs, &QAction::triggered, this, &MainWindow::SaveAs);
    c.exportMidi = NewAction(tr("Export to &MIDI"), tr("Export the score in MIDI format"));
    connect(c.exportMidi, &QAction::triggered, this, &MainWindow::ExportMidi);
    c.exportAudio =
        NewAction(tr("Export to A&udio..."),
                  tr("Render the score through the built-in synthesizer into a WAV or FLAC file"));
    connect(c.exportAudio, &QAction::triggered, this, &MainWindow::ExportAudio);
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        c.recentFiles[static_cast<std::size_t>(i)] = NewAction(QString(), tr("Open this chart"));
        connect(c.recentFiles[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { OpenRecentFile(i); });
    }
    c.exit = NewAction(tr("E&xit"), tr("Quit Kaz; asks to save the chart first"));
    connect(c.exit, &QAction::triggered, this, &QWidget::close);

    c.undo = NewAction(tr("&Undo\tCtrl+Z"), tr("Undo the last change"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    connect(c.undo, &QAction::triggered, this, &MainWindow::Undo);
    c.cut = NewAction(tr("Cu&t\tCtrl+X"), tr("Cut the selection and put it on the clipboard"),
                      {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    connect(c.cut, &QAction::triggered, this, &MainWindow::Cut);
    c.copy = NewAction(tr("&Copy\tCtrl+C"), tr("Copy the selection and put it on the clipboard"),
                       {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    connect(c.copy, &QAction::triggered, editor_, &QPlainTextEdit::copy);
    c.paste = NewAction(tr("&Paste\tCtrl+V"), tr("Insert the clipboard's contents"),
                        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    connect(c.paste, &QAction::triggered, this, &MainWindow::Paste);
    c.transpose =
        NewAction(tr("&Transpose\tCtrl+T"), tr("Transpose the score"), {QKeySequence(Qt::CTRL | Qt::Key_T)});
    connect(c.transpose, &QAction::triggered, this, &MainWindow::Transpose);

    c.checkAsYouType = NewAction(tr("&Check as you type"),
                                 tr("Underline the chart's first mistake a moment after typing stops"));
    c.checkAsYouType->setCheckable(true);
    c.spellingHints = NewAction(tr("Spelling &hints"),
                                tr("Mark chord spellings that most musicians mean otherwise, such as C-7"));
    c.spellingHints->setCheckable(true);
    c.chordReference =
        NewAction(tr("&Chord reference"), tr("List every chord spelling with the keys it plays"));
    connect(c.chordReference, &QAction::triggered, this, [this] { ShowChordReference(this); });

    c.voices = NewAction(tr("&Voices"), tr("Set instrument voices"));
    connect(c.voices, &QAction::triggered, this,
            [this] { EditVoices(this, session_.compile.settings.voices); });
    c.styleSettings = NewAction(tr("&Style..."), tr("Set how the band plays the accompaniment style"));
    connect(c.styleSettings, &QAction::triggered, this,
            [this] { EditStyleSettings(this, session_.compile.settings.style); });
    c.notation = NewAction(tr("&B/Bb/H"), tr("English/German notation"));
    connect(c.notation, &QAction::triggered, this,
            [this] { EditNotation(this, session_.compile.settings.notation); });
    c.fastInput = NewAction(tr("&Fast input"), tr("Define chord shortcuts"));
    connect(c.fastInput, &QAction::triggered, this, [this] { EditFastInput(this, session_.snippets); });
    c.about = NewAction(tr("&About"), tr("Show the program's name, version and maker"));
    connect(c.about, &QAction::triggered, this, [this] { ShowAbout(this); });
    c.homepage = NewAction(tr("&Homepage"), tr("Find the documentation and the latest updates"));
    connect(c.homepage, &QAction::triggered, this, [this] { OpenWebPage(QString::fromUtf8(kHomePageUrl)); });
    c.makerSite = NewAction(tr("&Velmor"), tr("Please visit our website!"));
    connect(c.makerSite, &QAction::triggered, this,
            [this] { OpenWebPage(QString::fromUtf8(kMakerSiteUrl)); });

    c.play = NewAction(tr("Play"), tr("Play"));
    connect(c.play, &QAction::triggered, this, &MainWindow::Play);
    c.pause = NewAction(tr("Pause/Resume"), tr("Pause/Resume"), {QKeySequence(Qt::Key_Pause)});
    connect(c.pause, &QAction::triggered, this, [this] { session_.playback->OnPauseResume(); });
    c.stop = NewAction(tr("Stop"), tr("Stop"), {QKeySequence(Qt::Key_Escape)});
    connect(c.stop, &QAction::triggered, this, [this] { session_.playback->OnStop(); });
    c.loop = NewAction(tr("Loop"), tr("Loop playback"));
    connect(c.loop, &QAction::triggered, this, [this] { session_.playback->OnLoop(); });
    c.playOrPause = NewAction(tr("Play/Pause"), tr("Play, or pause and resume"),
                              {QKeySequence(Qt::CTRL | Qt::Key_Space)});
    connect(c.playOrPause, &QAction::triggered, this, &MainWindow::PlayOrPause);
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        const int digit = (i + 1) % FastInputSnippets::kCount;
        QAction* snippet = NewAction(tr("Snippet %1").arg(i + 1), QString(),
                                     {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit))});
        connect(snippet, &QAction::triggered, this, [this, i] { InsertSnippet(i); });
        c.snippets[static_cast<std::size_t>(i)] = snippet;
    }
}

void MainWindow::CreateInterchange() {
    ChartWindowAccess access;
    access.maybeSave = [this] { return MaybeSave(); };
    access.openText = [this](const QString& text) {
        session_.playback->OnStop();
        editor_->SetDocumentText(text);
        SetCurrentFile(QString(), ChartFileFormat{});
        setWindowModified(true);
    };
    access.openFile = [this](const QString& path) { LoadFile(path); };
    access.compile = [this](std::string& text) { return IsStopped() && CompileChart(text); };
    access.chartPath = [this] { return currentFile_; };
    interchange_ = new InterchangeActions(this, std::move(access));
}

void MainWindow::CreatePlayerActions() {
    Commands& c = commands_;
    c.loopSelectedMeasures =
        NewAction(tr("&Loop selected measures\tCtrl+L"),
                  tr("Play the measures the selection touches again and again, until Stop"),
                  {QKeySequence(Qt::CTRL | Qt::Key_L)});
    connect(c.loopSelectedMeasures, &QAction::triggered, this, &MainWindow::LoopSelectedMeasures);
    c.followView = followDock_->toggleViewAction();
    c.followView->setText(tr("&Follow view"));
    c.followView->setStatusTip(
        tr("Show the sounding chord, the next one, the measure and the beat in large type"));
    // Toggled when the view is shown or closed, not when the window closes with it.
    connect(c.followView, &QAction::toggled, this, [](bool shown) { SaveFollowView(shown); });
    c.countIn = NewAction(tr("&Count-in"), tr("Play one measure of clicks before the music starts"));
    c.countIn->setCheckable(true);
    connect(c.countIn, &QAction::toggled, this, [this](bool on) {
        session_.playback->SetCountIn(on);
        SaveCountIn(on);
    });
    c.practiceLoop = NewAction(tr("&Practice loop..."),
                               tr("Choose how much faster Loop selected measures plays each time round"));
    connect(c.practiceLoop, &QAction::triggered, this,
            [this] { EditPracticeTempo(this, player_.practiceTempo); });
}

void MainWindow::CreateFollowView() {
    followView_ = new FollowView(session_, this);
    followDock_ = new QDockWidget(tr("Follow view"), this);
    followDock_->setObjectName(QStringLiteral("followView"));
    followDock_->setWidget(followView_);
    addDockWidget(Qt::RightDockWidgetArea, followDock_);
    followDock_->hide();
}

void MainWindow::CreateChartView() {
    chart_ = new ChartFeature(*this, session_, *editor_, [this] { return currentFile_; });
    comforts_ = new EditingComforts(*this, *editor_);
    theme_ = new ThemeMenu(*this);
    ZoomControl& zoom = comforts_->Zoom();
    connect(&zoom, &ZoomControl::zoomChanged, chart_, &ChartFeature::SetZoom);
    connect(&chart_->Panel().View(), &ChartView::zoomStepped, &zoom, &ZoomControl::Step);
    chart_->SetZoom(zoom.Percent() / 100.0);
}

void MainWindow::RestorePlayerSettings() {
    player_ = LoadPlayerSettings();
    followDock_->setVisible(player_.followView);
    commands_.countIn->setChecked(player_.countIn);
}

void MainWindow::CreateMenus() {
    const Commands& c = commands_;
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addActions({c.newChart, c.open, c.save, c.saveAs});
    file->addSeparator();
    file->addAction(interchange_->importSongs);
    file->addActions({c.exportMidi, c.exportAudio, chart_->ExportPdfAction(), interchange_->exportIreal,
                      interchange_->exportMusicXml});
    file->addSeparator();
    file->addAction(chart_->PrintAction());
    file->addSeparator();
    for (QAction* recent : c.recentFiles) {
        file->addAction(recent);
    }
    file->addSeparator();
    file->addAction(c.exit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addActions({c.undo, comforts_->RedoAction()});
    edit->addSeparator();
    edit->addActions({c.cut, c.copy, c.paste});
    edit->addSeparator();
    edit->addActions({comforts_->FindAction(), comforts_->ReplaceAction(), comforts_->FindNextAction()});
    edit->addSeparator();
    edit->addAction(c.transpose);
    edit->addSeparator();
    edit->addAction(c.loopSelectedMeasures);

    // Alt+V is the maker's item.
    QMenu* view = menuBar()->addMenu(tr("Vie&w"));
    view->addAction(c.checkAsYouType);
    view->addAction(c.followView);
    view->addAction(chart_->ChartViewAction());
    view->addSeparator();
    view->addActions({comforts_->Zoom().ZoomInAction(), comforts_->Zoom().ZoomOutAction(),
                      comforts_->Zoom().ActualSizeAction()});
    view->addMenu(theme_->Menu());

    QMenu* settings = menuBar()->addMenu(tr("&Settings"));
    settings->addActions({c.voices, c.styleSettings});
    settings->addSeparator();
    settings->addActions({c.notation, c.fastInput});
    settings->addSeparator();
    settings->addActions({c.countIn, c.practiceLoop});
    settings->addSeparator();
    settings->addAction(c.spellingHints);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(c.chordReference);
    help->addAction(c.about);
    help->addSeparator();
    help->addAction(c.homepage);

    // The maker's item is a command of its own at the right end of the menu bar, not a menu: the menu bar
    // puts what follows a separator at its right end when its style asks for menu bar separators.
    auto* style = new MenuBarWithRightEnd(QApplication::style()->name());
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    menuBar()->addSeparator();
    menuBar()->addAction(c.makerSite);
}

void MainWindow::CreateStatusBar() {
    readyLabel_ = new QLabel(tr("Ready"), this);
    // Shown whenever no command's prompt is.
    statusBar()->addWidget(readyLabel_, 1);
    // A pane of its own, which the commands' prompts leave in place; it takes what room a long report needs
    // without widening the window.
    checkReport_ = new QLabel(this);
    checkReport_->setObjectName(QStringLiteral("checkReport"));
    checkReport_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    checkReport_->hide();
    statusBar()->addPermanentWidget(checkReport_, 4);
    new LockIndicators(*statusBar());
}

void MainWindow::CreatePlayback() {
    session_.playback = std::make_unique<PlaybackEngine>(
        session_.compile, PlaybackSeams{*editor_, presenter_, *transport_, session_.clock, session_.timer,
                                        session_.makePort, CompileScore, [this] {
                                            UpdateCommandStates();
                                            followView_->FollowPlayback();
                                            chart_->FollowPlayback(IsStopped());
                                        }});
    connect(transport_, &TransportBar::tempoTextChanged, this,
            [this] { session_.playback->OnTempoChange(); });
    connect(transport_, &TransportBar::tempoFocusLost, this,
            [this] { session_.playback->OnTempoKillFocus(); });
}

void MainWindow::CreateChecking() {
    connect(checker_, &LiveChecker::checked, this, [this](const QString& report) {
        checkReport_->setText(report);
        checkReport_->setToolTip(report);
        checkReport_->setVisible(!report.isEmpty());
    });
    commands_.checkAsYouType->setChecked(LoadCheckAsYouType());
    checker_->SetEnabled(commands_.checkAsYouType->isChecked());
    connect(commands_.checkAsYouType, &QAction::toggled, this, [this](bool on) {
        SaveCheckAsYouType(on);
        checker_->SetEnabled(on);
    });
    commands_.spellingHints->setChecked(LoadSpellingHints());
    checker_->SetHintsShown(commands_.spellingHints->isChecked());
    connect(commands_.spellingHints, &QAction::toggled, this, [this](bool on) {
        SaveSpellingHints(on);
        checker_->SetHintsShown(on);
    });
}

bool MainWindow::IsStopped() const {
    return session_.playback == nullptr || session_.playback->IsStopped();
}

void MainWindow::UpdateCommandStates() {
    if (session_.playback == nullptr) {
        return;
    }
    const Commands& c = commands_;
    const bool stopped = IsStopped();
    // A song's text stays as it is while it plays: nothing to check, and no colouring of every line at once.
    checker_->SetPlaying(!stopped);
    highlighter_->HoldRecolouring(!stopped);
    const bool selection = editor_->textCursor().hasSelection();
    c.exportMidi->setEnabled(stopped);
    c.exportAudio->setEnabled(stopped);
    c.transpose->setEnabled(stopped);
    c.undo->setEnabled(stopped && editor_->CanUndo());
    c.cut->setEnabled(stopped && selection);
    c.copy->setEnabled(selection);
    c.paste->setEnabled(stopped);
    comforts_->SetStopped(stopped);
    const auto state = [this](PlaybackCommand command) { return session_.playback->QueryCommand(command); };
    c.play->setEnabled(state(PlaybackCommand::Play).enabled);
    c.pause->setEnabled(state(PlaybackCommand::PauseResume).enabled);
    c.stop->setEnabled(state(PlaybackCommand::Stop).enabled);
    const CommandState practice = state(PlaybackCommand::LoopSelectedMeasures);
    c.loopSelectedMeasures->setEnabled(practice.enabled);
    if (TransportButton* button = transport_->LoopSelectedMeasuresButton()) {
        button->SetLatched(practice.checked);
    }
}

// File

void MainWindow::SetCurrentFile(const QString& path, const ChartFileFormat& format) {
    currentFile_ = path;
    format_ = format;
    editor_->SetLineEnding(format.lineEnding);
    setWindowFilePath(path.isEmpty() ? tr("Untitled") : path);
    setWindowModified(false);
}

bool MainWindow::MaybeSave() {
    if (!isWindowModified()) {
        return true;
    }
    const QString name = currentFile_.isEmpty() ? tr("Untitled") : QFileInfo(currentFile_).fileName();
    const QMessageBox::StandardButton answer =
        QMessageBox::warning(this, tr("Kaz"), tr("Save changes to %1?").arg(name),
                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        return Save();
    }
    return answer == QMessageBox::Discard;
}

void MainWindow::NewChart() {
    if (!MaybeSave()) {
        return;
    }
    session_.playback->OnStop();
    editor_->SetDocumentText(QString());
    SetCurrentFile(QString(), ChartFileFormat{});
}

void MainWindow::Open() {
    if (!MaybeSave()) {
        return;
    }
    const QString path = questions_.open(this);
    if (!path.isEmpty()) {
        LoadFile(path);
    }
}

void MainWindow::OpenRecentFile(int index) {
    const QString path = recentFiles_.Paths().value(index);
    if (path.isEmpty() || !MaybeSave()) {
        return;
    }
    if (!LoadFile(path)) {
        recentFiles_.Remove(path);
        UpdateRecentFileActions();
    }
}

bool MainWindow::LoadFile(const QString& path) {
    QByteArray bytes;
    QString error;
    if (!ReadChartFile(path, bytes, error)) {
        ShowFileError(error);
        return false;
    }
    const ChartText chart = DecodeChart(bytes);
    // Opening stops the playback first, so no device stays open with the performance of another text.
    session_.playback->OnStop();
    editor_->SetDocumentText(chart.text);
    SetCurrentFile(path, chart.format);
    recentFiles_.Add(path);
    UpdateRecentFileActions();
    // Before the window first shows, a message would stand over the idle text instead of replacing it.
    if (isVisible()) {
        statusBar()->showMessage(tr("Opened %1").arg(QFileInfo(path).fileName()), 2000);
    }
    return true;
}

bool MainWindow::Save() {
    return currentFile_.isEmpty() ? SaveAs() : SaveFile(currentFile_);
}

bool MainWindow::SaveAs() {
    const QString path = questions_.saveAs(this);
    return !path.isEmpty() && SaveFile(path);
}

bool MainWindow::SaveFile(const QString& path) {
    ChartFileFormat format = format_;
    QByteArray bytes;
    if (!EncodeChart(editor_->Text(), format, bytes)) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this, tr("Kaz"),
            tr("The chart holds characters that its Windows-1252 file cannot store. Save it as UTF-8?"),
            QMessageBox::Save | QMessageBox::Cancel);
        if (answer != QMessageBox::Save) {
            return false;
        }
        format.encoding = ChartFileFormat::Encoding::Utf8;
        static_cast<void>(EncodeChart(editor_->Text(), format, bytes));
    }
    QString error;
    if (!WriteChartFile(path, bytes, error)) {
        ShowFileError(tr("Cannot save file `%1`: %2. The file on disk is as it was.").arg(path, error));
        return false;
    }
    SetCurrentFile(path, format);
    recentFiles_.Add(path);
    UpdateRecentFileActions();
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), 2000);
    return true;
}

void MainWindow::ShowFileError(const QString& text) {
    QMessageBox::warning(this, tr("Kaz"), text);
}

void MainWindow::UpdateRecentFileActions() {
    const QStringList& paths = recentFiles_.Paths();
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        QAction* action = commands_.recentFiles[static_cast<std::size_t>(i)];
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

void MainWindow::ExportMidi() {
    std::string text;
    if (!IsStopped() || !CompileChart(text)) {
        return;
    }
    const QString path = questions_.exportMidi(this);
    if (path.isEmpty()) {
        return;
    }
    if (!ExportMidiFile(session_.compile.events, QFile::encodeName(path).toStdString())) {
        QMessageBox box(QMessageBox::NoIcon, tr("Kaz"), tr("Cannot open file `%1` for writing!").arg(path),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    statusBar()->showMessage(tr("Exported %1").arg(QFileInfo(path).fileName()), 3000);
}

void MainWindow::ExportAudio() {
    std::string text;
    if (!IsStopped() || !CompileChart(text)) {
        return;
    }
    const QString path = questions_.exportAudio(this);
    if (path.isEmpty()) {
        return;
    }
    QProgressDialog progress(tr("Rendering %1 ...").arg(QFileInfo(path).fileName()), tr("Cancel"), 0, 1000,
                             this);
    progress.setWindowTitle(tr("Export to Audio"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const std::string file = QFile::encodeName(path).toStdString();
    std::string error;
    const RenderOutcome outcome = RenderAudio(
        session_.compile.events, session_.compile.settings.transportTempo, file, AudioFormatOfPath(file),
        SynthOptionsFromEnvironment(),
        [&progress](double done) {
            progress.setValue(static_cast<int>(done * 1000));
            return !progress.wasCanceled();
        },
        error);
    progress.reset();
    if (outcome == RenderOutcome::Failed) {
        ShowFileError(tr("Cannot export the audio file `%1`: %2.").arg(path, QString::fromStdString(error)));
    } else if (outcome == RenderOutcome::Written) {
        statusBar()->showMessage(tr("Exported %1").arg(QFileInfo(path).fileName()), 3000);
    }
}

bool MainWindow::CompileChart(std::string& text) {
    // The performance's tempo event carries the transport's tempo unless the chart has its own.
    session_.compile.settings.transportTempo = session_.playback->State().tempo;
    text = editor_->TextForCompile();
    return CompileScore(session_.compile, text, *editor_, presenter_);
}

// Edit

void MainWindow::Undo() {
    if (IsStopped()) {
        editor_->UndoLastChange();
    }
}

void MainWindow::Cut() {
    if (IsStopped()) {
        editor_->cut();
    }
}

void MainWindow::Paste() {
    if (IsStopped() && !interchange_->OfferPastedLink(QGuiApplication::clipboard()->text())) {
        editor_->paste();
    }
}

void MainWindow::Transpose() {
    std::string text;
    if (!IsStopped() || !CompileChart(text)) {
        return;
    }
    // The chords are rewritten in a copy of the text, which then replaces the editor's text in one change.
    TextEditor rewrite(std::move(text));
    if (!TransposeCompiledScore(session_.compile.score, session_.compile.settings.notation, rewrite,
                                chooseTransposition_)) {
        return;
    }
    const QString before = editor_->Text();
    editor_->ReplaceAllWithoutUndo(EditorText(rewrite.Text(), format_.lineEnding));
    // After the rewrite, whose change notification empties the slot.
    editor_->SetUndoSlot(before);
}

void MainWindow::InsertSnippet(int index) {
    // While a song plays its text is fixed: the highlights point into it.
    const QString& snippet = session_.snippets.texts[static_cast<std::size_t>(index)];
    if (IsStopped() && !snippet.isEmpty()) {
        editor_->ReplaceSelectionWithoutUndo(snippet);
    }
}

// Help

void MainWindow::OpenWebPage(const QString& url) {
    if (!QDesktopServices::openUrl(QUrl(url))) {
        QMessageBox::information(this, tr("Kaz"),
                                 tr("No web browser could be started. The page is %1").arg(url));
    }
}

// Playback

void MainWindow::Play() {
    if (IsStopped()) {
        session_.playback->OnPlay(editor_->TextForCompile());
    }
}

void MainWindow::PlayOrPause() {
    if (IsStopped()) {
        Play();
    } else {
        session_.playback->OnPauseResume();
    }
}

void MainWindow::LoopSelectedMeasures() {
    if (IsStopped()) {
        session_.playback->OnLoopSelectedMeasures(editor_->TextForCompile(), player_.practiceTempo);
    }
}

// The window

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    session_.playback->OnStop();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    // Several files open the first; a folder or anything else that is not a local file opens nothing.
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) {
        return;
    }
    const QString path = urls.first().toLocalFile();
    if (QFileInfo(path).isDir()) {
        return;
    }
    event->acceptProposedAction();
    if (!MaybeSave()) {
        return;
    }
    if (InterchangeActions::IsImportable(path)) {
        interchange_->ImportFile(path);
    } else {
        LoadFile(path);
    }
}

}  // namespace kaz
