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
#include "app/editor/chart_editor.h"
#include "app/loaded_modules.h"
#include "app/playback/playback_controller.h"
#include "app/playback/transport_bar.h"
#include "base/program.h"

namespace kaz {

void DescribeApplication() {
    QApplication::setOrganizationName(kSettingsOrganisation);
    QApplication::setApplicationName(kSettingsApplication);
    QApplication::setApplicationDisplayName(QStringLiteral("Kaz"));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kaz.png")));
}

void OfferRecoveredCharts(MainWindow& window, bool windowIsFree) {
    for (const RecoveredChart& chart : ChartRecovery::LeftBehind(ChartRecovery::DefaultFolder())) {
        switch (window.Prompts().AskRestore(chart)) {
            case RecoveryAnswer::Restore:
                if (windowIsFree) {
                    window.Document().Restore(chart);
                    windowIsFree = false;
                } else {
                    QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                            {QStringLiteral("--restore"), chart.file});
                }
                break;
            case RecoveryAnswer::Discard:
                ChartRecovery::Forget(chart);
                break;
            case RecoveryAnswer::Later:
                break;
        }
    }
}

void AskNotationOnce(MainWindow& window, NotationMode& notation) {
    if (!AskForNotationAtStart(QLocale(), NotationStored())) {
        return;
    }
    // Asked once: an answer, or none, is kept, and the setting's default stays without one.
    notation = window.Prompts().AskNotation(kGermanNotation).value_or(notation);
    SaveNotation(notation);
}

namespace {

//! Lists the machine's outputs once the editor has first painted: the sound libraries then load while the
//! window is already there, instead of before it shows.
class DeviceListAfterFirstPaint final : public QObject {
  public:
    DeviceListAfterFirstPaint(TransportBar& transport, QWidget& editorView)
        : QObject(&editorView), transport_(transport) {
        editorView.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                transport_.ShowDevices(ReadMidiOutDevices());
                deleteLater();
            });
        }
        return false;
    }

  private:
    TransportBar& transport_;
};

}  // namespace

std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files, const QString& restore) {
    const QString settingsProblem = SetUpSettingsFile();
    LoadSettings(session.compile.settings.notation, session.snippets);
    session.devices = {std::string(kBuiltInSynthName)};
    // A recording onto a FIFO would hold the window until someone reads it.
    session.makePort = LoadedPortFactory(FileKinds::RegularOnly);
    auto window = std::make_unique<MainWindow>(session);
    new DeviceListAfterFirstPaint(window->Playback().Transport(), *window->Editor().viewport());
    if (!settingsProblem.isEmpty()) {
        window->Prompts().Tell(settingsProblem, MessageIcon::Exclamation);
    }
    AskNotationOnce(*window, session.compile.settings.notation);
    RecoveredChart restored;
    if (!restore.isEmpty() && ChartRecovery::Read(restore, restored)) {
        window->Document().Restore(restored);
        return window;
    }
    if (!files.isEmpty()) {
        // A chart that does not exist yet is a new one that saves under its name.
        if (!QFileInfo::exists(files.first())) {
            window->Document().StartNew(QFileInfo(files.first()).absoluteFilePath());
        } else if (!window->OpenGivenFile(files.first())) {
            return nullptr;
        }
    }
    OfferRecoveredCharts(*window, files.isEmpty());
    return window;
}

}  // namespace kaz
