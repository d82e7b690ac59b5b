#pragma once

#include <memory>
#include <string_view>

#include "interchange/chart_text_reader.h"
#include "style/style_library.h"

namespace kaz::test {

inline std::shared_ptr<const StyleLibrary> SourceStylesForTest() {
    static const auto library = std::make_shared<const StyleLibrary>(LoadStyles({KAZ_STYLES}));
    return library;
}

//! A chart compiled as kaz-cli compiles it, with the styles of the source tree.
inline std::shared_ptr<const CompiledChart> CompileForTest(std::string_view text) {
    CompileOptions options;
    options.settings.style.library = SourceStylesForTest();
    return Compile(std::string(text), options);
}

//! The notes, tempi and meters a chart plays, one event a line; empty when it does not compile.
inline std::string PlayedNotesForTest(std::string_view text) {
    const std::shared_ptr<const CompiledChart> compiled = CompileForTest(text);
    if (!compiled->Accepted()) {
        return {};
    }
    std::string notes;
    for (std::size_t i = 0; i < compiled->performance.size(); ++i) {
        const MidiEvent& event = compiled->performance[i];
        if (event.kind == EventKind::NoteOn || event.kind == EventKind::NoteOff ||
            event.kind == EventKind::Tempo || event.kind == EventKind::TimeSignature) {
            AppendEventLine(notes, event);
        }
    }
    return notes;
}

//! A chart compiled as kaz-cli compiles it, with the styles of the source tree, and read as the exports read
//! it; an error when it does not compile.
inline ChartReading ReadChartForTest(std::string_view text) {
    const std::shared_ptr<const CompiledChart> compiled = CompileForTest(text);
    const CompileResult& result = compiled->result;
    if (!result.Accepted()) {
        ChartReading reading;
        reading.error = result.error.message + ": `" + result.error.text + "`";
        return reading;
    }
    return ReadCompiledChart(*compiled);
}

}  // namespace kaz::test
