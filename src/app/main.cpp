#include <QApplication>

#include "app/session.h"
#include "midi/device/system_outputs.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    kaz::Session session;
    kaz::LoadSettings(session.compile.settings.notation, session.snippets);
    session.devices = kaz::EnumerateMidiOutDevices();
    session.makePort = kaz::SystemPortFactory();
    return 0;
}
