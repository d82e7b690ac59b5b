#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressDialog>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>
#include <optional>

#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/chord_reference_dialog.h"
#include "app/dialogs/fast_input_dialog.h"
#include "app/dialogs/file_dialogs.h"
#include "app/dialogs/interchange_actions.h"
#include "app/dialogs/notation_dialog.h"
#include "app/dialogs/practice_loop_dialog.h"
#include "app/dialogs/style_dialog.h"
#include "app/dialogs/transpose_dialog.h"
#include "app/dialogs/voices_dialog.h"
#include "app/document/chart_document.h"
#include "app/document/file_messages.h"
#include "app/editor/chart_editor.h"
#include "app/editor/chart_highlighter.h"
#include "app/editor/editing_comforts.h"
#include "app/editor/live_checker.h"
#include "app/editor/zoom_control.h"
#include "app/lock_indicators.h"
#include "app/playback/follow_view.h"
#include "app/playback/playback_controller.h"
#include "app/playback/style_list.h"
#include "app/playback/tempo_field.h"
#include "app/playback/transport_bar.h"
#include "app/setting_keys.h"
#include "app/theme.h"
#include "app/view_settings.h"
#include "app/window_command.h"
#include "base/input_file.h"
#include "harmony/spliced_text.h"
#include "language/transpose_score.h"
#include "midi/device/audio_render.h"
#include "midi/midi_file_writer.h"

