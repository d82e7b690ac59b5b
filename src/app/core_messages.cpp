#include "app/core_messages.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <iterator>

namespace kaz {

namespace {

//! Every pattern of the core's messages that the window tells, for lupdate to collect: the language's
//! errors, the check's hints and the import's remarks. A pattern missing here is told in English.
constexpr const char* kCorePatterns[] = {
    // The chart's mistakes.
    QT_TRANSLATE_NOOP("CoreMessages", "Nothing to play"),
    QT_TRANSLATE_NOOP("CoreMessages", "Unexpected symbol"),
    QT_TRANSLATE_NOOP("CoreMessages", "Unknown chord"),
    QT_TRANSLATE_NOOP("CoreMessages", "B/Bb/H ambiguity"),
    QT_TRANSLATE_NOOP("CoreMessages", "Unknown style"),
    QT_TRANSLATE_NOOP("CoreMessages", "Multiple meter"),
    QT_TRANSLATE_NOOP("CoreMessages", "Invalid meter"),
    QT_TRANSLATE_NOOP("CoreMessages", "Multiple tempo"),
    QT_TRANSLATE_NOOP("CoreMessages", "Invalid tempo"),
    QT_TRANSLATE_NOOP("CoreMessages", "Invalid ending"),
    QT_TRANSLATE_NOOP("CoreMessages", "Invalid repeat count"),
    QT_TRANSLATE_NOOP("CoreMessages", "No measure before this mark"),
    QT_TRANSLATE_NOOP("CoreMessages", "No measure after this mark"),
    QT_TRANSLATE_NOOP("CoreMessages", "Nothing to repeat"),
    QT_TRANSLATE_NOOP("CoreMessages", "Repeat count without a repeat"),
    QT_TRANSLATE_NOOP("CoreMessages", "Repeat without an end"),
    QT_TRANSLATE_NOOP("CoreMessages", "Repeat inside a repeat"),
    QT_TRANSLATE_NOOP("CoreMessages", "Repeat sign in the last ending"),
    QT_TRANSLATE_NOOP("CoreMessages", "Repeat count against the endings"),
    QT_TRANSLATE_NOOP("CoreMessages", "Ending without a repeat"),
    QT_TRANSLATE_NOOP("CoreMessages", "Ending out of order"),
    QT_TRANSLATE_NOOP("CoreMessages", "Second segno"),
    QT_TRANSLATE_NOOP("CoreMessages", "Second coda"),
    QT_TRANSLATE_NOOP("CoreMessages", "To Coda without a coda"),
    QT_TRANSLATE_NOOP("CoreMessages", "D.S. without a segno"),
    QT_TRANSLATE_NOOP("CoreMessages", "Jump to a coda without To Coda and coda"),
    QT_TRANSLATE_NOOP("CoreMessages", "Jump to a fine without one"),
    QT_TRANSLATE_NOOP("CoreMessages", "The form plays more than %1 measures"),
    QT_TRANSLATE_NOOP("CoreMessages", "Invalid key"),
    QT_TRANSLATE_NOOP("CoreMessages", "A mark written wrong (write %1)"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "A German note name in English notation (write %1, or choose German notation)"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "A lowercase minor chord in English notation (write %1, or choose German notation)"),
    QT_TRANSLATE_NOOP("CoreMessages", "A key, not a chord (write %1 for the chord, [KEY=%2] for the key)"),
    // The playback's.
    QT_TRANSLATE_NOOP("CoreMessages", "Cannot open MIDI device!"),
    // The check's hints.
    QT_TRANSLATE_NOOP("CoreMessages",
                      "Plays %1 with a lowered seventh (the sixth); for %1 minor seventh write %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "Plays %17 with a flat ninth; for %1 minor ninth write %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "Plays %1 major seventh; for %17 with a raised fifth write %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "Plays %1 minor seventh; for the %1 minor triad write %2"),
    QT_TRANSLATE_NOOP(
        "CoreMessages",
        "After a jump, % plays the chords of measure %1, written before it, not those played before "
        "the jump; write out the chords to play those"),
    QT_TRANSLATE_NOOP(
        "CoreMessages",
        "After a jump, % repeats nothing: no measure is written before it; write out the chords to "
        "play"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "B read as B natural (English notation); write Bb, or choose German notation"),
    QT_TRANSLATE_NOOP(
        "CoreMessages",
        "B read as B flat (German notation); write H for B natural, or choose English notation"),
    // What an export leaves out or writes otherwise.
    QT_TRANSLATE_NOOP("CoreMessages", "the change to the style %1 at measure %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "the chart's own chord shape of %1, written as %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "the meter %1 of measure %2, which has no sign in the format"),
    QT_TRANSLATE_NOOP("CoreMessages", "the chord %1, written as %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "the chord %1, read back as %2"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "the hold (=) in measure %1, written as the chord before it played longer"),
    QT_TRANSLATE_NOOP("CoreMessages", "the words under measure %1, which stand under no chord"),
    QT_TRANSLATE_NOOP("CoreMessages", "the style %1, which ChordPro does not name"),
    // What an import leaves out of a file it read, and why.
    QT_TRANSLATE_NOOP("CoreMessages", "the page layout (%1)"),
    QT_TRANSLATE_NOOP("CoreMessages", "the directives Kaz does not know (%1)"),
    QT_TRANSLATE_NOOP("CoreMessages", "chord names Kaz does not read, kept in the words (%1)"),
    QT_TRANSLATE_NOOP("CoreMessages", "the chord diagrams ({%1})"),
    QT_TRANSLATE_NOOP("CoreMessages", "the %1 music in line %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "{chorus} in line %1 before any chorus with chords"),
    QT_TRANSLATE_NOOP("CoreMessages", "what Kaz cannot play of the chord %1 (it plays %2)"),
    QT_TRANSLATE_NOOP("CoreMessages", "song %1 is cut short"),
    QT_TRANSLATE_NOOP("CoreMessages", "song %1 has music in an unknown encoding"),
    QT_TRANSLATE_NOOP("CoreMessages", "chord symbols written without a root (as functions or numerals)"),
    QT_TRANSLATE_NOOP("CoreMessages", "a repeat played %1 times, which the chart plays %2 times"),
    QT_TRANSLATE_NOOP("CoreMessages", "the chord symbols of the part %1 where they differ from those of %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "a second coda sign in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "a second segno in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "a second \"To Coda\" in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "\"To Coda\" without a coda in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "a D.S. without a segno in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "the \"%1\" of the %2 in measure %3, whose sign the song does not have"),
    QT_TRANSLATE_NOOP("CoreMessages", "a repeat sign that opens in an ending in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "the ending %1 after the ending %2. in measure %3"),
    QT_TRANSLATE_NOOP("CoreMessages", "a repeat sign inside a repeat in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "a repeat sign at the end of the last ending in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "a repeat sign that no repeat sign closes in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "the ending %1 without a repeat sign in measure %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "song %1 (untitled)"),
    QT_TRANSLATE_NOOP("CoreMessages", "is larger than a chart can be (%1 MiB)"),
    QT_TRANSLATE_NOOP("CoreMessages", "has a line of %1 characters, and a chart's lines hold at most %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "does not compile: line %1: %3: `%2`"),
    QT_TRANSLATE_NOOP("CoreMessages", "does not compile: %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "has no chord to play"),
    // Why a file gives no song to import.
    QT_TRANSLATE_NOOP("CoreMessages", "no chords found in the ChordPro file"),
    QT_TRANSLATE_NOOP("CoreMessages", "no iReal Pro link found"),
    QT_TRANSLATE_NOOP("CoreMessages", "no song could be read: %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "a Kaz chart already; open it as it is"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "not an iReal Pro link, a MusicXML file, a ChordPro file or a chord sheet"),
    QT_TRANSLATE_NOOP("CoreMessages", "not well-formed XML at byte %1: %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "not a MusicXML score"),
    QT_TRANSLATE_NOOP("CoreMessages", "the MusicXML score has no chord symbols"),
    QT_TRANSLATE_NOOP("CoreMessages", "the MusicXML score has no parts"),
    QT_TRANSLATE_NOOP("CoreMessages", "the compressed MusicXML file cannot be read"),
    QT_TRANSLATE_NOOP("CoreMessages", "not a readable compressed MusicXML (.mxl) file"),
    QT_TRANSLATE_NOOP("CoreMessages", "the compressed MusicXML file holds no score"),
    QT_TRANSLATE_NOOP("CoreMessages", "the archive has no readable %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "the archive's %1 cannot be unpacked"),
    QT_TRANSLATE_NOOP("CoreMessages", "the archive unpacks to more than %1 MiB, far more than a song"),
    // What a set list's lines say that the program cannot read.
    QT_TRANSLATE_NOOP("CoreMessages", "line %1: %2 is not a key (write it like [KEY=Eb] or [KEY=F#m])"),
    QT_TRANSLATE_NOOP("CoreMessages", "line %1: %2 is not a tempo from %3 to %4"),
    QT_TRANSLATE_NOOP("CoreMessages", "line %1: %2 is no mark of a set list ([KEY=…] or [TEMPO=…])"),
    QT_TRANSLATE_NOOP("CoreMessages", "the ending %1 in measure %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "the segno in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "the coda sign in measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "%1 in measure %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "the repeat played %1 times in measure %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "the repeat sign of the sung measure %1"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "the bar lines of the sung measure %1, whose chords are read back a measure each"),
    // Why an audio file could not be written.
    QT_TRANSLATE_NOOP("CoreMessages", "the audio renderer cannot be loaded: %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "the tempo must be positive"),
    QT_TRANSLATE_NOOP("CoreMessages", "the song is too long for a WAV file"),
    QT_TRANSLATE_NOOP("CoreMessages", "the installed sound file library cannot write FLAC"),
    QT_TRANSLATE_NOOP("CoreMessages", "no General MIDI SoundFont found (set KAZ_SOUNDFONT to a .sf2 file)"),
    QT_TRANSLATE_NOOP("CoreMessages", "cannot load the SoundFont '%1'"),
    QT_TRANSLATE_NOOP("CoreMessages", "cannot write '%1': %2"),
    QT_TRANSLATE_NOOP("CoreMessages", "cannot write '%1': the FLAC stream failed"),
    // The band's parts in the mixer.
    QT_TRANSLATE_NOOP("CoreMessages", "Comping"),
    QT_TRANSLATE_NOOP("CoreMessages", "Bass"),
    QT_TRANSLATE_NOOP("CoreMessages", "Guitar"),
    QT_TRANSLATE_NOOP("CoreMessages", "Pad"),
    QT_TRANSLATE_NOOP("CoreMessages", "Drums"),
    // Help > Chord reference.
    QT_TRANSLATE_NOOP("CoreMessages", "Built-in suffixes"),
    QT_TRANSLATE_NOOP("CoreMessages", "Alterations, after any built-in suffix"),
    QT_TRANSLATE_NOOP("CoreMessages",
                      "Everyday spellings (alterations in any order, with or without parentheses)"),
    QT_TRANSLATE_NOOP("CoreMessages", "Other ways to write them"),
    QT_TRANSLATE_NOOP("CoreMessages", "as %1"),
    QT_TRANSLATE_NOOP("CoreMessages", "Δ, ^, M, ma, ø, h, alt alone"),
    QT_TRANSLATE_NOOP("CoreMessages", "with the seventh they imply: CΔ is Cmaj7, Cø Cm7b5, Calt C7alt"),
    QT_TRANSLATE_NOOP("CoreMessages", "No chord"),
    QT_TRANSLATE_NOOP("CoreMessages", "nothing, like a rest"),
};

bool Translatable(const char* pattern) {
    return std::any_of(std::begin(kCorePatterns), std::end(kCorePatterns),
                       [pattern](const char* known) { return std::strcmp(known, pattern) == 0; });
}

}  // namespace

QString Said(const Message& message) {
    // A pattern the window has no words for stays as it is; its inner messages are said all the same.
    const std::string pattern =
        Translatable(message.pattern)
            ? QCoreApplication::translate("CoreMessages", message.pattern).toStdString()
            : std::string(message.pattern);
    std::vector<std::string> places = message.values;
    for (const Message& inner : message.inner) {
        places.push_back(Said(inner).toStdString());
    }
    return QString::fromStdString(Message::FillPlaces(pattern, places));
}

}  // namespace kaz
