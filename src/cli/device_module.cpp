#include <QCoreApplication>
#include <QLibrary>

#include "cli/cli_common.h"
// The module that this program loads brings RtMidi along.
#include "midi/device/leak_suppressions.h"

namespace kaz::cli {

int RunDeviceCommand(const QStringList& arguments) {
    // Beside the program in the build, in the library folder of an installation.
    const QString folder = QCoreApplication::applicationDirPath();
    QLibrary module(folder + "/kaz-cli-devices");
    if (!module.load()) {
        module.setFileName(folder + "/" KAZ_CLI_MODULE_DIR "/kaz-cli-devices");
    }
    using Command = int (*)(const QStringList&);
    const auto run = reinterpret_cast<Command>(module.resolve("KazRunDeviceCommand"));
    if (run == nullptr) {
        return UsageError(QStringLiteral("cannot load the device commands: %1").arg(module.errorString()));
    }
    return run(arguments);
}

}  // namespace kaz::cli
