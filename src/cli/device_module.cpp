#include <QCoreApplication>
#include <QLibrary>

#include "cli/cli_common.h"
// The module that this program loads brings RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz::cli {

int RunDeviceCommand(const QStringList& arguments) {
    // Beside the program, where the build and an installation put it.
    QLibrary module(QCoreApplication::applicationDirPath() + "/kaz-cli-devices");
    using Command = int (*)(const QStringList&);
    const auto run = reinterpret_cast<Command>(module.resolve("KazRunDeviceCommand"));
    if (run == nullptr) {
        return UsageError(QStringLiteral("cannot load the device commands: %1").arg(module.errorString()));
    }
    return run(arguments);
}

}  // namespace kaz::cli
