#include "cli/cli_common.h"

namespace kaz::cli {

int RunTranspose(const QStringList&) {
    return UsageError("'transpose' is not built yet");
}

}  // namespace kaz::cli
