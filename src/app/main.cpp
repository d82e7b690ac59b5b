#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "app/application.h"
#include "app/interface_language.h"

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
            "kaz: there is no display to show the window on; 'kaz-cli play FILE' plays a chart "
            "without one.\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
    kaz::DescribeApplication();
    const kaz::InterfaceTranslation translation(kaz::LoadInterfaceLanguage());
    QCommandLineParser commandLine;
    commandLine.setApplicationDescription(
        QApplication::translate("main", "Kaz, the chord chart editor and player."));
    commandLine.addHelpOption();
    commandLine.addVersionOption();
    commandLine.addPositionalArgument(QStringLiteral("FILE"),
                                      QApplication::translate("main", "The chart to open."));
    const QCommandLineOption restore(
        QStringLiteral("restore"), QApplication::translate("main", "Restore the unsaved chart kept in FILE."),
        QStringLiteral("FILE"));
    commandLine.addOption(restore);
    commandLine.process(application);

    kaz::Session session;
    const std::unique_ptr<kaz::MainWindow> window =
        kaz::StartUp(session, commandLine.positionalArguments(), commandLine.value(restore));
    if (window == nullptr) {
        return 1;
    }
    window->show();
    return QApplication::exec();
}
