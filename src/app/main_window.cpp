#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QUrl>
#include <optional>

#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/comment_line_edit.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/chord_reference_dialog.h"
#include "app/dialogs/fast_input_dialog.h"
#include "app/dialogs/interchange_actions.h"
#include "app/dialogs/notation_dialog.h"
#include "app/dialogs/performance_exports.h"
#include "app/dialogs/practice_loop_dialog.h"
#include "app/dialogs/style_dialog.h"
#include "app/dialogs/voices_dialog.h"
#include "app/document/chart_document.h"
#include "app/document/chart_file_commands.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "app/editor/chart_highlighter.h"
#include "app/editor/editing_comforts.h"
#include "app/editor/live_checker.h"
#include "app/editor/zoom_control.h"
#include "app/interface_language.h"
#include "app/lock_indicators.h"
#include "app/playback/follow_view.h"
#include "app/playback/playback_controller.h"
#include "app/playback/player_features.h"
#include "app/playback/style_list.h"
#include "app/playback/transport_bar.h"
#include "app/setlist/set_list_feature.h"
#include "app/setting_keys.h"
#include "app/theme.h"
#include "app/view_settings.h"
#include "base/chart_encoding.h"
#include "base/input_file.h"
#include "base/program.h"
#include "chart/capo.h"
#include "chart/notation_line.h"
#include "chart/set_list.h"
#include "harmony/musical_key.h"
#include "language/transpose_score.h"

