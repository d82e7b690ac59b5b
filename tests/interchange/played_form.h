#pragma once

#include <set>
#include <string>
#include <string_view>

#include "interchange/chart_reading.h"
#include "interchange/chart_text_writer.h"
#include "interchange/lead_sheet.h"

namespace kaz::test {

//! The measures a chart plays, in the order played, each as the chords it plays ("Cmaj7 | D7 G7 | -"); or
//! why it does not compile.
inline std::string PlayedFormForTest(std::string_view text) {
    CompileOptions options;
    options.settings.style.library = SourceStylesForTest();
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(text), options);
    if (const CompileResult& result = compiled->result; !result.Accepted()) {
        return "does not compile: " + result.error.message + " `" + result.error.text + "`";
    }
    std::string form;
    for (const PlayedMeasure& played : compiled->score.playOrder) {
        std::string chords;
        for (const Chord* chord : compiled->score.Slot(played).source->chords) {
            chords += (chords.empty() ? "" : " ") + std::string(chord->text());
        }
        form += (form.empty() ? "" : " | ") + (chords.empty() ? std::string("-") : chords);
    }
    return form;
}

//! The same for the first song of an import, written as its chart.
inline std::string PlayedFormForTest(const ImportedSongs& songs) {
    if (!songs.Read() || songs.songs.empty()) {
        return "not read: " + songs.error.English();
    }
    return PlayedFormForTest(WriteChartText(songs.songs.front()));
}

//! The pitch classes, 0 for C, of every note a chart sounds; empty when it does not compile.
inline std::set<int> SoundedPitchClassesForTest(std::string_view text) {
    const std::shared_ptr<const CompiledChart> compiled = Compile(std::string(text));
    if (!compiled->Accepted()) {
        return {};
    }
    const EventList& events = compiled->performance;
    std::set<int> pitches;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind == EventKind::NoteOn) {
            pitches.insert(events[i].key() % 12);
        }
    }
    return pitches;
}

}  // namespace kaz::test
