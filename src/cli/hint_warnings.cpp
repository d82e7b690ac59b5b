#include "cli/hint_warnings.h"

#include <string>

namespace kaz::cli {

void PrintHintWarnings(std::string_view chartName, const CompileResult& result, std::FILE* out) {
    for (const LanguageHint& hint : result.hints) {
        const std::string line = std::string(chartName) + ":" + std::to_string(hint.line) +
                                 ": warning: " + hint.message + ": `" + hint.text + "`\n";
        std::fwrite(line.data(), 1, line.size(), out);
    }
}

}  // namespace kaz::cli