namespace kaz {

namespace {

//! A menu bar style whose separator divides the items at the left end from those at the right end.
class MenuBarWithRightEnd final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_DrawMenuBarSeparator ? 1 : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

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

MainWindow::MainWindow(Session& session, std::unique_ptr<UserPrompts> prompts)
    : session_(session),
      prompts_(prompts != nullptr ? std::move(prompts)
                                  : std::make_unique<DialogPrompts>(*this, session.noteNames)),
      editor_(new ChartEditor(this)),
      highlighter_(new ChartHighlighter(*editor_)),
      checker_(new LiveChecker(*editor_, session_.compile, this)) {
    setCentralWidget(editor_);
    playback_ = new PlaybackController(session_, *editor_, *prompts_, *this);
    CreateDocument();
    CreateFollowView();
    CreateChartView();
    CreateActions();
    CreateInterchange();
    CreatePlayerActions();
    CreateMenus();
    addToolBar(Qt::TopToolBarArea, &Transport());
    Transport().addWidget(new StyleList(session_.compile.settings.style, &Transport()));
    CreateStatusBar();
    CreateChecking();
    RestoreLayout();
    RestorePlayerSettings();

    // Files dropped anywhere on the window open like File Open; the editor itself takes no drops.
    editor_->setAcceptDrops(false);
    setAcceptDrops(true);
    QList<QKeySequence> editingKeys;
    for (const QAction* command :
         {commands_.undo, comforts_->RedoAction(), commands_.cut, commands_.copy, commands_.paste}) {
        editingKeys << command->shortcuts();
    }
    editor_->LeaveKeysToWindow(editingKeys);
    editor_->setContextMenuPolicy(Qt::ActionsContextMenu);
    editor_->addActions({commands_.undo, commands_.cut, commands_.copy, commands_.paste});
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    editor_->addActions({separator, commands_.loopSelectedMeasures});

    connect(playback_, &PlaybackController::playingChanged, this, [this](bool playing) {
        if (playing) {
            document_->KeepForRecovery();
        }
        UpdateCommandStates();
        followView_->FollowPlayback(playing);
        chart_->FollowPlayback(!playing);
    });
    connect(editor_, &ChartEditor::undoStateChanged, this, &MainWindow::UpdateCommandStates);
    connect(editor_, &ChartEditor::lineTooLong, this, [this] {
        statusBar()->showMessage(tr("A line of a chart is at most %1 characters, so that typing stays quick.")
                                     .arg(kMaxChartLineCharacters),
                                 5000);
    });
    connect(editor_, &QPlainTextEdit::copyAvailable, this, &MainWindow::UpdateCommandStates);
    document_->StartNew();
    UpdateRecentFileActions();
    UpdateCommandStates();
}

MainWindow::~MainWindow() = default;

TransportBar& MainWindow::Transport() const {
    return playback_->Transport();
}

const QString& MainWindow::CurrentFile() const {
    return document_->Path();
}

void MainWindow::RestoreLayout() {
    const QSettings settings = OpenSettings();
    restoreState(settings.value(setting_keys::kWindowState).toByteArray());
    if (!restoreGeometry(settings.value(setting_keys::kWindowGeometry).toByteArray())) {
        const QRect screen = QGuiApplication::primaryScreen() != nullptr
                                 ? QGuiApplication::primaryScreen()->availableGeometry()
                                 : QRect(0, 0, 1024, 768);
        resize(std::max(760, screen.width() * 3 / 4), std::max(520, screen.height() * 3 / 4));
    }
}

void MainWindow::CreateDocument() {
    document_ = new ChartDocument(*editor_, *prompts_, ChartRecovery::DefaultFolder(), this);
    connect(document_, &ChartDocument::notice, this,
            [this](const QString& text) { statusBar()->showMessage(text, 5000); });
    // Opening stops the playback first, so no device stays open with the performance of another text.
    connect(document_, &ChartDocument::aboutToReplace, playback_, [this] {
        playback_->Stop();
        // Another chart: its tempo mark is taken when it is first read.
        playback_->Engine().ForgetTempoMark();
        UpdateTempoNote();
    });
    connect(document_, &ChartDocument::pathChanged, this,
            [this](const QString& path) { setWindowFilePath(path.isEmpty() ? tr("Untitled") : path); });
    connect(document_, &ChartDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(document_, &ChartDocument::opened, this, [this](const QString& path) {
        AddRecentFile(path);
        // Before the window first shows, a message would stand over the idle text instead of replacing it.
        if (isVisible()) {
            statusBar()->showMessage(tr("Opened %1").arg(QFileInfo(path).fileName()), 2000);
        }
    });
    connect(document_, &ChartDocument::saved, this, [this](const QString& path) {
        AddRecentFile(path);
        statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), 2000);
    });
}

QAction* MainWindow::NewAction(const QString& text, const QString& statusTip,
                               const QList<QKeySequence>& shortcuts) {
    return AddWindowCommand(*this, text, statusTip, shortcuts);
}

void MainWindow::CreateActions() {
    Commands& c = commands_;
    c.newChart = NewAction(tr("&New"), tr("Create a new chart"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
    connect(c.newChart, &QAction::triggered, this, &MainWindow::NewChart);
    c.open = NewAction(tr("&Open..."), tr("Open an existing chart"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    connect(c.open, &QAction::triggered, this, &MainWindow::Open);
    c.save = NewAction(tr("&Save"), tr("Save the chart"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    connect(c.save, &QAction::triggered, document_, &ChartDocument::Save);
    c.saveAs = NewAction(tr("Save &As..."), tr("Save the chart with a new name"));
    connect(c.saveAs, &QAction::triggered, document_, &ChartDocument::SaveAs);
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

    c.undo = NewAction(tr("&Undo"), tr("Undo the last change"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    connect(c.undo, &QAction::triggered, editor_, &ChartEditor::UndoLastChange);
    c.cut = NewAction(tr("Cu&t"), tr("Cut the selection and put it on the clipboard"),
                      {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    connect(c.cut, &QAction::triggered, editor_, &QPlainTextEdit::cut);
    c.copy = NewAction(tr("&Copy"), tr("Copy the selection and put it on the clipboard"),
                       {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    connect(c.copy, &QAction::triggered, editor_, &QPlainTextEdit::copy);
    c.paste = NewAction(tr("&Paste"), tr("Insert the clipboard's contents"),
                        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    connect(c.paste, &QAction::triggered, this, &MainWindow::Paste);
    c.transpose =
        NewAction(tr("&Transpose"), tr("Transpose the score"), {QKeySequence(Qt::CTRL | Qt::Key_T)});
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

    const PlaybackController::Commands& transport = playback_->Actions();
    c.play = transport.play;
    c.pause = transport.pause;
    c.stop = transport.stop;
    c.loop = transport.loop;
    c.playOrPause = transport.playOrPause;
    c.loopSelectedMeasures = transport.loopSelectedMeasures;
    c.countIn = transport.countIn;
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
    access.maybeSave = [this] { return document_->MaybeSave(); };
    access.openText = [this](const QString& text) { document_->StartUnsaved(text); };
    access.openFile = [this](const QString& path) { LoadFile(path); };
    access.compile = [this](std::string& text) -> const CompileState* {
        return playback_->CompileChart(text) ? &session_.compile : nullptr;
    };
    access.chartPath = [this] { return document_->Path(); };
    interchange_ = new InterchangeActions(this, std::move(access));
}

void MainWindow::CreatePlayerActions() {
    Commands& c = commands_;
    c.followView = followDock_->toggleViewAction();
    c.followView->setText(tr("&Follow view"));
    c.followView->setStatusTip(
        tr("Show the sounding chord, the next one, the measure and the beat in large type"));
    // Toggled when the view is shown or closed, not when the window closes with it.
    connect(c.followView, &QAction::toggled, this, [](bool shown) { SaveFollowView(shown); });
    connect(c.countIn, &QAction::toggled, this, [](bool on) { SaveCountIn(on); });
    c.practiceLoop = NewAction(tr("&Practice loop..."),
                               tr("Choose how much faster Loop selected measures plays each time round"));
    connect(c.practiceLoop, &QAction::triggered, this, [this] {
        EditPracticeTempo(this, player_.practiceTempo);
        playback_->SetPracticeTempo(player_.practiceTempo);
    });
}

void MainWindow::CreateFollowView() {
    followView_ = new FollowView(
        session_, [this](const SongMap& song) { return playback_->PlaceIn(song); }, this);
    followDock_ = new QDockWidget(tr("Follow view"), this);
    followDock_->setObjectName(QStringLiteral("followView"));
    followDock_->setWidget(followView_);
    addDockWidget(Qt::RightDockWidgetArea, followDock_);
    followDock_->hide();
}

void MainWindow::CreateChartView() {
    chart_ = new ChartFeature(
        *this, session_, *editor_, [this] { return document_->Path(); },
        [this](const SongMap& song) { return playback_->PlaceIn(song); });
    comforts_ = new EditingComforts(*this, *editor_);
    theme_ = new ThemeMenu(*this);
    ZoomControl& zoom = comforts_->Zoom();
    connect(&zoom, &ZoomControl::zoomChanged, chart_, &ChartFeature::SetZoom);
    connect(&chart_->Panel().View(), &ChartView::zoomStepped, &zoom, &ZoomControl::Step);
    chart_->SetZoom(zoom.Percent() / 100.0);
}

void MainWindow::RestorePlayerSettings() {
    player_ = LoadPlayerSettings();
    playback_->SetPracticeTempo(player_.practiceTempo);
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
    tempoNote_ = new QLabel(this);
    tempoNote_->setObjectName(QStringLiteral("tempoNote"));
    tempoNote_->hide();
    statusBar()->addPermanentWidget(tempoNote_);
    connect(playback_, &PlaybackController::tempoChanged, this, &MainWindow::UpdateTempoNote);
    new LockIndicators(*statusBar());
}

void MainWindow::CreateChecking() {
    connect(checker_, &LiveChecker::tempoMarkRead, this, [this](std::optional<std::int32_t> mark) {
        playback_->Engine().TakeTempoMark(mark);
        UpdateTempoNote();
    });
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

void MainWindow::UpdateTempoNote() {
    const PlaybackEngine& engine = playback_->Engine();
    const std::optional<std::int32_t> mark = engine.TempoMarkTaken();
    const bool differs = mark && *mark != engine.State().tempo;
    tempoNote_->setText(differs ? tr("Tempo %1, the chart says %2").arg(engine.State().tempo).arg(*mark)
                                : QString());
    tempoNote_->setVisible(differs);
}

void MainWindow::UpdateCommandStates() {
    const Commands& c = commands_;
    const bool stopped = playback_->IsStopped();
    // A song's text stays as it is while it plays: nothing to check, and no colouring of every line at once.
    checker_->SetPlaying(!stopped);
    highlighter_->HoldRecolouring(!stopped);
    const bool selection = editor_->textCursor().hasSelection();
    // A disabled command does nothing, from its keys and from its menu alike.
    c.exportMidi->setEnabled(stopped);
    c.exportAudio->setEnabled(stopped);
    c.transpose->setEnabled(stopped);
    c.undo->setEnabled(stopped && editor_->CanUndo());
    c.cut->setEnabled(stopped && selection);
    c.copy->setEnabled(selection);
    c.paste->setEnabled(stopped);
    interchange_->SetStopped(stopped);
    comforts_->SetStopped(stopped);
}

// File

void MainWindow::NewChart() {
    if (document_->MaybeSave()) {
        document_->StartNew();
    }
}

void MainWindow::Open() {
    if (!document_->MaybeSave()) {
        return;
    }
    const QString path = prompts_->AskFileName(FileQuestion::Open, StartFolder(document_->Path()));
    if (!path.isEmpty()) {
        LoadFile(path);
    }
}

void MainWindow::OpenRecentFile(int index) {
    const QString path = recentFiles_.Paths().value(index);
    if (path.isEmpty() || !document_->MaybeSave()) {
        return;
    }
    // A chart that is gone leaves the list; one the user chose not to open stays.
    if (!LoadFile(path) && !QFileInfo(path).isReadable()) {
        recentFiles_.Remove(path);
        UpdateRecentFileActions();
    }
}

bool MainWindow::LoadFile(const QString& path) {
    return document_->Load(path);
}

void MainWindow::AddRecentFile(const QString& path) {
    recentFiles_.Add(path);
    UpdateRecentFileActions();
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
    if (!playback_->CompileChart(text)) {
        return;
    }
    const QString path =
        prompts_->AskFileName(FileQuestion::ExportMidi, SuggestedExportPath(document_->Path(), "mid"));
    if (path.isEmpty()) {
        return;
    }
    std::error_code error;
    if (!ExportMidiFile(session_.compile.events, QFile::encodeName(path).toStdString(),
                        FileKinds::RegularOnly, error)) {
        prompts_->Tell(MessageWithCause(tr("Cannot open file `%1` for writing!").arg(path), error),
                       MessageIcon::None);
        return;
    }
    statusBar()->showMessage(tr("Exported %1").arg(QFileInfo(path).fileName()), 3000);
}

void MainWindow::ExportAudio() {
    std::string text;
    if (!playback_->CompileChart(text)) {
        return;
    }
    const QString path =
        prompts_->AskFileName(FileQuestion::ExportAudio, SuggestedExportPath(document_->Path(), "wav"));
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
        error, false, FileKinds::RegularOnly);
    progress.reset();
    if (outcome == RenderOutcome::Failed) {
        prompts_->Tell(tr("Cannot export the audio file `%1`: %2.").arg(path, QString::fromStdString(error)),
                       MessageIcon::Exclamation);
    } else if (outcome == RenderOutcome::Written) {
        statusBar()->showMessage(tr("Exported %1").arg(QFileInfo(path).fileName()), 3000);
    }
}

// Edit

void MainWindow::Paste() {
    if (!interchange_->OfferPastedLink(QGuiApplication::clipboard()->text())) {
        editor_->paste();
    }
}

void MainWindow::Transpose() {
    std::string text;
    if (!playback_->CompileChart(text)) {
        return;
    }
    // The chords are rewritten in a copy of the text, which then replaces the editor's text in one change.
    TextEditor rewrite(std::move(text));
    if (!TransposeCompiledScore(
            session_.compile.score, session_.compile.settings.notation, rewrite,
            [this](NotationMode notation) { return prompts_->ChooseTransposition(notation); })) {
        return;
    }
    const QString before = editor_->Text();
    editor_->ReplaceAllWithoutUndo(document_->EditorText(rewrite.Text()));
    // After the rewrite, whose change notification empties the slot.
    editor_->SetUndoSlot(before);
}

void MainWindow::InsertSnippet(int index) {
    // While a song plays its text is fixed: the highlights point into it. The keys stay enabled, so that
    // they type nothing into the editor instead.
    const QString& snippet = session_.snippets.texts[static_cast<std::size_t>(index)];
    if (playback_->IsStopped() && !snippet.isEmpty()) {
        editor_->ReplaceSelectionWithoutUndo(snippet);
    }
}

// Help

void MainWindow::OpenWebPage(const QString& url) {
    if (!QDesktopServices::openUrl(QUrl(url))) {
        prompts_->Tell(tr("No web browser could be started. The page is %1").arg(url),
                       MessageIcon::Information);
    }
}

// The window

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!document_->MaybeSave()) {
        event->ignore();
        return;
    }
    playback_->Stop();
    QSettings settings = OpenSettings();
    settings.setValue(setting_keys::kWindowGeometry, saveGeometry());
    settings.setValue(setting_keys::kWindowState, saveState());
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back from another program, which may have changed the chart's file.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        document_->CheckOutsideChanges();
    }
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
    if (!document_->MaybeSave()) {
        return;
    }
    if (InterchangeActions::IsImportable(path)) {
        interchange_->ImportFile(path);
    } else {
        LoadFile(path);
    }
}

}  // namespace kaz
