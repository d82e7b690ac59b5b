// Feeds arbitrary bytes to the compiler: every input must end accepted or in exactly one error or fault, and
// an error must select text inside the chart.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "language/compile_score.h"

namespace {

//! Whether the result says one thing only: nothing for an accepted chart or one that sounds no note, the
//! error alone for a language error, the fault alone for a fault.
bool SaysOneThing(const kaz::CompileResult& result) {
    const bool error = !result.error.message.empty();
    const bool fault = !result.fault.empty();
    switch (result.outcome) {
        case kaz::CompileOutcome::Accepted:
        case kaz::CompileOutcome::NothingToPlay:
            return !error && !fault;
        case kaz::CompileOutcome::LanguageError:
            return error && !fault;
        case kaz::CompileOutcome::Fault:
            return fault && !error;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::shared_ptr<const kaz::CompiledChart> chart =
        kaz::Compile(std::string(reinterpret_cast<const char*>(data), size));
    const kaz::CompileResult& result = chart->result;
    if (!SaysOneThing(result)) {
        std::abort();
    }
    const kaz::TextRange selection = result.error.selection;
    if (selection.start < 0 || selection.end < selection.start || selection.end > static_cast<int>(size)) {
        std::abort();
    }
    return 0;
}
