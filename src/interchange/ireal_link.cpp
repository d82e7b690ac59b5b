#include "interchange/ireal_link.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "interchange/ireal_cells.h"
#include "interchange/text_fields.h"

namespace kaz {

namespace {

constexpr std::string_view kNewScheme = "irealb://";
constexpr std::string_view kOldScheme = "irealbook://";
constexpr std::string_view kMusicPrefix = "1r34LbKcu7";
constexpr std::string_view kSongSeparator = "===";
constexpr std::size_t kBlock = 50;

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

//! Percent escapes decoded; a '%' that starts no escape stays as it is.
std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

std::string PercentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 || c == '-' || c == '_' || c == '.' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + separator.size());
    }
}

int NumberField(std::string_view field) {
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() ? value : 0;
}

//! The key as a chart names it: the format writes a minor key with "-".
std::string KeyName(std::string_view key) {
    std::string name = OneLine(key);
    if (!name.empty() && name.back() == '-') {
        name.back() = 'm';
    }
    return name;
}

void AddCells(LeadSheet& song, std::string_view music) {
    CellReading cells = ReadCells(music);
    song.measures = std::move(cells.measures);
    song.notes.insert(song.notes.end(), cells.notes.begin(), cells.notes.end());
}

//! The fields of a song joined again, those that are empty left out.
std::string Joined(const std::vector<std::string_view>& fields, std::size_t from, std::size_t to) {
    std::string joined;
    for (std::size_t i = from; i < to; ++i) {
        if (!fields[i].empty()) {
            joined += joined.empty() ? "" : "=";
            joined += fields[i];
        }
    }
    return joined;
}

//! A song of a new-style link: title, composer, an unused field, style, key, transposition, the scrambled
//! music, accompaniment style, tempo and number of choruses. The fields are found from the music's place, so
//! that a title with "=" in it or a song with a field too many or too few before its music is still read.
std::optional<LeadSheet> ReadNewSong(std::string_view text, const char*& problem) {
    const std::vector<std::string_view> fields = Split(text, "=");
    const auto music = std::find_if(fields.begin(), fields.end(),
                                    [](std::string_view field) { return field.starts_with(kMusicPrefix); });
    if (music == fields.end()) {
        problem = fields.size() < 7 ? "song %1 is cut short" : "song %1 has music in an unknown encoding";
        return std::nullopt;
    }
    const auto at = static_cast<std::size_t>(music - fields.begin());
    const auto field = [&](std::size_t back) { return at > back ? fields[at - back] : std::string_view(); };
    LeadSheet song;
    song.title = OneLine(Joined(fields, 0, at >= 6 ? at - 5 : 1));
    song.composer = OneLine(at >= 6 ? field(5) : std::string_view());
    song.style = OneLine(field(3));
    song.key = KeyName(field(2));
    AddCells(song, ScrambleMusic(music->substr(kMusicPrefix.size())));
    if (at + 2 < fields.size()) {
        song.tempo = NumberField(fields[at + 2]);
    }
    if (at + 3 < fields.size()) {
        song.choruses = NumberField(fields[at + 3]);
    }
    return song;
}

bool LooksEncoded(std::string_view text) {
    return text.find('=') == std::string_view::npos && text.find("%3D") != std::string_view::npos;
}

//! The link's text after the scheme, decoded; a link that was encoded twice is decoded twice.
std::string DecodedBody(std::string_view body) {
    std::string decoded = PercentDecoded(body);
    if (LooksEncoded(decoded)) {
        decoded = PercentDecoded(decoded);
    }
    return decoded;
}

//! Where the link whose text starts at from ends: at the quote that opens it in a page ("'S Wonderful" keeps
//! its apostrophe), otherwise at the end of its line or markup, or at a blank when its text is
//! percent-encoded and so has none of its own.
std::size_t LinkEnd(std::string_view text, std::size_t linkStart, std::size_t from) {
    const char quote = linkStart > 0 ? text[linkStart - 1] : '\0';
    const bool quoted = quote == '"' || quote == '\'';
    std::size_t end =
        quoted ? text.find_first_of(std::string{quote, '\n'}, from) : text.find_first_of("\"<>\r\n", from);
    end = end == std::string_view::npos ? text.size() : end;
    const std::string_view link = text.substr(from, end - from);
    if (!quoted && link.find('=') == std::string_view::npos) {
        end = from + std::min(link.size(), link.find_first_of(" \t"));
    }
    return end;
}

class LinkReader {
  public:
    ImportedSongs Read(std::string_view text) {
        std::size_t at = 0;
        while ((at = text.find("ireal", at)) != std::string_view::npos) {
            const std::string_view rest = text.substr(at);
            if (rest.starts_with(kNewScheme)) {
                const std::size_t end = LinkEnd(text, at, at + kNewScheme.size());
                ReadNewLink(DecodedBody(text.substr(at + kNewScheme.size(), end - at - kNewScheme.size())));
                at = end;
            } else if (rest.starts_with(kOldScheme)) {
                const std::size_t end = LinkEnd(text, at, at + kOldScheme.size());
                ReadOldLink(DecodedBody(text.substr(at + kOldScheme.size(), end - at - kOldScheme.size())));
                at = end;
            } else {
                at += 5;
            }
        }
        if (result_.songs.empty()) {
            result_.error = links_ == 0 ? Message("no iReal Pro link found")
                                        : Message("no song could be read: %1", {}, {firstProblem_});
        }
        return std::move(result_);
    }

