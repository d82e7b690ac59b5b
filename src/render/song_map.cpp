#include "render/song_map.h"

#include <algorithm>
#include <cmath>

#include "harmony/chord_analysis.h"

namespace kaz {

namespace {

//! The beat of a measure of meter num/den that position ticks into it falls on, one-based.
int BeatAt(double into, const Measure& measure) {
    const double beatTicks = static_cast<double>(TICKS_PER_WHOLE) / measure.meterDen;
    const auto beat = static_cast<int>(std::floor(into / beatTicks)) + 1;
    return std::clamp(beat, 1, std::max<int>(measure.meterNum, 1));
}

}  // namespace

SongMap::SongMap(const ScoreTree& score)
    : order_(&score.playOrder), sections_(&score.sections), intro_(score.intro) {
    // The song's first measure starts after the band's intro.
    Ticks sum = intro_.ticks;
    for (const PlayedMeasure& played : score.playOrder) {
        const Measure& slot = score.Slot(played);
        const int number = MeasureCount() + 1;
        // The text of a measure belongs to the first time it is played.
        if (played.pass == 1) {
            if (slot.repeatEnd != 0) {
                anchors_.push_back({number, {slot.repeatStart, slot.repeatEnd}});
            } else if (!slot.chords.empty()) {
                const Chord& last = *slot.chords[slot.chords.size() - 1];
                anchors_.push_back({number, {slot.chords.front()->textStart, last.textEnd}});
            }
        }
        starts_.push_back(sum);
        played_.push_back(slot.source);
        sum += slot.source->ticks;
    }
    std::stable_sort(anchors_.begin(), anchors_.end(),
                     [](const Anchor& a, const Anchor& b) { return a.text.start < b.text.start; });
    // Measure numbers are one-based; one more entry for the end of the song.
    firstWithChords_.assign(starts_.size() + 2, MeasureCount() + 1);
    for (int number = MeasureCount(); number >= 1; --number) {
        firstWithChords_[static_cast<std::size_t>(number)] =
            Played(number).chords.empty() ? firstWithChords_[static_cast<std::size_t>(number) + 1] : number;
    }
}

int SongMap::MeasureAt(double position) const {
    return static_cast<int>(std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin());
}

Ticks SongMap::MeasureStart(int measureNumber) const {
    return starts_[static_cast<std::size_t>(measureNumber - 1)];
}

Ticks SongMap::MeasureEnd(int measureNumber) const {
    return MeasureStart(measureNumber) + Played(measureNumber).ticks;
}

const Measure& SongMap::Played(int measureNumber) const {
    return *played_[static_cast<std::size_t>(measureNumber - 1)];
}

const Chord* SongMap::ChordAt(int measureNumber, double position) const {
    if (measureNumber < 1 || measureNumber > MeasureCount()) {
        return nullptr;
    }
    const std::size_t index = ChordIndexAt(measureNumber, position);
    const Measure& measure = Played(measureNumber);
    return index < measure.chords.size() ? measure.chords[index] : nullptr;
}

std::size_t SongMap::ChordIndexAt(int measureNumber, double position) const {
    const Measure& measure = Played(measureNumber);
    const auto n = static_cast<std::int64_t>(measure.chords.size());
    const double into = position - MeasureStart(measureNumber);
    // The renderer's strike times: chord j at ticks × j / n into the measure.
    std::int64_t chord = 0;
    while (chord + 1 < n && static_cast<double>(std::int64_t{measure.ticks} * (chord + 1) / n) <= into) {
        ++chord;
    }
    return static_cast<std::size_t>(chord);
}

const Chord* SongMap::FirstChordFrom(int measureNumber, int lastMeasure) const {
    const int found =
        firstWithChords_[static_cast<std::size_t>(std::clamp(measureNumber, 1, MeasureCount() + 1))];
    return found <= lastMeasure ? Played(found).chords.front() : nullptr;
}

const Chord* SongMap::NextChord(int measureNumber, std::size_t chordIndex,
                                std::optional<MeasureSpan> span) const {
    const Measure& measure = Played(measureNumber);
    if (chordIndex + 1 < measure.chords.size()) {
        return measure.chords[chordIndex + 1];
    }
    const int last = span ? span->last : MeasureCount();
    if (const Chord* later = FirstChordFrom(measureNumber + 1, last)) {
        return later;
    }
    return span ? FirstChordFrom(span->first, span->last) : nullptr;
}

SongPlace SongMap::PlaceAt(double position, std::optional<MeasureSpan> span) const {
    SongPlace place;
    if (MeasureCount() == 0) {
        return place;
    }
    const int first = span ? span->first : 1;
    const Ticks start = MeasureStart(first);
    if (position < start && position >= 0 && !span && intro_.fromMeasure > 0) {
        return IntroPlaceAt(position);
    }
    if (position < start) {
        // The count-in: measures in the meter of the first measure played, the band's own or the player's
        // clicks before it.
        const Measure& opening = Played(first);
        // The player's clicks before the song end where it starts, before the band's intro.
        const Ticks countEnd = !span && position < 0 ? 0 : start;
        double into = std::fmod(position - static_cast<double>(countEnd), static_cast<double>(opening.ticks));
        if (into < 0) {
            into += opening.ticks;
        }
        place.countIn = true;
        place.beat = BeatAt(into, opening);
        place.beats = opening.meterNum;
        place.next = FirstChordFrom(first, span ? span->last : MeasureCount());
        return place;
    }
    return MeasurePlaceAt(position, span);
}

SongPlace SongMap::IntroPlaceAt(double position) const {
    // The intro plays the song's last measures: the place is theirs, as if the song were there.
    int number = static_cast<int>(intro_.fromMeasure);
    double into = position;
    while (number < MeasureCount() && into >= Played(number).ticks) {
        into -= Played(number).ticks;
        ++number;
    }
    SongPlace place = MeasurePlaceAt(static_cast<double>(MeasureStart(number)) + into, std::nullopt);
    place.intro = true;
    if (place.next == nullptr) {
        place.next = FirstChordFrom(1, MeasureCount());
    }
    return place;
}

SongPlace SongMap::MeasurePlaceAt(double position, std::optional<MeasureSpan> span) const {
    SongPlace place;
    int number = std::min(MeasureAt(position), MeasureCount());
    if (span) {
        number = std::clamp(number, span->first, span->last);
    }
    const Measure& measure = Played(number);
    const std::size_t index = ChordIndexAt(number, position);
    place.measure = number;
    place.beat = BeatAt(position - MeasureStart(number), measure);
    place.beats = measure.meterNum;
    place.chord = index < measure.chords.size() ? measure.chords[index] : nullptr;
    place.next = NextChord(number, index, span);
    const PlayedMeasure& played = (*order_)[static_cast<std::size_t>(number - 1)];
    place.writtenMeasure = static_cast<int>(played.slot) + 1;
    place.pass = static_cast<int>(played.pass);
    const auto after =
        std::upper_bound(sections_->begin(), sections_->end(), played.slot,
                         [](std::uint32_t slot, const OpeningMark& s) { return slot < s.slot; });
    if (after != sections_->begin()) {
        place.section = std::prev(after)->name;
    }
    return place;
}

std::optional<MeasureSpan> SongMap::MeasuresTouching(std::string_view text, TextRange range) const {
    if (anchors_.empty()) {
        return std::nullopt;
    }
    const int size = static_cast<int>(text.size());
    const int start = std::clamp(std::min(range.start, range.end), 0, size);
    const int end = std::clamp(std::max(range.start, range.end), 0, size);
    if (const std::optional<MeasureSpan> section = SectionAt(start); section && start == end) {
        return section;
    }
    if (start < end) {
        // Anchors do not overlap, so their ends rise with their starts.
        auto touched = std::partition_point(anchors_.begin(), anchors_.end(),
                                            [start](const Anchor& a) { return a.text.end <= start; });
        if (touched != anchors_.end() && touched->text.start < end) {
            MeasureSpan span{touched->measure, touched->measure};
            for (; touched != anchors_.end() && touched->text.start < end; ++touched) {
                span.last = touched->measure;
            }
            return span;
        }
    }
    const int measure = MeasureAroundCaret(text, start);
    return MeasureSpan{measure, measure};
}

int SongMap::MeasureAroundCaret(std::string_view text, int caret) const {
    const auto after = std::partition_point(anchors_.begin(), anchors_.end(),
                                            [caret](const Anchor& a) { return a.text.end < caret; });
    if (after == anchors_.begin()) {
        return after->measure;
    }
    const Anchor& before = *std::prev(after);
    if (after == anchors_.end()) {
        return before.measure;
    }
    if (after->text.start <= caret) {
        return after->measure;
    }
    // Between two measures' symbols the caret belongs to the later one once it has passed a line break, or a
    // bar line without the end of the line still ahead: at the end of a line it stays with the line's last.
    const auto from = static_cast<std::size_t>(before.text.end);
    const auto to = static_cast<std::size_t>(caret);
    const std::string_view passed = text.substr(from, to - from);
    const std::string_view ahead = text.substr(to, static_cast<std::size_t>(after->text.start) - to);
    const bool later =
        passed.find('\n') != std::string_view::npos ||
        (passed.find('|') != std::string_view::npos && ahead.find('\n') == std::string_view::npos);
    return later ? after->measure : before.measure;
}

int SongMap::FirstPlayed(std::uint32_t slot) const {
    const auto found = std::find_if(order_->begin(), order_->end(),
                                    [slot](const PlayedMeasure& p) { return p.slot == slot && p.pass == 1; });
    return found == order_->end() ? 0 : static_cast<int>(found - order_->begin()) + 1;
}

std::optional<MeasureSpan> SongMap::SectionAt(int caret) const {
    const auto mark = std::find_if(sections_->begin(), sections_->end(), [caret](const OpeningMark& s) {
        return s.textStart <= caret && caret <= s.textEnd;
    });
    if (mark == sections_->end()) {
        return std::nullopt;
    }
    const int first = FirstPlayed(mark->slot);
    if (first == 0) {
        return std::nullopt;
    }
    // The section lasts until the next one begins, or to the end of the song.
    int last = first;
    while (last < MeasureCount() && (*order_)[static_cast<std::size_t>(last)].slot >= mark->slot &&
           (std::next(mark) == sections_->end() ||
            (*order_)[static_cast<std::size_t>(last)].slot < std::next(mark)->slot)) {
        ++last;
    }
    return MeasureSpan{first, last};
}

std::string ChordName(const Chord& chord) {
    if (IsNoChord(chord.text())) {
        return "N.C.";
    }
    if (chord.noteCount == 0) {
        return {};
    }
    if (chord.text().starts_with('/') || chord.text().starts_with('=')) {
        std::string name(chord.rootName.view());
        name += chord.suffix();
        if (!chord.bassName.empty()) {
            name += '/';
            name += chord.bassName.view();
        }
        return name;
    }
    return std::string(chord.text());
}

}  // namespace kaz
