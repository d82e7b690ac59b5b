#include "app/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <utility>

#include "app/document/chart_document.h"
#include "base/program.h"
#include "midi/device/system_outputs.h"

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

std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files, const QString& restore) {
    const QString settingsProblem = SetUpSettingsFile();
    LoadSettings(session.compile.settings.notation, session.snippets);
    session.devices = EnumerateMidiOutDevices();
    SynthOptions synth = SynthOptionsFromEnvironment();
    // A recording onto a FIFO would hold the window until someone reads it.
    synth.audioFileKinds = FileKinds::RegularOnly;
    session.makePort = SystemPortFactory(std::move(synth));
    auto window = std::make_unique<MainWindow>(session);
    if (!settingsProblem.isEmpty()) {
        window->Prompts().Tell(settingsProblem, MessageIcon::Exclamation);
    }
    RecoveredChart restored;
    if (!restore.isEmpty() && ChartRecovery::Read(restore, restored)) {
        window->Document().Restore(restored);
        return window;
    }
    if (!files.isEmpty()) {
        // A chart that does not exist yet is a new one that saves under its name.
        if (!QFileInfo::exists(files.first())) {
            window->Document().StartNew(QFileInfo(files.first()).absoluteFilePath());
        } else if (!window->LoadFile(files.first())) {
            return nullptr;
        }
    }
    OfferRecoveredCharts(*window, files.isEmpty());
    return window;
}

}  // namespace kaz
