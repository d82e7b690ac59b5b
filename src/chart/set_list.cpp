#include "chart/set_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>

#include "base/tempo.h"
#include "base/text_lines.h"
#include "chart/chart_layout.h"
#include "harmony/transposition.h"

namespace kaz {

namespace {

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() &&
           std::equal(word.begin(), word.end(), text.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

//! Read one mark at the end of song's line number into song; the problem when it is not one.
std::optional<Message> ReadMark(std::string_view mark, int number, SetListSong& song) {
    const std::string line = std::to_string(number);
    const std::string_view inside = mark.substr(1, mark.size() - 2);
    if (StartsWithWord(inside, "KEY=")) {
        const std::string_view name = Trim(inside.substr(4));
        song.key = ReadSetListKey(name);
        if (!song.key) {
            return Message{"line %1: %2 is not a key (write it like [KEY=Eb] or [KEY=F#m])",
                           {line, std::string(mark)}};
        }
        song.keyName = std::string(name);
        return std::nullopt;
    }
    if (StartsWithWord(inside, "TEMPO=")) {
        const std::string_view number = Trim(inside.substr(6));
        int tempo = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), tempo);
        if (error != std::errc() || end != number.data() + number.size() || tempo < kMinTempo ||
            tempo > kMaxTempo) {
            return Message{"line %1: %2 is not a tempo from %3 to %4",
                           {line, std::string(mark), std::to_string(kMinTempo), std::to_string(kMaxTempo)}};
        }
        song.tempo = tempo;
        return std::nullopt;
    }
    return Message{"line %1: %2 is no mark of a set list ([KEY=…] or [TEMPO=…])", {line, std::string(mark)}};
}

}  // namespace

std::optional<MusicalKey> ReadSetListKey(std::string_view name) {
    constexpr std::array<int, 7> kLetters{9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name.front() < 'A' || name.front() > 'G') {
        return std::nullopt;
    }
    int tonic = kLetters[static_cast<std::size_t>(name.front() - 'A')];
    name.remove_prefix(1);
    if (!name.empty() && (name.front() == '#' || name.front() == 'b')) {
        tonic += name.front() == '#' ? 1 : -1;
        name.remove_prefix(1);
    }
    const bool minor = name == "m";
    if (!name.empty() && !minor) {
        return std::nullopt;
    }
    return MusicalKey{MovedPitchClass(tonic, 0), minor};
}

SetList ReadSetList(std::string_view text) {
    SetList list;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    for (int number = 1; !text.empty(); ++number) {
        std::string_view line = Trim(TakeLine(text));
        if (line.empty()) {
            continue;
        }
        if (line.front() == '#') {
            if (list.title.empty() && list.songs.empty()) {
                list.title = std::string(Trim(line.substr(1)));
            }
            continue;
        }
        SetListSong song;
        // The marks stand at the line's end, each after a blank; the rest is the path.
        while (line.ends_with(']')) {
            const std::size_t open = line.rfind('[');
            if (open == std::string_view::npos || open == 0 ||
                (line[open - 1] != ' ' && line[open - 1] != '\t')) {
                break;
            }
            if (std::optional<Message> problem = ReadMark(line.substr(open), number, song)) {
                list.problems.push_back(std::move(*problem));
            }
            line = Trim(line.substr(0, open));
        }
        song.path = std::string(line);
        list.songs.push_back(std::move(song));
    }
    return list;
}

std::string WriteSetList(const SetList& list) {
    std::string text;
    if (!list.title.empty()) {
        text += "# " + list.title + "\n";
    }
    for (const SetListSong& song : list.songs) {
        text += song.path;
        if (song.key) {
            text += " [KEY=" + song.keyName + "]";
        }
        if (song.tempo > 0) {
            text += " [TEMPO=" + std::to_string(song.tempo) + "]";
        }
        text += "\n";
    }
    return text;
}

int SetListShift(const SetListSong& song, MusicalKey chartKey) {
    constexpr int kOctave = 12;
    constexpr int kHighestShift = 6;
    constexpr int kMinorToRelativeMajor = 3;
    if (!song.key) {
        return 0;
    }
    // Compared as the major keys they share their signature with, unless both are minor.
    const auto major = [&](const MusicalKey& key) {
        return key.minor && !(chartKey.minor && song.key->minor) ? key.tonic + kMinorToRelativeMajor
                                                                 : key.tonic;
    };
    const int shift = MovedPitchClass(major(*song.key) - major(chartKey), 0);
    return shift > kHighestShift ? shift - kOctave : shift;
}

Instrument SetListInstrument(const SetListSong& song, MusicalKey chartKey, const Instrument& otherwise) {
    if (!song.key) {
        return otherwise;
    }
    return {Instrument::Kind::Key, MovedPitchClass(chartKey.tonic + SetListShift(song, chartKey), 0)};
}

bool IsSetListFile(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view suffix =
        dot == std::string_view::npos ? std::string_view() : fileName.substr(dot + 1);
    return suffix.size() == kSetListSuffix.size() &&
           std::equal(suffix.begin(), suffix.end(), kSetListSuffix.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::string SongPath(std::string_view listPath, const SetListSong& song) {
    const std::filesystem::path path(song.path);
    if (path.is_absolute()) {
        return path.string();
    }
    return (std::filesystem::path(listPath).parent_path() / path).lexically_normal().string();
}

std::string ChartFileTitle(const std::string& path, bool& found) {
    // The title is on the first line: a long chart is not read for it.
    constexpr std::size_t kHead = 4096;
    std::error_code error;
    std::ifstream file(path, std::ios::binary);
    found = file.is_open() && std::filesystem::is_regular_file(path, error);
    std::string head(found ? kHead : 0, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(found ? static_cast<std::size_t>(file.gcount()) : 0);
    if (head.starts_with("\xEF\xBB\xBF")) {
        head.erase(0, 3);
    }
    return ChartTitle(head);
}

}  // namespace kaz
