#include "app/application.h"

#include <QApplication>
#include <QIcon>
#include <utility>

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

std::unique_ptr<MainWindow> StartUp(Session& session, const QStringList& files) {
    LoadSettings(session.compile.settings.notation, session.snippets);
    session.devices = EnumerateMidiOutDevices();
    SynthOptions synth = SynthOptionsFromEnvironment();
    // A recording onto a FIFO would hold the window until someone reads it.
    synth.audioFileKinds = FileKinds::RegularOnly;
    session.makePort = SystemPortFactory(std::move(synth));
    auto window = std::make_unique<MainWindow>(session);
    if (!files.isEmpty() && !window->LoadFile(files.first())) {
        return nullptr;
    }
    return window;
}

}  // namespace kaz