  private:
    void ReadNewLink(std::string_view body) {
        ++links_;
        std::vector<std::string_view> songs = Split(body, kSongSeparator);
        if (songs.size() > 1) {
            if (result_.collection.empty()) {
                result_.collection = OneLine(songs.back());
            }
            songs.pop_back();
        }
        for (const std::string_view text : songs) {
            ++songNumber_;
            const char* problem = "";
            if (std::optional<LeadSheet> song = ReadNewSong(text, problem)) {
                result_.songs.push_back(std::move(*song));
            } else {
                Problem({problem, {std::to_string(songNumber_)}});
            }
        }
    }

    //! The older links give six fields a song, one song after another: title, composer, style, key, an unused
    //! field and the music as it is.
    void ReadOldLink(std::string_view body) {
        ++links_;
        const std::vector<std::string_view> fields = Split(body, "=");
        std::size_t i = 0;
        for (; i + 6 <= fields.size(); i += 6) {
            LeadSheet song;
            song.title = OneLine(fields[i]);
            song.composer = OneLine(fields[i + 1]);
            song.style = OneLine(fields[i + 2]);
            song.key = KeyName(fields[i + 3]);
            AddCells(song, fields[i + 5]);
            result_.songs.push_back(std::move(song));
            ++songNumber_;
        }
        if (i < fields.size() && !(i + 1 == fields.size() && Trimmed(fields[i]).empty())) {
            if (fields.size() - i == 1 && i > 0) {
                result_.collection = OneLine(fields[i]);
            } else {
                Problem({"song %1 is cut short", {std::to_string(++songNumber_)}});
            }
        }
    }

    void Problem(const Message& problem) {
        if (std::string_view(firstProblem_.pattern).empty()) {
            firstProblem_ = problem;
        }
        result_.problems.push_back(problem);
    }

    ImportedSongs result_;
    Message firstProblem_;
    int links_ = 0;
    int songNumber_ = 0;
};

std::string SongField(const std::string& text) {
    std::string field = OneLine(text);
    std::replace(field.begin(), field.end(), '=', '-');
    return field;
}

std::string LinkKey(const std::string& key) {
    std::string field = SongField(key);
    if (!field.empty() && field.back() == 'm') {
        field.back() = '-';
    }
    return field;
}

//! A field that may be empty written as a space: empty fields side by side would read as the "===" between
//! songs.
std::string NonEmptyField(const std::string& text) {
    std::string field = SongField(text);
    return field.empty() ? " " : field;
}

std::string SongText(const LeadSheet& song) {
    std::string text = SongField(song.title.empty() ? "Untitled" : song.title);
    text += "=" + NonEmptyField(song.composer) + "==" + NonEmptyField(song.style) + "=" +
            NonEmptyField(LinkKey(song.key)) + "==";
    text += kMusicPrefix;
    text += ScrambleMusic(WriteCells(song.measures));
    text += "==" + std::to_string(std::max(song.tempo, 0)) + "=" + std::to_string(std::max(song.choruses, 0));
    return text;
}

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string ScrambleMusic(std::string_view music) {
    std::string result;
    result.reserve(music.size());
    // A block is swapped only when more than one character follows it.
    while (music.size() > kBlock + 1) {
        std::string block(music.substr(0, kBlock));
        for (std::size_t i = 0; i < 5; ++i) {
            std::swap(block[i], block[kBlock - 1 - i]);
        }
        for (std::size_t i = 10; i < 24; ++i) {
            std::swap(block[i], block[kBlock - 1 - i]);
        }
        result += block;
        music.remove_prefix(kBlock);
    }
    result += music;
    return result;
}

bool HasIrealLink(std::string_view text) {
    return text.find(kNewScheme) != std::string_view::npos || text.find(kOldScheme) != std::string_view::npos;
}

ImportedSongs ReadIrealLinks(std::string_view text) {
    return LinkReader().Read(text);
}

std::string WriteIrealLink(const std::vector<LeadSheet>& songs, const std::string& playlist) {
    std::string body;
    for (std::size_t i = 0; i < songs.size(); ++i) {
        if (i > 0) {
            body += kSongSeparator;
        }
        body += SongText(songs[i]);
    }
    if (songs.size() > 1) {
        body += kSongSeparator;
        body += SongField(playlist.empty() ? "Kaz" : playlist);
    }
    return std::string(kNewScheme) + PercentEncoded(body);
}

std::string WriteIrealPage(const std::vector<LeadSheet>& songs, const std::string& playlist) {
    const std::string name = HtmlEscaped(
        OneLine(songs.size() == 1 ? (songs.front().title.empty() ? "Untitled" : songs.front().title)
                                  : (playlist.empty() ? "Kaz" : playlist)));
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + name +
           "</title>\n</head>\n<body>\n<p><a href=\"" + WriteIrealLink(songs, playlist) + "\">" + name +
           "</a></p>\n</body>\n</html>\n";
}

}  // namespace kaz
