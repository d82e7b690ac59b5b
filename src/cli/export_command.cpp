#include "cli/cli_common.h"

namespace kaz::cli {

int RunExport(const QStringList&) {
    return UsageError("'export' is not built yet");
}

}  // namespace kaz::cli
