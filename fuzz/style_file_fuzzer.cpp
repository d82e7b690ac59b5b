// Feeds arbitrary bytes to the style file reader: every input must end in a style or in its problems, never
// in a crash or a hang.
#include <cstdint>
#include <string_view>

#include "style/style_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    [[maybe_unused]] const kaz::StyleReading reading = kaz::ParseStyle(text, "fuzzed.style");
    return 0;
}
