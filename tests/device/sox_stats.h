#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace kaz::test {

//! What sox reads in an audio file.
struct SoxStats {
    double seconds = 0.0;
    double rms = 0.0;
    double maximum = 0.0;
};

inline std::string RunForOutput(const std::string& command) {
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

inline double NumberAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    if (at == std::string::npos) {
        return -1.0;
    }
    const std::size_t colon = text.find(':', at);
    return std::stod(text.substr(colon + 1));
}

//! sox's own reading of the file; nothing when sox cannot read it as audio.
inline std::optional<SoxStats> ReadWithSox(const std::string& path) {
    const std::string stat = RunForOutput("sox '" + path + "' -n stat 2>&1");
    if (stat.find("RMS     amplitude") == std::string::npos) {
        return std::nullopt;
    }
    return SoxStats{NumberAfter(stat, "Length (seconds)"), NumberAfter(stat, "RMS     amplitude"),
                    NumberAfter(stat, "Maximum amplitude")};
}

}  // namespace kaz::test
