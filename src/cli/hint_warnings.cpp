#include "cli/hint_warnings.h"

#include <string>

namespace kaz::cli {

void PrintHintWarnings(const ChartInput& chart, const CompileResult& result, std::FILE* out) {
    for (const LanguageHint& hint : result.hints) {
        const std::string line = DiagnosticPlace(chart, hint.line, hint.selection.start) +
                                 ": warning: " + hint.message + ": `" + QuotedChartText(chart, hint.text) +
                                 "`\n";
        std::fwrite(line.data(), 1, line.size(), out);
    }
}

}  // namespace kaz::cli
