#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "app/main_window.h"
#include "midi/device/system_outputs.h"

namespace {

//! True when a window can be shown: Linux needs an X or Wayland display unless a Qt platform is chosen.
bool HasDisplay() {
#if defined(Q_OS_LINUX)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fputs(
            "kaz: there is no display to show the window on. 'kaz-cli play FILE' plays a chart "
            "without one.\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(kaz::kSettingsOrganisation);
    QApplication::setApplicationName(kaz::kSettingsApplication);
    QApplication::setApplicationDisplayName(QStringLiteral("Kaz"));
    QApplication::setApplicationVersion(QStringLiteral(KAZ_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kaz.png")));

    QCommandLineParser commandLine;
    commandLine.setApplicationDescription(
        QApplication::translate("main", "Kaz, the chord chart editor and player."));
    commandLine.addHelpOption();
    commandLine.addVersionOption();
    commandLine.addPositionalArgument(QStringLiteral("FILE"),
                                      QApplication::translate("main", "The chart to open."));
    commandLine.process(application);

    kaz::Session session;
    kaz::LoadSettings(session.compile.settings.notation, session.snippets);
    session.devices = kaz::EnumerateMidiOutDevices();
    session.makePort = kaz::SystemPortFactory();

    kaz::MainWindow window(session);
    const QStringList files = commandLine.positionalArguments();
    if (!files.isEmpty() && !window.LoadFile(files.first())) {
        return 1;
    }
    window.show();
    return QApplication::exec();
}
