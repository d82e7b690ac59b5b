// The entry of the device module: the commands that play, list or render through the MIDI and audio devices.
#include <QtGlobal>

#include "cli/cli_common.h"

extern "C" Q_DECL_EXPORT int KazRunDeviceCommand(const QStringList& arguments) {
    const QString& command = arguments.first();
    if (command == "play") {
        return kaz::cli::RunPlay(arguments);
    }
    if (command == "devices") {
        return kaz::cli::RunDevices(arguments);
    }
    return kaz::cli::RunRender(arguments);
}
