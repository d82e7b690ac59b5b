#pragma once

#include <string>
#include <vector>

#include "base/message.h"

namespace kaz {

//! What both exports say of a hold their format can only write as the chord before it played longer.
inline constexpr const char* kHoldWrittenLonger =
    "the hold (=) in measure %1, written as the chord before it played longer";

//! One written measure of a lead sheet, with the form marks that open and close it.
struct SheetMeasure {
    std::string section;     //!< "A", "Verse" … when a section starts here
    int meterNumerator = 0;  //!< the meter that starts here; 0 when it does not change
    int meterDenominator = 0;
    bool repeatOpens = false;
    std::string ending;  //!< "1.", "2.", "1.2." … when an ending starts here
    bool segno = false;
    bool coda = false;
    //! Chord symbols in the chart's spelling and its signs: "%", "%%" (two measures), "/", "=", "-", "N.C.".
    std::vector<std::string> chords;
    std::string jump;                //!< what ends the measure: "TO CODA", "FINE", "D.S. al Coda" …
    int repeatCloses = 0;            //!< how often the passage it closes is played; 0 when it closes none
    std::vector<std::string> notes;  //!< remarks for the comment lines before the measure's line
    bool startsLine = false;         //!< the source starts a new line of music here
    //! Sung: the measure's chords stand in a line of words, each with the words sung from it on (as many as
    //! chords), the line's first measure with the words before its first chord.
    bool sung = false;
    std::vector<std::string> words;
    std::string pickup;
    std::vector<std::string> lyricsAfter;  //!< lines of words without chords sung after the measure's line
};

//! A song as the other formats give it, before it is written as chart text or after chart text was read.
struct LeadSheet {
    std::string title;
    std::string composer;
    std::string style;
    std::string key;
    int tempo = 0;                   //!< quarter notes per minute; 0 when not given
    int choruses = 0;                //!< how often the source plays the form; 0 when not given
    int capo = 0;                    //!< the fret of the capo the song is played with; 0 without one
    std::vector<std::string> notes;  //!< remarks on the whole song, for comment lines after the header
    std::vector<SheetMeasure> measures;
};

//! The songs read from one file, or why none could be read.
struct ImportedSongs {
    std::string collection;  //!< a playlist's name, when the file gives one
    std::vector<LeadSheet> songs;
    std::vector<Message> problems;  //!< songs or parts of the file that were left out, and why
    Message error;                  //!< in the program's words; none when the file was read

    [[nodiscard]] bool Read() const { return std::string_view(error.pattern).empty(); }
};

}  // namespace kaz
