#include "cli/cli_common.h"

namespace kaz::cli {

int RunEvents(const QStringList&) {
    return UsageError("'events' is not built yet");
}

}  // namespace kaz::cli
