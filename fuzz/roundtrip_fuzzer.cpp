// Feeds arbitrary charts through transposition and the MIDI file writer. The first three bytes choose the
// shift, the sharp or flat names and the notation setting; the rest is the chart. Every input must hold:
// - a chart respelled in place, moved by the shift and moved back gives back the respelled bytes;
// - the MIDI file written while the compile makes the performance equals the one written from the kept list;
// - that file's chunks have the lengths they say, and its track is whole events ending in the end of track.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "language/transpose_score.h"
#include "midi/midi_file_writer.h"

namespace {

using namespace kaz;

struct Choices {
    int shift = 0;
    std::array<Spelling, kPitchClassCount> spellings{};
    NotationMode notation = kEnglishNotation;
};

//! How a transposed chart was read: the notation it resolved to, and whether it writes any chord the German
//! way ("Cis", "Es", "d").
struct Reading {
    NotationMode notation = kEnglishNotation;
    bool germanNames = false;
};

//! The chart moved by shift with the chosen names under the notation setting, or nothing when it does not
//! compile. read tells how the chart itself was read.
std::optional<std::string> Transposed(const std::string& text, const Choices& choices, NotationMode setting,
                                      int shift, Reading& read) {
    CompileOptions options;
    options.settings.notation = setting;
    NoteNameTables tables;
    tables.spellingChoice = choices.spellings;
    const TransposeChooser choose = [&](const TransposeOffer& offer) -> std::optional<TransposeResult> {
        read.notation = offer.resolved;
        TransposeDialogModel dialog(tables, offer.resolved);
        dialog.SelectEntry(TransposeDialogModel::kUnshiftedEntry + shift);
        return dialog.Accept();
    };
    const std::shared_ptr<const CompiledChart> chart = Compile(text, options);
    read.germanNames = chart->score.firstGermanChord != nullptr;
    Transposition transposition = TransposeChart(*chart, choose);
    if (transposition.outcome != TransposeOutcome::Transposed) {
        return std::nullopt;
    }
    return std::move(transposition.text);
}

void CheckRoundTrip(const std::string& chart, const Choices& choices) {
    // A chart whose names follow the choices, read under the notation it resolves to, comes back byte for
    // byte; respelling it in place until it reads the same makes any chart one. Under another setting a move
    // may change how a bare "B" is written, by design.
    NotationMode setting = choices.notation;
    Reading read{setting, false};
    std::optional<std::string> start = Transposed(chart, choices, setting, 0, read);
    constexpr int kRespellings = 3;
    for (int i = 0; i < kRespellings && start && read.notation != setting; ++i) {
        setting = read.notation;
        start = Transposed(*start, choices, setting, 0, read);
    }
    if (!start || read.notation != setting) {
        return;
    }
    const bool startGerman = read.germanNames;
    // Moving may fail to compile: a defined chord named after its root fits that root only.
    const std::optional<std::string> moved = Transposed(*start, choices, setting, choices.shift, read);
    if (!moved) {
        return;
    }
    const int back = choices.shift == 6 ? 6 : -choices.shift;
    const std::optional<std::string> returned = Transposed(*moved, choices, setting, back, read);
    // A chart whose only German names moved onto white keys ("Cis" up 3 is "E") no longer shows it is written
    // the German way, and comes back with English accidentals.
    if (returned && read.germanNames == startGerman && *returned != *start) {
        std::abort();
    }
}

//! Reads a variable-length quantity at at; false past the end or past four bytes.
bool ReadVarLen(std::string_view bytes, std::size_t& at, std::uint32_t& value) {
    value = 0;
    for (int count = 0; count < 4 && at < bytes.size(); ++count) {
        const auto byte = static_cast<std::uint8_t>(bytes[at++]);
        value = value << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0) {
            return true;
        }
    }
    return false;
}

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

//! The file's two chunks, then every event of the track, which ends exactly with the end of track.
bool IsWholeMidiFile(std::string_view bytes) {
    if (bytes.size() < 22 || bytes.substr(0, 4) != "MThd" || BigEndian32(bytes, 4) != 6 ||
        bytes.substr(14, 4) != "MTrk" || BigEndian32(bytes, 18) != bytes.size() - 22) {
        return false;
    }
    std::size_t at = 22;
    bool ended = false;
    while (at < bytes.size() && !ended) {
        std::uint32_t delta = 0;
        if (!ReadVarLen(bytes, at, delta) || at >= bytes.size()) {
            return false;
        }
        const auto status = static_cast<std::uint8_t>(bytes[at++]);
        if (status == kMetaEvent) {
            std::uint32_t length = 0;
            if (at >= bytes.size()) {
                return false;
            }
            ended = static_cast<std::uint8_t>(bytes[at++]) == kMetaEndOfTrack;
            if (!ReadVarLen(bytes, at, length)) {
                return false;
            }
            at += length;
        } else if ((status & 0xF0) == kProgramChangeStatus) {
            at += 1;
        } else if ((status & 0xF0) == kNoteOnStatus || (status & 0xF0) == kNoteOffStatus ||
                   (status & 0xF0) == kControlChangeStatus) {
            at += 2;
        } else {
            return false;
        }
    }
    return ended && at == bytes.size();
}

//! Writes the performance into memory as the compile hands it on.
class MemoryExport final : public EventConsumer {
  public:
    MemoryExport() {
        writer.OpenInMemory();
        writer.WriteText(CreditText());
    }
    void Take(std::span<const MidiEvent> events) override {
        for (const MidiEvent& event : events) {
            WriteEvent(event, writer);
        }
    }
    MidiFileWriter writer;
};

void CheckMidiFile(const std::string& chart, const Choices& choices) {
    CompileOptions options;
    options.settings.notation = choices.notation;
    const std::shared_ptr<const CompiledChart> kept = Compile(chart, options);
    if (!kept->Accepted()) {
        return;
    }
    MidiFileWriter whole;
    whole.OpenInMemory();
    whole.WriteText(CreditText());
    for (std::size_t i = 0; i < kept->performance.size(); ++i) {
        WriteEvent(kept->performance[i], whole);
    }
    if (!whole.Close() || !IsWholeMidiFile(whole.Bytes())) {
        std::abort();
    }

    MemoryExport stream;
    options.stream = &stream;
    if (!Compile(chart, options)->Accepted() || !stream.writer.Close() ||
        stream.writer.Bytes() != whole.Bytes()) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    Choices choices;
    choices.shift = data[0] % 12 - 5;
    constexpr int kBlackKeys[] = {1, 3, 6, 8, 10};
    for (std::size_t i = 0; i < std::size(kBlackKeys); ++i) {
        choices.spellings[kBlackKeys[i]] = (data[1] >> i & 1) != 0 ? Spelling::Flat : Spelling::Sharp;
    }
    constexpr NotationMode kNotations[] = {kEnglishNotation, kGermanNotation, kMixedNotation};
    choices.notation = kNotations[data[2] % 3];
    const std::string chart(reinterpret_cast<const char*>(data) + 3, size - 3);
    CheckRoundTrip(chart, choices);
    CheckMidiFile(chart, choices);
    return 0;
}
