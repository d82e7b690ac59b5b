#include "cli/command_table.h"

#include <algorithm>

#include "base/tempo.h"
#include "render/arrangement_renderer.h"

namespace kaz::cli {

namespace {

using Count = ArgumentSpec::Count;

const ArgumentSpec kChart{"FILE", "The chart, or - for standard input."};

OptionSpec Ranged(std::string name, std::string valueName, std::string description, WholeRange range) {
    return {std::move(name), std::move(valueName), std::move(description), range, {}, false};
}

OptionSpec OneOf(std::string name, std::string valueName, std::string description,
                 std::vector<std::string> values) {
    return {std::move(name), std::move(valueName), std::move(description),
            std::nullopt,    std::move(values),    true};
}

OptionSpec Notation() {
    return OneOf(
        "notation", "NOTATION",
        "How B and H are read where the chart does not tell by its own B, Bb and H: english, german or "
        "mixed (default english).",
        {"english", "german", "mixed"});
}

//! The options of every command that plays a chart, in the order they are read.
std::vector<OptionSpec> ChartOptions() {
    return {
        Notation(),
        Ranged("tempo", "BPM", "The transport tempo, 20..300 (default 120).", {kMinTempo, kMaxTempo}),
        Ranged("chords-program", "PROGRAM", "Instrument of the chord voice, 0..127 (default 26).", {0, 127}),
        Ranged("bass-program", "PROGRAM", "Instrument of the bass voice, 0..127 (default 32).", {0, 127}),
        Ranged("chords-volume", "VOLUME", "Volume of the chord voice, 0..127 (default 80).", {0, 127}),
        Ranged("bass-volume", "VOLUME", "Volume of the bass voice, 0..127 (default 75).", {0, 127}),
        {"no-chords", "", "Leave the chord voice silent.", std::nullopt, {}, false},
        {"no-bass", "", "Leave the bass voice silent.", std::nullopt, {}, false},
        {"style",
         "NAME",
         "The accompaniment style where the chart names none (default the block chords).",
         std::nullopt,
         {},
         false},
        {"seed",
         "NUMBER",
         "Which take of the style's small variations the band plays: the same number always plays the same "
         "performance (default 1).",
         std::nullopt,
         {},
         false},
    };
}

//! How the band plays, as Settings > Style... sets it, for the commands that play the chart.
std::vector<OptionSpec> BandOptions() {
    const std::vector<std::string> parts{"comping", "bass", "guitar", "pad", "drums"};
    return {
        Ranged(
            "drums-volume", "PERCENT",
            "The drums' volume in percent of the style's own, 0..200 (default 100; 0 leaves the drums out).",
            {0, kMostDrumsVolume}),
        {"swing",
         "PERCENT",
         "The share of a beat the first of two eighths takes, in every style: 50..75 (50 plays them even, 67 "
         "as "
         "triplets), or style for each style's own (the default).",
         std::nullopt,
         {"style"},
         false},
        Ranged("human-feel", "PERCENT",
               "How much the band varies the timing and strength of its notes, 0..100 (default 100; 0 plays "
               "every "
               "note exactly on time and as written).",
               {0, kMostFeel}),
        {"mute", "PARTS",
         "Leave these parts silent: comping, bass, guitar, pad or drums, apart by commas (--mute drums).",
         std::nullopt, parts, false},
        {"solo", "PARTS", "Play only these parts (--solo bass).", std::nullopt, parts, false},
        {"volume",
         "PART=VOLUME",
         "A part's volume, 0..127; the drums' in percent of the style's, 0..200 (--volume comping=90). May "
         "be "
         "given for several parts.",
         std::nullopt,
         {},
         false},
        {"pan",
         "PART=PLACE",
         "Where a part stands, 0 (left) to 127 (right), 64 in the middle.",
         std::nullopt,
         {},
         false},
        OneOf("minus-one", "WHO", "Leave out your own instrument to play along: bass, piano or guitar.",
              {"bass", "piano", "guitar"}),
        OneOf("intro", "INTRO",
              "How the band opens a song in a style: none (the default), count-in (a measure of clicks) or "
              "last-four (the song's last four measures, in a song of eight or more).",
              {"none", "count-in", "last-four"}),
    };
}

template <typename... Lists>
std::vector<OptionSpec> Joined(std::vector<OptionSpec> first, Lists... rest) {
    (first.insert(first.end(), rest.begin(), rest.end()), ...);
    return first;
}

std::vector<CommandSpec> BuildCommands() {
    const auto exportOut = [](std::string name) {
        return ArgumentSpec{std::move(name), "The file to write, or - for standard output (the default).",
                            Count::Optional};
    };
    return {
        {"check",
         "say whether charts are valid, and if not where and why",
         "Say whether charts are valid and, if not, where and why; the exit status is the worst of their "
         "results.",
         {{"FILE...", "The charts, or - for standard input.", Count::OneOrMore}},
         Joined(ChartOptions(),
                std::vector<OptionSpec>{
                    {"json",
                     "",
                     "Print the result as one line of JSON on standard output.",
                     std::nullopt,
                     {},
                     false},
                    // Errors always give their column now; the option stays for the scripts that ask for it.
                    {"column",
                     "",
                     "Accepted for older scripts: every error gives its column.",
                     std::nullopt,
                     {},
                     false},
                })},
        {"events",
         "print the performance, one event a line",
         "Print the performance of a chart, one event a line, in playing order.",
         {kChart},
         Joined(ChartOptions(), BandOptions())},
        {"export",
         "write the performance as a Standard MIDI File",
         "Write the performance of a chart as a Standard MIDI File.",
         {kChart,
          {"OUT.mid", "The MIDI file to write, or - for standard output; an existing file is replaced."}},
         Joined(ChartOptions(), BandOptions())},
        {"transpose",
         "print the chart moved by N semitones",
         "Print the chart with every chord root and slash bass moved by N semitones and written with the "
         "chosen sharp or flat names; everything else stays as it is. --shift 0 only respells. A chart with "
         "a [KEY=...] mark, and --to-key, spell every chord by its key instead, and the marks move along.",
         {kChart},
         Joined(ChartOptions(),
                std::vector<OptionSpec>{
                    Ranged("shift", "N", "Semitones to move every chord, -5..6.", {-5, 6}),
                    {"to-key",
                     "KEY",
                     "Move the chart into KEY (E, Eb, F#m, Fis; H or B for B natural) from the key of its "
                     "first [KEY=...] mark, or the key heard from its chords, and spell every chord by key.",
                     std::nullopt,
                     {},
                     false},
                    {"spell",
                     "NAMES",
                     "Comma-separated names among C#, Db, D#, Eb, F#, Gb, G#, Ab, A#, Bb: how those pitch "
                     "classes "
                     "are written. The others are written C#, Eb, F#, Ab, Bb (B and H follow the chart's "
                     "notation).",
                     std::nullopt,
                     {"C#", "Db", "D#", "Eb", "F#", "Gb", "G#", "Ab", "A#", "Bb"},
                     false},
                })},
        {"play",
         "play the chart on a MIDI output or the built-in synthesizer",
         "Play a chart in real time on a MIDI output, by default the built-in synthesizer. Ctrl+C stops.",
         {kChart},
         Joined(
             ChartOptions(), BandOptions(),
             std::vector<OptionSpec>{
                 {"device",
                  "NAME",
                  "The MIDI output to play on ('kaz-cli devices' lists them); default the "
                  "first.",
                  std::nullopt,
                  {},
                  false},
                 {"loop", "", "Start again from the top at the end, until Ctrl+C.", std::nullopt, {}, false},
             }),
         CommandHome::DeviceModule},
        {"devices",
         "list the MIDI outputs, the built-in synthesizer first",
         "List the MIDI outputs 'play --device' can use, one a line, in list order.",
         {},
         {},
         CommandHome::DeviceModule,
         SingleDashWords::Letters},
        {"render",
         "write the performance as audio",
         "Write the performance of a chart as audio through the built-in synthesizer, faster than real time.",
         {kChart,
          {"OUT.wav",
           "The audio file to write: FLAC when it ends in .flac, otherwise WAV; an existing file is "
           "replaced. - writes WAV to standard output."}},
         Joined(ChartOptions(), BandOptions()),
         CommandHome::DeviceModule},
        {"styles",
         "list the accompaniment styles",
         "List the accompaniment styles, and the style files left out and why.",
         {},
         {{"meter",
           "N/D",
           "Only the styles with a pattern of their own for that meter (6/8, 12/8).",
           std::nullopt,
           {},
           false}}},
        {"export-pdf",
         "write the chart, or a set list's songs, as lead sheets in a PDF",
         "Write the chart as a lead sheet in a PDF: a grid of measures with the chord symbols as text, the "
         "title and the instrument at the head of the pages. Given a set list (.kazset), every song of the "
         "set "
         "after a contents page, each in the key and tempo the list gives it.",
         {{"FILE", "The chart, a set list (.kazset), or - for a chart on standard input."},
          {"OUT", "The PDF, or - for standard output."}},
         {{"instrument",
           "INSTRUMENT",
           "Write the chords out for a Bb, Eb or F instrument, or 'key NAME' (e.g. 'key Eb') for the chart "
           "in "
           "another key (default the chart's own #kaz:instrument= line, or concert).",
           std::nullopt,
           {"concert", "Bb", "Eb", "F"},
           false},
          Ranged("capo", "FRET",
                 "Write the chords as the shapes a guitarist fingers with a capo on FRET, 0 for none "
                 "(default the chart's own #kaz:capo= line).",
                 {0, 11}),
          {"numbers",
           "NAMES",
           "Name the chords by their letters, as Roman numerals (ii-V-I) or as Nashville numbers (2-5-1) of "
           "the "
           "key.",
           std::nullopt,
           {"letters", "roman", "nashville"},
           true},
          {"diagrams",
           "KIND",
           "Draw a chord diagram over every chord: for guitar (with the shapes the chart's own #kaz:guitar= "
           "line "
           "chose), ukulele or piano (default none).",
           std::nullopt,
           {"none", "guitar", "ukulele", "piano"},
           true},
          Notation()}},
        {"import",
         "read iReal Pro links, MusicXML or ChordPro as charts",
         "Read the songs of an iReal Pro link (HTML or text), a MusicXML (.musicxml, .xml, .mxl) or a "
         "ChordPro "
         "file as charts: a single song to standard output, or one chart a song into a folder.",
         {{"FILE", "The file to import, or - for standard input."}},
         {{"into", "DIR", "Write one chart a song into DIR, named after its title.", std::nullopt, {}, false},
          {"force", "", "Replace charts in DIR that have the same name.", std::nullopt, {}, false}},
         CommandHome::InterchangeModule},
        {"export-ireal",
         "write the chart as an iReal Pro link",
         "Write the chart as an iReal Pro link in a small HTML page.",
         {kChart, exportOut("OUT.html")},
         {Notation()},
         CommandHome::InterchangeModule},
        {"export-musicxml",
         "write the chart as a MusicXML lead sheet",
         "Write the chart as a MusicXML 4.0 lead sheet: chord symbols over slashes.",
         {kChart, exportOut("OUT.musicxml")},
         {Notation()},
         CommandHome::InterchangeModule},
        {"export-chordpro",
         "write the chart as a ChordPro song",
         "Write the chart as a ChordPro song: the lyric lines with their chords in brackets, the other "
         "measures as chord grids, the sections as verses, choruses and bridges, a capo as the shapes to "
         "finger.",
         {kChart, exportOut("OUT.cho")},
         {Notation()},
         CommandHome::InterchangeModule},
    };
}

}  // namespace

std::span<const CommandSpec> Commands() {
    static const std::vector<CommandSpec> commands = BuildCommands();
    return commands;
}

const CommandSpec* FindCommand(std::string_view name) {
    const std::span<const CommandSpec> commands = Commands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const CommandSpec& command) { return command.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

const OptionSpec* FindOption(const CommandSpec& command, std::string_view name) {
    const auto found = std::find_if(command.options.begin(), command.options.end(),
                                    [&](const OptionSpec& option) { return option.name == name; });
    return found == command.options.end() ? nullptr : &*found;
}

}  // namespace kaz::cli