namespace kaz {

MainWindow::MainWindow(Session& session, std::unique_ptr<UserPrompts> prompts)
    : session_(session),
      prompts_(prompts != nullptr ? std::move(prompts)
                                  : std::make_unique<DialogPrompts>(*this, session.noteNames)),
      editor_(new ChartEditor(this)),
      compiler_(new ChartCompiler(*editor_, session_.settings, this)),
      highlighter_(new ChartHighlighter(*editor_)),
      checker_(new LiveChecker(*editor_, *compiler_, this)) {
    setCentralWidget(editor_);
    playback_ = new PlaybackController(session_, *editor_, *compiler_, *prompts_, *this);
    connect(playback_, &PlaybackController::notice, this,
            [this](const QString& text) { statusBar()->showMessage(text, 5000); });
    CreateDocument();
    player_ = new PlayerFeatures(*this, *playback_);
    CreateChartView();
    CreateSetList();
    CreateCommands();
    CreateMenus(*menuBar(), commands_,
                {interchange_->importSongs,
                 chart_->ExportPdfAction(),
                 interchange_->exportIreal,
                 interchange_->exportMusicXml,
                 interchange_->exportChordPro,
                 setList_->OpenAction(),
                 setList_->ViewAction(),
                 chart_->PrintAction(),
                 comforts_->RedoAction(),
                 comforts_->FindAction(),
                 comforts_->ReplaceAction(),
                 comforts_->FindNextAction(),
                 chart_->ChartViewAction(),
                 chart_->CapoAction(),
                 chart_->NumbersMenu(),
                 chart_->DiagramsMenu(),
                 comforts_->Zoom().ZoomInAction(),
                 comforts_->Zoom().ZoomOutAction(),
                 comforts_->Zoom().ActualSizeAction(),
                 theme_->Menu(),
                 language_->Menu()});
    addToolBar(Qt::TopToolBarArea, &Transport());
    auto* styles = new StyleList(session_.settings, &Transport());
    Transport().addWidget(styles);
    connect(styles, &QComboBox::currentIndexChanged, this, &MainWindow::SettingsChanged);
    connect(compiler_, &ChartCompiler::compiled, styles, [this, styles] {
        const ScoreTree& score = compiler_->Latest()->chart->score;
        if (!score.measureSlots.empty()) {
            styles->OfferForMeter(score.measureSlots[0]->meterNum, score.measureSlots[0]->meterDen);
        }
    });
    CreateStatusBar();
    CreateChecking();
    RestoreLayout();
    player_->RestoreSettings();
    SetUpEditor();

    connect(playback_, &PlaybackController::playingChanged, this, [this](bool playing) {
        if (playing) {
            document_->KeepForRecovery();
        }
        UpdateCommandStates();
        player_->Follow().FollowPlayback(playing);
        chart_->FollowPlayback(!playing);
    });
    connect(playback_, &PlaybackController::editingChanged, this, &MainWindow::UpdateCommandStates);
    connect(editor_, &ChartEditor::undoStateChanged, this, &MainWindow::UpdateCommandStates);
    connect(editor_, &ChartEditor::lineTooLong, this, [this] {
        statusBar()->showMessage(tr("A line of a chart is at most %1 characters, so that typing stays quick.")
                                     .arg(kMaxChartLineCharacters),
                                 5000);
    });
    connect(editor_, &QPlainTextEdit::copyAvailable, this, &MainWindow::UpdateCommandStates);
    document_->StartNew();
    UpdateCommandStates();
}

MainWindow::~MainWindow() = default;

TransportBar& MainWindow::Transport() const {
    return playback_->Transport();
}

FollowView& MainWindow::Follow() const {
    return player_->Follow();
}

const QString& MainWindow::CurrentFile() const {
    return document_->Path();
}

bool MainWindow::LoadFile(const QString& path) {
    return document_->Load(path);
}

bool MainWindow::OpenGivenFile(const QString& path) {
    if (IsSetListFile(QFile::encodeName(path).toStdString())) {
        return setList_->Open(path);
    }
    return InterchangeActions::IsSongFile(path) ? interchange_->ImportFile(path) : LoadFile(path);
}

void MainWindow::CreateSetList() {
    setList_ = new SetListFeature(*this, *prompts_);
    connect(setList_, &SetListFeature::songChosen, this, &MainWindow::OpenSetSong);
    connect(setList_, &SetListFeature::printRequested, this,
            [this](const QString& path, const SetList& list) {
                std::vector<ChordDiagramBook> diagrams(list.songs.size());
                chart_->PrintSet(QString::fromStdString(list.title), SetSheets(path, list, diagrams));
            });
    connect(setList_, &SetListFeature::exportPdfRequested, this,
            [this](const QString& path, const SetList& list, const QString& pdf) {
                std::vector<ChordDiagramBook> diagrams(list.songs.size());
                chart_->WriteSetPdfFile(pdf, QString::fromStdString(list.title),
                                        SetSheets(path, list, diagrams));
            });
    connect(playback_, &PlaybackController::songEnded, setList_, &SetListFeature::SongEnded);
    // A chart opened otherwise is shown and played as it is written.
    connect(document_, &ChartDocument::aboutToReplace, this, [this] {
        chart_->Panel().View().SetSetKey(std::nullopt);
        playback_->Engine().SetKeyShift(0);
    });
}

std::vector<SetSheet> MainWindow::SetSheets(const QString& listPath, const SetList& list,
                                            std::vector<ChordDiagramBook>& diagrams) const {
    std::vector<SetSheet> sheets;
    const ChartView& view = chart_->Panel().View();
    for (std::size_t i = 0; i < list.songs.size(); ++i) {
        const SetListSong& song = list.songs[i];
        const std::string path = SongPath(QFile::encodeName(listPath).toStdString(), song);
        const InputFile input = ReadWholeFile(path, kMaxChartBytes, FileKinds::RegularOnly);
        if (!input.Read()) {
            continue;
        }
        const std::string text = DecodeChartBytes(input.bytes).text;
        SetSheetRequest request;
        request.options.settings = session_.settings;
        request.part = {InstrumentOfChart(text), CapoOfChart(text), view.Part().numbers};
        request.song = &song;
        request.tempo = song.tempo;
        request.diagrams = view.Diagrams().Kind();
        request.fallbackTitle = QFileInfo(QFile::decodeName(path.c_str())).completeBaseName();
        SetSheet sheet;
        if (SheetOfChart(text, request, sheet, diagrams[i])) {
            sheets.push_back(std::move(sheet));
        }
    }
    return sheets;
}

void MainWindow::OpenSetSong(const QString& path, const SetListSong& song, bool play) {
    if (!document_->MaybeSave() || !LoadFile(path)) {
        return;
    }
    const std::shared_ptr<const ChartCompile> compile = playback_->CompileForCommand();
    if (compile == nullptr) {
        return;
    }
    const ScoreTree& score = compile->chart->score;
    const MusicalKey key = KeyOfScore(score);
    chart_->Panel().View().SetSetKey(song.key ? std::optional(SetListInstrument(song, key, {}).keyTonic)
                                              : std::nullopt);
    playback_->Engine().SetKeyShift(SetListShift(song, key));
    // The chart's own tempo mark is taken now, so that the set's tempo holds over it like one the user chose.
    playback_->TakeTempoMark(score.tempoGiven ? std::optional(score.scoreTempo) : std::nullopt);
    if (song.tempo > 0) {
        Transport().Tempo().setValue(song.tempo);
    }
    if (play) {
        playback_->Actions().play->trigger();
    }
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
        playback_->ForgetTempoMark();
        player_->UpdateTempoNote();
    });
    connect(document_, &ChartDocument::pathChanged, this, &MainWindow::UpdateTitle);
    connect(document_, &ChartDocument::recoveryChanged, this, [this](bool kept, const QString& error) {
        keptForRecovery_ = kept;
        UpdateTitle();
        statusBar()->showMessage(
            kept ? tr("Unsaved changes are kept for recovery again")
                 : tr("Unsaved changes cannot be kept for recovery in %1. Save the chart to keep them.")
                       .arg(error),
            kept ? 5000 : 20000);
    });
    connect(document_, &ChartDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(document_, &ChartDocument::opened, this, [this](const QString& path) {
        // Before the window first shows, a message would stand over the idle text instead of replacing it.
        if (isVisible()) {
            statusBar()->showMessage(tr("Opened %1").arg(QFileInfo(path).fileName()), 2000);
        }
    });
    connect(document_, &ChartDocument::saved, this, [this](const QString& path) {
        statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), 2000);
    });
}

