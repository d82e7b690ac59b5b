#include "app/application.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QProcess>
#include <QTimer>

#include "app/dialogs/notation_dialog.h"
#include "app/document/chart_document.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "app/end_requests.h"
#include "app/loaded_modules.h"
#include "app/playback/playback_controller.h"
#include "app/playback/transport_bar.h"
#include "base/program.h"

namespace kaz {

namespace {

//! Why the recovery file at file cannot be restored: problem, or that it holds no chart.
QString RecoveryProblem(const QString& file, const QString& problem) {
    return problem.isEmpty()
               ? QApplication::translate("Recovery", "`%1` holds no chart that Kaz can restore.").arg(file)
               : QApplication::translate("Recovery", "The chart kept in `%1` cannot be restored. %2")
                     .arg(file, problem);
}

}  // namespace

void DescribeApplication() {
    QApplication::setOrganizationName(kSettingsOrganisation);
    QApplication::setApplicationName(kSettingsApplication);
    QApplication::setApplicationDisplayName(QStringLiteral("Kaz"));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kaz.png")));
}

void RestoreInAnotherKaz(const QString& file) {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--restore"), file});
}

void OfferRecoveredCharts(MainWindow& window,
                          const std::function<void(const QString& file)>& restoreElsewhere) {
    const std::vector<LeftBehindWork> work = ChartRecovery::LeftBehind(ChartRecovery::DefaultFolder());
    if (work.empty()) {
        return;
    }
    const std::vector<RecoveryAnswer> answers = window.Prompts().ChooseRecoveries(work);
    // The files first: a chart restored below is then the text over a file that is whole again.
    for (std::size_t i = 0; i < work.size(); ++i) {
        QString error;
        if (work[i].kind == LeftBehindWork::Kind::InterruptedSave && answers[i] == RecoveryAnswer::Restore &&
            !ChartRecovery::PutBack(work[i], error)) {
            window.Prompts().Tell(error, MessageIcon::Exclamation);
        }
    }
    window.Document().CheckOutsideChanges();
    for (std::size_t i = 0; i < work.size(); ++i) {
        if (answers[i] == RecoveryAnswer::Discard) {
            ChartRecovery::Forget(work[i]);
        }
        if (work[i].kind != LeftBehindWork::Kind::UnsavedChart || answers[i] != RecoveryAnswer::Restore) {
            continue;
        }
        RecoveredChart chart;
        QString problem;
        if (!ChartRecovery::Read(work[i].file, chart, problem)) {
            window.Prompts().Tell(RecoveryProblem(work[i].file, problem), MessageIcon::Exclamation);
        } else if (window.Document().TakesRestored(chart.path)) {
            window.Document().Restore(chart);
        } else {
            restoreElsewhere(work[i].file);
        }
    }
}

void AskNotationOnce(MainWindow& window, NotationMode& notation) {
    if (!AskForNotationAtStart(QLocale(), NotationStored())) {
        return;
    }
    // Asked once: an answer, or none, is kept, and the setting's default stays without one.
    const NotationMode before = notation;
    notation = window.Prompts().AskNotation(kGermanNotation).value_or(notation);
    SaveNotation(notation);
    if (notation != before) {
        window.Compiler().SettingsChanged();
    }
}

namespace {

//! Lists the machine's outputs once the editor has first painted, and starts loading the built-in
//! synthesizer's sounds for the first Play: the sound libraries then load while the window is already
//! there, instead of before it shows.
class DeviceListAfterFirstPaint final : public QObject {
  public:
    DeviceListAfterFirstPaint(TransportBar& transport, std::shared_ptr<LoadedPorts> ports,
                              QWidget& editorView)
        : QObject(&editorView), transport_(transport), ports_(std::move(ports)) {
        editorView.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                transport_.ShowDevices(ReadMidiOutDevices());
                ports_->LoadAhead();
                deleteLater();
            });
        }
        return false;
    }

  private:
    TransportBar& transport_;
    std::shared_ptr<LoadedPorts> ports_;
};

}  // namespace

std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files, const QString& restore) {
    const QString settingsProblem = SetUpSettingsFile();
    LoadSettings(session.settings.notation, session.snippets);
    session.devices = {std::string(kBuiltInSynthName)};
    // A recording onto a FIFO would hold the window until someone reads it.
    auto ports = std::make_shared<LoadedPorts>(FileKinds::RegularOnly);
    session.makePort = [ports] { return ports->MakePort(); };
    session.portReady = [ports] { return ports->SoundsLoaded(); };
    auto window = std::make_unique<MainWindow>(session);
    // Before a restored chart becomes this run's own: a signal from then on keeps it again.
    new EndRequests(window->Document(), window.get());
    new DeviceListAfterFirstPaint(window->Playback().Transport(), ports, *window->Editor().viewport());
    if (!settingsProblem.isEmpty()) {
        window->Prompts().Tell(settingsProblem, MessageIcon::Exclamation);
    }
    AskNotationOnce(*window, session.settings.notation);
    if (!restore.isEmpty()) {
        RecoveredChart restored;
        QString problem;
        if (ChartRecovery::Read(restore, restored, problem)) {
            window->Document().Restore(restored);
            return window;
        }
        window->Prompts().Tell(RecoveryProblem(restore, problem), MessageIcon::Exclamation);
    }
    if (!files.isEmpty()) {
        // A chart that does not exist yet is a new one that saves under its name.
        if (!QFileInfo::exists(files.first())) {
            window->Document().StartNew(QFileInfo(files.first()).absoluteFilePath());
        } else if (!window->OpenGivenFile(files.first())) {
            return nullptr;
        }
    }
    // Once the window shows: the list is asked over it, not in its place.
    QTimer::singleShot(0, window.get(), [shown = window.get()] { OfferRecoveredCharts(*shown); });
    return window;
}

}  // namespace kaz
