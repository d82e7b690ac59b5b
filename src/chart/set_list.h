#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/message.h"
#include "chart/instrument.h"
#include "harmony/musical_key.h"

namespace kaz {

//! The file name suffix of a set list, without its dot.
inline constexpr std::string_view kSetListSuffix = "kazset";
//! Whether a file of this name is a set list: its suffix, in any case.
[[nodiscard]] bool IsSetListFile(std::string_view fileName);

//! One song of a set list: its chart, and the key and tempo it is played in tonight.
struct SetListSong {
    std::string path;               //!< as the list writes it: from the list's folder, or absolute
    std::optional<MusicalKey> key;  //!< none: the chart's own
    std::string keyName;            //!< the key as the list writes it: "G", "F#m", "Bb"
    int tempo = 0;                  //!< 0: the chart's own
    friend bool operator==(const SetListSong&, const SetListSong&) = default;
};

//! A set list: a plain text file of chart paths, a song a line, each with an optional key and tempo in the
//! chart language's marks; "#" lines are comments, the first of them before any song the set's title:
//!
//!     # Friday at the Harbour
//!     blue-moon.kaz
//!     ../standards/autumn-leaves.kaz   [KEY=Gm] [TEMPO=120]
struct SetList {
    std::string title;
    std::vector<SetListSong> songs;
    //! The lines that could not be read, each with its number and why: "line 4: [TEMPO=900] is not a tempo".
    std::vector<Message> problems;
};

[[nodiscard]] SetList ReadSetList(std::string_view text);
//! The list as its file has it, which ReadSetList reads back the same.
[[nodiscard]] std::string WriteSetList(const SetList& list);

//! A key as a set list writes it: an English note name and "m" for minor ("Eb", "F#m"); nothing otherwise.
[[nodiscard]] std::optional<MusicalKey> ReadSetListKey(std::string_view name);

//! The semitones the song's chart, in chartKey, moves to sound in the song's key, the nearer way (-5..6);
//! a minor chart given a major key (or the other way round) goes to the relative key. 0 without a key.
[[nodiscard]] int SetListShift(const SetListSong& song, MusicalKey chartKey);
//! Whom the song's chart, in chartKey, is shown for: the key it sounds in (SetListShift away) when the list
//! gives one, else otherwise.
[[nodiscard]] Instrument SetListInstrument(const SetListSong& song, MusicalKey chartKey,
                                           const Instrument& otherwise);

//! Where the song's chart is for a list at listPath: its path as written when absolute, else from the
//! list's folder.
[[nodiscard]] std::string SongPath(std::string_view listPath, const SetListSong& song);

//! The title of the chart at path, from the start of its file (see ChartTitle); empty when it gives none.
//! found is false when the file cannot be read.
[[nodiscard]] std::string ChartFileTitle(const std::string& path, bool& found);

}  // namespace kaz