void MainWindow::UpdateTitle() {
    const QString& path = document_->Path();
    setWindowFilePath(path.isEmpty() ? tr("Untitled") : path);
    // Where the unsaved changes are not safe, the title says so for as long as that lasts.
    setWindowTitle(keptForRecovery_ ? QString()
                                    : tr("%1[*] (not kept for recovery)").arg(document_->DisplayName()));
}

void MainWindow::CreateCommands() {
    Commands& c = commands_;
    CreateWindowCommands(*this, c);
    new ChartFileCommands(*document_, *prompts_, *c.newChart, *c.open, c.recentFiles, this);
    connect(c.save, &QAction::triggered, document_, &ChartDocument::Save);
    connect(c.saveAs, &QAction::triggered, document_, &ChartDocument::SaveAs);
    connect(c.exit, &QAction::triggered, this, &QWidget::close);
    connect(c.undo, &QAction::triggered, editor_, &ChartEditor::UndoLastChange);
    connect(c.cut, &QAction::triggered, editor_, &QPlainTextEdit::cut);
    connect(c.copy, &QAction::triggered, editor_, &QPlainTextEdit::copy);
    connect(c.paste, &QAction::triggered, this, &MainWindow::Paste);
    connect(c.transpose, &QAction::triggered, this, &MainWindow::Transpose);
    connect(c.chordReference, &QAction::triggered, this, [this] { ShowChordReference(this); });
    connect(c.voices, &QAction::triggered, this, [this] {
        EditVoices(this, session_.settings.parts);
        SettingsChanged();
    });
    connect(c.styleSettings, &QAction::triggered, this, [this] {
        EditStyleSettings(this, session_.settings);
        SettingsChanged();
    });
    connect(c.notation, &QAction::triggered, this, &MainWindow::ChooseNotation);
    connect(c.fastInput, &QAction::triggered, this, [this] { EditFastInput(this, session_.snippets); });
    connect(c.about, &QAction::triggered, this, [this] { ShowAbout(this); });
    connect(c.homepage, &QAction::triggered, this, [this] { OpenWebPage(QString::fromUtf8(kHomePageUrl)); });
    connect(c.makerSite, &QAction::triggered, this,
            [this] { OpenWebPage(QString::fromUtf8(kMakerSiteUrl)); });
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        connect(c.snippets[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { InsertSnippet(i); });
    }

    const PlaybackController::Commands& transport = playback_->Actions();
    c.play = transport.play;
    c.pause = transport.pause;
    c.stop = transport.stop;
    c.loop = transport.loop;
    c.playOrPause = transport.playOrPause;
    c.loopSelectedMeasures = transport.loopSelectedMeasures;
    c.countIn = transport.countIn;
    c.editWhilePlaying = transport.editWhilePlaying;
    c.followView = player_->FollowViewAction();
    player_->CreateMixer(*editor_, session_.settings);
    c.mixer = player_->MixerAction();
    c.practiceLoop = player_->PracticeLoopAction();
    connect(c.practiceLoop, &QAction::triggered, this, [this] {
        EditPracticeTempo(this, player_->Practice());
        player_->ApplyPracticeTempo();
    });
    CreateExports();
}

void MainWindow::CreateExports() {
    ChartWindowAccess access;
    access.maybeSave = [this] { return document_->MaybeSave(); };
    access.openSetList = [this](const QString& path) { setList_->Open(path); };
    access.openText = [this](const QString& text) { document_->StartUnsaved(text); };
    access.openFile = [this](const QString& path) { LoadFile(path); };
    access.compile = [this]() -> std::shared_ptr<const CompiledChart> {
        const std::shared_ptr<const ChartCompile> compile = playback_->CompileForCommand();
        return compile != nullptr ? compile->chart : nullptr;
    };
    access.chartPath = [this] { return document_->Path(); };
    access.styles = [this] { return session_.settings.style.library; };
    auto* exports =
        new PerformanceExports(*this, *prompts_, access, *commands_.exportMidi, *commands_.exportAudio);
    connect(exports, &PerformanceExports::exported, this,
            [this](const QString& text) { statusBar()->showMessage(text, 3000); });
    interchange_ = new InterchangeActions(this, *prompts_, std::move(access));
}

void MainWindow::CreateChartView() {
    chart_ = new ChartFeature(
        *this, *prompts_, *compiler_, *editor_, [this] { return document_->Path(); },
        [this] { return playback_->Now(); });
    // The view shows nothing of the chart before: a new chart with a mistake must not look like the old one.
    connect(document_, &ChartDocument::aboutToReplace, chart_, &ChartFeature::ForgetChart);
    comforts_ = new EditingComforts(*this, *editor_);
    theme_ = new ThemeMenu(*this);
    language_ = new LanguageMenu(*this);
    ZoomControl& zoom = comforts_->Zoom();
    connect(&zoom, &ZoomControl::zoomChanged, chart_, &ChartFeature::SetZoom);
    connect(&chart_->Panel().View(), &ChartView::zoomStepped, &zoom, &ZoomControl::Step);
    chart_->SetZoom(zoom.Percent() / 100.0);
}

void MainWindow::CreateStatusBar() {
    // Shown whenever no command's prompt is.
    statusBar()->addWidget(new QLabel(tr("Ready"), this), 1);
    // A pane of its own, which the commands' prompts leave in place; it takes what room a long report needs
    // without widening the window.
    checkReport_ = new QLabel(this);
    checkReport_->setObjectName(QStringLiteral("checkReport"));
    checkReport_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    checkReport_->hide();
    statusBar()->addPermanentWidget(checkReport_, 4);
    statusBar()->addPermanentWidget(player_->TempoNote());
    new LockIndicators(*statusBar());
}

void MainWindow::CreateChecking() {
    connect(checker_, &LiveChecker::tempoMarkRead, this, [this](std::optional<std::int32_t> mark) {
        playback_->TakeTempoMark(mark);
        player_->UpdateTempoNote();
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

void MainWindow::SetUpEditor() {
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
}

void MainWindow::UpdateCommandStates() {
    const Commands& c = commands_;
    // While a song plays, no colouring of every line at once.
    highlighter_->HoldRecolouring(!playback_->IsStopped());
    const bool editable = playback_->TextEditable();
    const bool selection = editor_->textCursor().hasSelection();
    // A disabled command does nothing, from its keys and from its menu alike.
    c.exportMidi->setEnabled(editable);
    c.exportAudio->setEnabled(editable);
    c.transpose->setEnabled(editable);
    c.undo->setEnabled(editable && editor_->CanUndo());
    c.cut->setEnabled(editable && selection);
    c.copy->setEnabled(selection);
    c.paste->setEnabled(editable);
    interchange_->SetEditable(editable);
    comforts_->SetEditable(editable);
    chart_->SetEditable(editable);
}

void MainWindow::SettingsChanged() {
    compiler_->SettingsChanged();
}

void MainWindow::Paste() {
    if (!interchange_->OfferPastedLink(QGuiApplication::clipboard()->text())) {
        editor_->paste();
    }
}

void MainWindow::Transpose() {
    const std::shared_ptr<const ChartCompile> compile = playback_->CompileForCommand();
    if (compile == nullptr) {
        return;
    }
    // The chords are rewritten in a copy of the text, which then replaces the editor's text in one change.
    const Transposition transposition = TransposeChart(*compile->chart, [this](const TransposeOffer& offer) {
        return prompts_->ChooseTransposition(offer);
    });
    if (transposition.outcome != TransposeOutcome::Transposed) {
        return;
    }
    const QString before = editor_->Text();
    editor_->ReplaceAllWithoutUndo(document_->EditorText(transposition.text));
    // After the rewrite, whose change notification empties the slot.
    editor_->SetUndoSlot(before);
}

void MainWindow::ChooseNotation() {
    const std::string text = editor_->Text().toStdString();
    const std::optional<NotationMode> kept = NotationOfChart(text);
    std::optional<NotationMode> chart = kept;
    const NotationMode setting = session_.settings.notation;
    if (!EditNotation(this, session_.settings.notation, chart)) {
        return;
    }
    if (session_.settings.notation != setting) {
        SettingsChanged();
    }
    // The chart's own notation is a line of its text: writing it compiles the chart again.
    if (chart != kept && !editor_->isReadOnly()) {
        ApplyToEditor(*editor_, text, NotationLineChange(text, chart));
    }
}

void MainWindow::InsertSnippet(int index) {
    // While a song plays its text is fixed unless Edit while playing is on. The keys stay enabled, so that
    // they type nothing into the editor instead.
    const QString& snippet = session_.snippets.texts[static_cast<std::size_t>(index)];
    if (playback_->TextEditable() && !snippet.isEmpty()) {
        editor_->ReplaceSelectionWithoutUndo(snippet);
    }
}

void MainWindow::OpenWebPage(const QString& url) {
    if (!QDesktopServices::openUrl(QUrl(url))) {
        prompts_->Tell(tr("No web browser could be started. The page is %1").arg(url),
                       MessageIcon::Information);
    }
}

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
    OpenGivenFile(path);
}

}  // namespace kaz
