#include "render/style_performer.h"

#include <algorithm>

#include "base/midi_bytes.h"

namespace kaz {

namespace {

// A drum is struck, not held: its note-off follows after a sixteenth.
constexpr Ticks kDrumLength = TICKS_PER_QUARTER / 4;
// The share of a written length that sounds: the comping breathes between hits, the bass hardly.
constexpr double kCompingSounding = 0.9;
constexpr double kBassSounding = 0.96;
// The velocity of a plain drum hit at the style's own drum volume.
constexpr std::int32_t kDrumVelocity = 96;
// A cymbal's stroke between the beats, against one on the beat, in percent: the skip notes of a ride.
constexpr std::int32_t kOffBeatCymbal = 70;
// The song's opening is played lighter, in percent of the velocities.
constexpr std::int32_t kLightOpening = 86;
// In percent: how often a drum's hit marked as played now and then sounds, in the opening and after it, and
// how much more often at each step the band builds up.
constexpr std::uint32_t kChanceInOpening = 20;
constexpr std::uint32_t kChanceLater = 40;
constexpr std::uint32_t kChancePerLift = 10;
// Percent of the velocities each step the band builds up adds, and of the pushes the style asks for.
constexpr std::int32_t kStrengthPerLift = 6;
constexpr std::int32_t kPushPerLift = 8;
// In percent: how often a section's fill takes two measures, when the style writes one so long.
constexpr std::uint32_t kTwoBarFills = 45;

// General MIDI percussion keys the performer strikes itself.
constexpr std::uint8_t kKick = 36;
constexpr std::uint8_t kCrash = 49;
constexpr std::uint8_t kRide = 51;

std::int32_t Weighted(std::int32_t velocity, HitWeight weight) {
    switch (weight) {
        case HitWeight::Soft:
            return velocity * 3 / 5;
        case HitWeight::Plain:
            return velocity;
        case HitWeight::Accent:
            return velocity * 5 / 4;
    }
    return velocity;
}

bool GoesOn(const Chord& chord) {
    return chord.text().starts_with('/') || chord.text().starts_with('=');
}

//! The cymbals that keep time, whose strokes between the beats are softer.
bool KeepsTime(std::uint8_t key) {
    switch (key) {
        case 42:  // closed hi-hat
        case 44:  // pedal hi-hat
        case 46:  // open hi-hat
        case 51:  // ride
        case 53:  // ride bell
        case 54:  // tambourine
        case 69:  // cabasa
        case 59:  // second ride
        case 70:  // maracas
        case 82:  // shaker
            return true;
        default:
            return false;
    }
}

//! One event of the stable merge of the runs at a and b, from the front: of equal times the first run's.
//! Arithmetic, not a choice, picks it: the parts of a groove interleave unpredictably, and the compiler would
//! make a choice a branch.
void TakeEarlier(const MidiEvent*& a, const MidiEvent*& b, MidiEvent*& out) {
    const std::ptrdiff_t fromSecond = b->time < a->time ? 1 : 0;
    *out++ = *(a + (b - a) * fromSecond);
    b += fromSecond;
    a += 1 - fromSecond;
}

//! One event of the same merge from the back, before the runs' tails aEnd and bEnd: of equal times the second
//! run's comes later.
void TakeLater(const MidiEvent*& aEnd, const MidiEvent*& bEnd, MidiEvent*& outEnd) {
    const std::ptrdiff_t fromFirst = (aEnd - 1)->time > (bEnd - 1)->time ? 1 : 0;
    *--outEnd = *((bEnd - 1) + (aEnd - bEnd) * fromFirst);
    aEnd -= fromFirst;
    bEnd -= 1 - fromFirst;
}

//! Merge the runs [first, middle) and [middle, last), each in time order, into out: of equal times the first
//! run's event first. The front half of the merge is made from the front and the back half from the back in
//! the same steps, two chains of work that the processor overlaps.
void MergeInOrder(const MidiEvent* first, const MidiEvent* middle, const MidiEvent* last, MidiEvent* out) {
    const auto count = static_cast<std::size_t>(last - first);
    std::size_t front = count / 2;
    std::size_t back = count - front;
    const MidiEvent* a = first;
    const MidiEvent* b = middle;
    const MidiEvent* aEnd = middle;
    const MidiEvent* bEnd = last;
    MidiEvent* outEnd = out + count;
    for (; front > 0 && a != middle && b != last && aEnd != first && bEnd != middle; --front, --back) {
        TakeEarlier(a, b, out);
        TakeLater(aEnd, bEnd, outEnd);
    }
    for (; front > 0 && a != middle && b != last; --front) {
        TakeEarlier(a, b, out);
    }
    for (; front > 0 && a != middle; --front) {
        *out++ = *a++;
    }
    for (; front > 0; --front) {
        *out++ = *b++;
    }
    for (; back > 0 && aEnd != first && bEnd != middle; --back) {
        TakeLater(aEnd, bEnd, outEnd);
    }
    for (; back > 0 && bEnd != middle; --back) {
        *--outEnd = *--bEnd;
    }
    for (; back > 0; --back) {
        *--outEnd = *--aEnd;
    }
}

}  // namespace

StylePerformer::StylePerformer(const BandSettings& band, std::int32_t tempo, EventList& events)
    : band_(band), tempo_(tempo), events_(events), feel_(band.seed, band.feel), bass_(feel_) {
    drumOffs_.fill(-1);
}

void StylePerformer::SetUpParts(const Style& style) {
    players_.clear();
    for (const StyleVoice& voice : style.voices) {
        const Part& part = band_.parts[voice.part];
        if (voice.part == "bass") {
            bassVolume_ = part.volume.value_or(voice.volume);
            bassSounds_ = band_.parts.Plays("bass", part.program.value_or(voice.program));
        } else if (players_.size() < kChordParts) {
            ChordPlayer& player = players_.emplace_back();
            player.id = voice.part;
            player.channel = part.channel;
            player.volume = part.volume.value_or(voice.volume);
            player.sounds = band_.parts.Plays(voice.part, part.program.value_or(voice.program));
            player.voicing = CompingVoicing(voice.voicing);
        }
    }
    drumsVolume_ =
        band_.parts.Sounds("drums") ? band_.parts["drums"].volume.value_or(100) * style.drumsVolume / 100 : 0;
}

const MeterPattern& StylePerformer::PatternFor(const Style& style, std::int32_t num, std::int32_t den) {
    if (const MeterPattern* own = style.OwnPattern(num, den)) {
        return *own;
    }
    for (const auto& [owner, pattern] : cycledPatterns_) {
        if (owner == &style && pattern.num == num && pattern.den == den) {
            return pattern;
        }
    }
    return cycledPatterns_.emplace_back(&style, CycleBeats(style.meters.front(), num, den)).second;
}

Ticks StylePerformer::HitTime(Ticks ticks, double swing, const PatternRow& row, std::int32_t cell) {
    // The product first, so the cells absorb the remainder of the division.
    const auto offset = static_cast<Ticks>(static_cast<std::int64_t>(ticks) * cell / row.cellsPerMeasure);
    if (swing == 0.5) {
        return offset;
    }
    const Ticks beatStart = offset - offset % TICKS_PER_QUARTER;
    return beatStart + SwingOffset(offset - beatStart, TICKS_PER_QUARTER, swing);
}

const StylePerformer::PatternTiming& StylePerformer::TimingFor(const MeterPattern& pattern, Ticks ticks,
                                                               double swing) {
    // A song keeps to a few meters in a style or two: the last timing used is nearly always the one.
    for (auto timing = timings_.rbegin(); timing != timings_.rend(); ++timing) {
        if (timing->pattern == &pattern && timing->ticks == ticks && timing->swing == swing) {
            return *timing;
        }
    }
    PatternTiming& timing = timings_.emplace_back();
    timing.pattern = &pattern;
    timing.ticks = ticks;
    timing.swing = swing;
    for (const PatternRow& row : pattern.rows) {
        auto& times = timing.hits.emplace_back();
        for (const PatternHit& hit : row.hits) {
            times.emplace_back(HitTime(ticks, swing, row, hit.cell),
                               HitTime(ticks, swing, row, hit.cell + hit.length));
        }
    }
    return timing;
}

bool StylePerformer::HasLightRows(const MeterPattern& pattern, StylePart part, std::string_view id) {
    return std::any_of(pattern.rows.begin(), pattern.rows.end(), [&](const PatternRow& row) {
        return row.light && !row.ending && row.part == part && row.partId == id;
    });
}

const StylePerformer::Rhythm& StylePerformer::RhythmOf(const CellChoice& choice, const MeasureCue& cue) {
    Rhythm& rhythm = rhythm_;
    rhythm.ticks = cue.source->ticks;
    rhythm.offsets.clear();
    if (choice.row != nullptr) {
        const auto& times =
            measure_.timing->hits[static_cast<std::size_t>(choice.row - measure_.pattern->rows.data())];
        for (std::size_t i = 0; i < choice.row->hits.size(); ++i) {
            if (choice.row->hits[i].measure == choice.bar) {
                rhythm.offsets.push_back(times[i].first);
            }
        }
    }
    // Every change is struck where it falls.
    const auto count = static_cast<std::int64_t>(cue.source->chords.size());
    for (std::int64_t j = 0; j < count; ++j) {
        const Chord& chord = *cue.source->chords[static_cast<std::size_t>(j)];
        if (chord.noteCount > 0 && !GoesOn(chord)) {
            rhythm.offsets.push_back(static_cast<Ticks>(cue.source->ticks * j / count));
        }
    }
    std::sort(rhythm.offsets.begin(), rhythm.offsets.end());
    rhythm.offsets.erase(std::unique(rhythm.offsets.begin(), rhythm.offsets.end()), rhythm.offsets.end());
    return rhythm;
}

StylePerformer::CellChoice StylePerformer::ChooseCell(ChordPlayer& player, const MeasureCue& cue) {
    const bool light = cue.light && HasLightRows(*measure_.pattern, StylePart::Comping, player.id);
    std::vector<const PatternRow*>& rows = cellRows_;
    rows.clear();
    for (const PatternRow& row : measure_.pattern->rows) {
        if (row.part == StylePart::Comping && row.partId == player.id && !row.fill && !row.ending &&
            row.light == light) {
            rows.push_back(&row);
        }
    }
    if (rows.empty()) {
        return {};
    }
    const bool knownRow = std::find(rows.begin(), rows.end(), player.cell.row) != rows.end();
    // A cell of several measures goes on, a phrase and its answer, unless its next bar would sound as the
    // last.
    if (knownRow && player.cell.bar + 1 < player.cell.row->measures && cue.round != 0) {
        const CellChoice going{player.cell.row, static_cast<std::uint16_t>(player.cell.bar + 1)};
        if (RhythmOf(going, cue) != player.current) {
            return going;
        }
    }
    // A new cell: one whose first bar differs from the bar before, another than the last when there is one.
    std::vector<CellChoice>& fresh = freshCells_;
    std::vector<CellChoice>& other = otherCells_;
    fresh.clear();
    other.clear();
    for (const PatternRow* row : rows) {
        const CellChoice start{row, 0};
        if (RhythmOf(start, cue) != player.current) {
            (row != player.cell.row ? fresh : other).push_back(start);
        }
    }
    if (fresh.empty()) {
        fresh.swap(other);
    }
    if (fresh.empty()) {
        // No cell avoids it: a bar of another cell's second measure, else the first row as it is.
        for (const PatternRow* row : rows) {
            for (std::uint16_t bar = 1; bar < row->measures; ++bar) {
                if (RhythmOf({row, bar}, cue) != player.current) {
                    fresh.push_back({row, bar});
                }
            }
        }
        if (fresh.empty()) {
            return {rows.front(), 0};
        }
    }
    return fresh[feel_.Pick(static_cast<std::uint32_t>(fresh.size()))];
}

void StylePerformer::StartMeasure(const MeasureCue& cue) {
    const Measure& source = *cue.source;
    if (measure_.style != cue.style) {
        SetUpParts(*cue.style);
    }
    measure_.style = cue.style;
    measure_.pattern = &PatternFor(*cue.style, source.meterNum, source.meterDen);
    measure_.start = cue.start;
    measure_.ticks = source.ticks;
    measure_.round = cue.round;
    measure_.drums = cue.drums;
    measure_.last = cue.last;
    measure_.light = cue.light;
    measure_.lift = cue.light ? 0 : std::clamp(cue.lift, 0, kMostLift);
    // Swing belongs to beats of a quarter or a half; compound meters keep their eighths even.
    const double share = band_.swing > 0 ? band_.swing / 100.0 : cue.style->swing.ShareAt(tempo_);
    measure_.swing = source.meterDen <= 4 ? share : 0.5;
    measure_.timing = &TimingFor(*measure_.pattern, measure_.ticks, measure_.swing);

    // The drummer: a fill of one measure at a section's end, or of two starting the measure before; a crash
    // on the downbeat after it.
    std::uint16_t fillBars = 0;
    for (const PatternRow& row : measure_.pattern->rows) {
        if (row.fill) {
            fillBars = std::max(fillBars, row.measures);
        }
    }
    measure_.crash = fillEnded_ && cue.drums;
    measure_.fillBar = -1;
    if (fillBars > 0 && cue.fill && !cue.last) {
        // One measure of fill is any written but the first of the two-bar fill, which is the last two.
        const std::int32_t pick = fillBars > 1 ? static_cast<std::int32_t>(feel_.Pick(fillBars - 1U)) : 0;
        const std::int32_t oneBar = pick < fillBars - 2 ? pick : fillBars - 1;
        measure_.fillBar = leadFillBar_ >= 0 ? leadFillBar_ : oneBar;
    } else if (fillBars > 1 && cue.fillNext && cue.round >= 3 && feel_.Pick(100) < kTwoBarFills) {
        measure_.fillBar = fillBars - 2;
    }
    leadFillBar_ = (measure_.fillBar >= 0 && !cue.fill) ? fillBars - 1 : -1;
    fillEnded_ = measure_.fillBar >= 0 && cue.fill;

    for (std::size_t i = 0; i < players_.size(); ++i) {
        ChordPlayer& player = players_[i];
        player.cell = ChooseCell(player, cue);
        // The bars' rhythms move on a place, each keeping its room: older takes the previous bar's, which
        // takes this one's.
        std::swap(player.older, player.previous);
        std::swap(player.previous, player.current);
        player.current = RhythmOf(player.cell, cue);
        measure_.cells[i] = player.cell;
    }
    const bool lightBass = cue.light && HasLightRows(*measure_.pattern, StylePart::Bass, "bass");
    measure_.bassRow = nullptr;
    for (const PatternRow& row : measure_.pattern->rows) {
        if (row.part == StylePart::Bass && !row.ending && row.light == lightBass) {
            measure_.bassRow = &row;
            break;
        }
    }
}

void StylePerformer::Emit(const MidiEvent& event) {
    buffer_.push_back(event);
    latest_ = std::max(latest_, event.time);
    if (event.kind == EventKind::NoteOn) {
        events_.notesAdded = true;
    }
}

void StylePerformer::Release(std::vector<MidiEvent>& pending) {
    for (const MidiEvent& noteOff : pending) {
        latest_ = std::max(latest_, noteOff.time);
    }
    released_.insert(released_.end(), pending.begin(), pending.end());
    pending.clear();
}

void StylePerformer::FlushBuffer() {
    // The note-offs released while the chord was played come before its own events, as the parts played
    // them one after the other, each in time order: a few runs, merged in order as they stand (an insertion
    // sort would move a busy groove's drums past all its comping), and the list takes them in one piece,
    // nearly always after what it holds.
    released_.insert(released_.end(), buffer_.begin(), buffer_.end());
    buffer_.clear();
    drumOffs_.fill(-1);
    MergeRuns();
    events_.AddEvents(released_);
    released_.clear();
}

void StylePerformer::MergeRuns() {
    runs_.assign(1, 0);
    for (std::size_t i = 1; i < released_.size(); ++i) {
        if (released_[i].time < released_[i - 1].time) {
            runs_.push_back(i);
        }
    }
    runs_.push_back(released_.size());
    if (runs_.size() <= 2) {
        return;
    }
    // Each pass merges the runs two by two into merged_, stable: of equal times the earlier run's first.
    merged_.resize(released_.size(), released_.front());
    while (runs_.size() > 2) {
        std::size_t kept = 1;
        for (std::size_t k = 0; k + 1 < runs_.size(); k += 2) {
            const std::size_t end = k + 2 < runs_.size() ? runs_[k + 2] : runs_[k + 1];
            MergeInOrder(released_.data() + runs_[k], released_.data() + runs_[k + 1], released_.data() + end,
                         merged_.data() + runs_[k]);
            runs_[kept++] = end;
        }
        runs_.resize(kept);
        released_.swap(merged_);
    }
}

std::uint8_t StylePerformer::Velocity(std::int32_t velocity, const MeasureContext& measure) {
    const std::int32_t strength = measure.light ? kLightOpening : 100 + kStrengthPerLift * measure.lift;
    return feel_.Vary(velocity * strength / 100);
}

void StylePerformer::PlayDrum(std::uint8_t key, std::int32_t velocity, Ticks on, Ticks again) {
    // A drum rings a sixteenth, but stops before it is struck again, however early the next stroke comes:
    // the note-off of one stroke must never end the next.
    const Ticks off = std::min(on + kDrumLength, std::max(on + 1, again - feel_.MaxEarly()));
    const auto strength = static_cast<std::uint8_t>(std::clamp(velocity, 1, 127));
    // Another row may strike the same drum a moment later: the stroke before it ends where it comes.
    if (const std::int32_t before = drumOffs_[key];
        before >= 0 && buffer_[static_cast<std::size_t>(before)].time > on) {
        buffer_[static_cast<std::size_t>(before)].time = on;
    }
    Emit(MidiEvent::NoteOn(on, kPercussionChannel, key, strength));
    drumOffs_[key] = static_cast<std::int32_t>(buffer_.size());
    Emit(MidiEvent::NoteOff(off, 0, kPercussionChannel, key, strength));
}

void StylePerformer::PlayDrums(const Span& span) {
    const MeasureContext& measure = span.measure;
    if (drumsVolume_ <= 0 || !measure.drums) {
        return;
    }
    const bool fill = measure.fillBar >= 0;
    const bool light = !fill && measure.light && HasLightRows(*measure.pattern, StylePart::Drums, "drums");
    const std::uint32_t chance =
        measure.light ? kChanceInOpening
                      : kChanceLater + kChancePerLift * static_cast<std::uint32_t>(measure.lift);
    bool crashWritten = false;
    for (const PatternRow& row : measure.pattern->rows) {
        if (row.part != StylePart::Drums || row.ending || row.fill != fill || (!fill && row.light != light)) {
            continue;
        }
        const auto bar = static_cast<std::uint16_t>(
            (fill ? static_cast<std::uint32_t>(measure.fillBar) : measure.round) % row.measures);
        const std::vector<TimedHit>& hits = HitsWithin(span, &row, bar);
        for (std::size_t i = 0; i < hits.size(); ++i) {
            if (hits[i].hit->chance && feel_.Pick(100) >= chance) {
                continue;
            }
            crashWritten = crashWritten || (row.drumKey == kCrash && hits[i].time == measure.start);
            std::int32_t velocity = Weighted(kDrumVelocity, hits[i].hit->weight) * drumsVolume_ / 100;
            if (KeepsTime(row.drumKey) && (hits[i].time - measure.start) % TICKS_PER_QUARTER != 0) {
                velocity = velocity * kOffBeatCymbal / 100;
            }
            const Ticks again = i + 1 < hits.size() ? hits[i + 1].time : span.end;
            PlayDrum(row.drumKey, Velocity(velocity, measure), Nudge(hits[i].time), again);
        }
    }
    if (measure.crash && !crashWritten && span.start == measure.start) {
        const std::int32_t velocity = Weighted(kDrumVelocity, HitWeight::Accent) * drumsVolume_ / 100;
        PlayDrum(kCrash, velocity, Nudge(span.start), span.end);
    }
}

Ticks StylePerformer::Nudge(Ticks written) {
    return feel_.Nudge(written);
}

void StylePerformer::PlayChord(const Chord& chord, Ticks start, Ticks end) {
    Span span{measure_, ChordTones::Of(chord), !GoesOn(chord), start, end};
    if (waiting_) {
        const bool leadsOn = span.changes && span.chord.classes != 0;
        PlaySpan(*waiting_, leadsOn ? std::optional(span.chord) : std::nullopt);
    }
    waiting_ = span;
}

void StylePerformer::AddNote(std::vector<MidiEvent>& pending, std::uint8_t channel, std::int32_t key,
                             std::uint8_t velocity, Ticks on, Ticks off) {
    const auto midiKey = static_cast<std::uint8_t>(key);
    Emit(MidiEvent::NoteOn(on, channel, midiKey, velocity));
    pending.push_back(MidiEvent::NoteOff(off, 0, channel, midiKey, velocity));
}

void StylePerformer::PlayRest(Ticks start) {
    if (waiting_) {
        PlaySpan(*waiting_, std::nullopt);
        waiting_.reset();
    }
    Silence(start);
    FlushBuffer();
}

Ticks StylePerformer::Finish() {
    if (waiting_) {
        PlaySpan(*waiting_, std::nullopt);
        waiting_.reset();
    }
    for (ChordPlayer& player : players_) {
        Release(player.pending);
    }
    Release(pendingBass_);
    FlushBuffer();
    return latest_;
}

Ticks StylePerformer::Settled() const {
    // The chord still waiting, played slightly early at most, and the note-offs still to come.
    Ticks settled = (waiting_ ? waiting_->start : measure_.start) - feel_.MaxEarly();
    const auto earliest = [&settled](const std::vector<MidiEvent>& pending) {
        for (const MidiEvent& noteOff : pending) {
            settled = std::min(settled, noteOff.time);
        }
    };
    for (const ChordPlayer& player : players_) {
        earliest(player.pending);
    }
    earliest(pendingBass_);
    return std::max<Ticks>(0, settled);
}

void StylePerformer::Cut(std::vector<MidiEvent>& pending, Ticks time) {
    for (MidiEvent& noteOff : pending) {
        noteOff.time = std::min(noteOff.time, time);
    }
}

void StylePerformer::Silence(Ticks time) {
    for (ChordPlayer& player : players_) {
        Cut(player.pending, time);
        Release(player.pending);
    }
    Cut(pendingBass_, time);
    Release(pendingBass_);
}

void StylePerformer::PlaySpan(const Span& span, std::optional<ChordTones> next) {
    if (span.chord.classes == 0) {
        Silence(span.start);
        PlayDrums(span);
        FlushBuffer();
        return;
    }
    if (span.measure.last && !next && span.end == span.measure.start + span.measure.ticks) {
        PlayEnding(span);
        FlushBuffer();
        return;
    }
    for (std::size_t i = 0; i < players_.size(); ++i) {
        PlayChordPart(span, i, next);
    }
    PlayBass(span, next);
    PlayDrums(span);
    FlushBuffer();
}

// Every part plays the hits of its row that fall within the chord.
std::vector<StylePerformer::TimedHit>& StylePerformer::HitsWithin(const Span& span, const PatternRow* row,
                                                                  std::uint16_t bar) {
    hits_.clear();
    if (row == nullptr) {
        return hits_;
    }
    const MeasureContext& measure = span.measure;
    const auto& times = measure.timing->hits[static_cast<std::size_t>(row - measure.pattern->rows.data())];
    for (std::size_t i = 0; i < row->hits.size(); ++i) {
        const Ticks written = measure.start + times[i].first;
        if (row->hits[i].measure == bar && written >= span.start && written < span.end) {
            hits_.push_back({&row->hits[i], written, times[i].second - times[i].first});
        }
    }
    return hits_;
}

bool StylePerformer::MayPush(const ChordPlayer& player, const Span& span, Ticks push) {
    const MeasureContext& measure = span.measure;
    const Ticks change = span.end - measure.start;
    // Pushed only onto a bar line or the middle of a 4/4 bar, an eighth before it, and as often as the style
    // says.
    const std::int32_t often = measure.style->push * (100 + kPushPerLift * measure.lift) / 100;
    if (measure.style->push == 0 || measure.swing < 0.5 || change % (measure.ticks / 2) != 0 ||
        push <= span.start - measure.start || feel_.Pick(100) >= static_cast<std::uint32_t>(often)) {
        return false;
    }
    // A push must not make this bar sound as the one before, nor the next, which loses its downbeat, as this.
    const bool midBar = change < measure.ticks;
    Rhythm pushed = midBar ? player.current : player.previous;
    if (midBar) {
        std::erase(pushed.offsets, change);
    }
    pushed.offsets.push_back(push);
    std::sort(pushed.offsets.begin(), pushed.offsets.end());
    pushed.offsets.erase(std::unique(pushed.offsets.begin(), pushed.offsets.end()), pushed.offsets.end());
    if (midBar) {
        return pushed != player.previous;
    }
    Rhythm following = player.current;
    std::erase(following.offsets, 0);
    return pushed != player.older && following != pushed;
}

void StylePerformer::PlayChordPart(const Span& span, std::size_t index, std::optional<ChordTones> next) {
    ChordPlayer& player = players_[index];
    if (!player.sounds) {
        return;
    }
    const MeasureContext& measure = span.measure;
    const CellChoice& cell = measure.cells[index];
    const std::vector<std::int32_t> voicing = player.voicing.Voice(span.chord);
    const auto strike = [&](const std::vector<std::int32_t>& keys, Ticks written, Ticks length,
                            HitWeight weight, Ticks until) {
        const Ticks on = Nudge(written);
        const Ticks off =
            std::max(on + 1, std::min(on + static_cast<Ticks>(length * kCompingSounding), until));
        const std::uint8_t velocity = Velocity(Weighted(player.volume, weight), measure);
        Cut(player.pending, on);
        Release(player.pending);
        for (const std::int32_t key : keys) {
            AddNote(player.pending, player.channel, key, velocity, on, off);
        }
    };
    std::vector<TimedHit>& hits = HitsWithin(span, cell.row, cell.bar);
    const bool struckEarly = span.changes && player.anticipated == span.start;
    if (struckEarly) {
        std::erase_if(hits, [&span](const TimedHit& hit) { return hit.time == span.start; });
    } else if (span.changes && (hits.empty() || hits.front().time != span.start)) {
        // A change is struck where it falls, held to the next hit of the cell.
        const Ticks until = hits.empty() ? span.end : hits.front().time;
        static const PatternHit kStrike;
        hits.insert(hits.begin(), {&kStrike, span.start, until - span.start});
    }
    player.anticipated = -1;
    // The eighth before the next chord's change: there the next chord may be struck early, and held into it.
    const Ticks eighth =
        TICKS_PER_QUARTER - SwingOffset(TICKS_PER_QUARTER / 2, TICKS_PER_QUARTER, measure.swing);
    const Ticks push = span.end - eighth - measure.start;
    const bool pushes = next.has_value() && MayPush(player, span, push);
    if (pushes) {
        std::erase_if(hits, [&](const TimedHit& hit) { return hit.time >= measure.start + push; });
    }
    for (const TimedHit& hit : hits) {
        strike(voicing, hit.time, hit.length, hit.hit->weight, span.end);
    }
    if (pushes) {
        const std::vector<std::int32_t> early = player.voicing.Voice(*next);
        strike(early, measure.start + push, eighth + TICKS_PER_QUARTER, HitWeight::Accent,
               span.end + TICKS_PER_QUARTER);
        player.anticipated = span.end;
        if (span.end - measure.start < measure.ticks) {
            std::erase(player.current.offsets, span.end - measure.start);
            player.current.offsets.push_back(push);
            std::sort(player.current.offsets.begin(), player.current.offsets.end());
        } else {
            player.previous.offsets.push_back(push);
            std::sort(player.previous.offsets.begin(), player.previous.offsets.end());
            std::erase(player.current.offsets, 0);
        }
    }
}

void StylePerformer::PlayBass(const Span& span, std::optional<ChordTones> next) {
    if (!bassSounds_) {
        return;
    }
    std::vector<TimedHit>& hits = HitsWithin(
        span, span.measure.bassRow,
        static_cast<std::uint16_t>(
            span.measure.bassRow == nullptr ? 0 : span.measure.round % span.measure.bassRow->measures));
    const bool playedEarly = span.changes && bassAnticipated_ == span.start;
    bassAnticipated_ = -1;
    static const PatternHit kRoot;
    if (playedEarly) {
        std::erase_if(hits, [&span](const TimedHit& hit) { return hit.time == span.start; });
    } else if (span.changes && (hits.empty() || hits.front().time != span.start)) {
        // The bass lands on the root, or the written bass, at every change.
        const Ticks until = hits.empty() ? span.end : hits.front().time;
        hits.insert(hits.begin(), {&kRoot, span.start, until - span.start});
    }
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const bool lands = i == 0 && span.changes && !playedEarly && hits[i].time == span.start;
        const BassMoment moment{span.chord, next, lands, i + 1 == hits.size() && next};
        BassDegree degree = hits[i].hit->degree;
        if (lands && degree != BassDegree::Walk) {
            degree = BassDegree::Root;
        }
        const std::int32_t key = bass_.Play(degree, moment);
        const Ticks on = Nudge(hits[i].time);
        const bool early = degree == BassDegree::Next && next.has_value();
        const Ticks until = early ? span.end + hits[i].length : span.end;
        const Ticks off =
            std::max(on + 1, std::min(on + static_cast<Ticks>(hits[i].length * kBassSounding), until));
        const std::int32_t accent = moment.changes ? 8 : 0;
        Cut(pendingBass_, on);
        Release(pendingBass_);
        AddNote(pendingBass_, kBassChannel, key, Velocity(bassVolume_ + accent, span.measure), on, off);
        if (early) {
            bassAnticipated_ = span.end;
        }
    }
}

const PatternRow* StylePerformer::EndingRow(const MeterPattern& pattern, StylePart part,
                                            std::string_view id) {
    for (const PatternRow& row : pattern.rows) {
        if (row.ending && row.part == part && (part == StylePart::Drums || row.partId == id)) {
            return &row;
        }
    }
    return nullptr;
}

std::vector<StylePerformer::TimedHit>& StylePerformer::EndingHits(const Span& span, const PatternRow* row) {
    std::vector<TimedHit>& hits = HitsWithin(span, row, 0);
    // The last chord is struck where it falls, whatever the figure.
    if (span.changes && (hits.empty() || hits.front().time != span.start)) {
        static const PatternHit kStrike{0, 0, 1, HitWeight::Accent, BassDegree::Root, false};
        hits.insert(hits.begin(), {&kStrike, span.start, 0});
    }
    return hits;
}

void StylePerformer::PlayEnding(const Span& span) {
    const MeasureContext& measure = span.measure;
    // The last chord is held a measure longer than written (two beats at least), under a cymbal roll or
    // after the style's own ending figure.
    const Ticks hold = std::max<Ticks>(measure.ticks, 2 * TICKS_PER_QUARTER);
    const Ticks end = span.end + hold;
    // A part's hits: those of its row of the ending figure, each but the last as long as written, the last
    // held to the end; without a row, the chord struck where it falls and held.
    const auto figure = [&](const PatternRow* row, std::vector<MidiEvent>& pending, const auto& strike) {
        static const PatternHit kHeld{0, 0, 1, HitWeight::Accent, BassDegree::Root, false};
        const TimedHit held{&kHeld, span.start, 0};
        const std::vector<TimedHit>& hits =
            row != nullptr ? EndingHits(span, row) : std::vector<TimedHit>(1, held);
        for (std::size_t i = 0; i < hits.size(); ++i) {
            const bool last = i + 1 == hits.size();
            const Ticks off = last ? end : std::min(hits[i].time + std::max<Ticks>(1, hits[i].length), end);
            Cut(pending, hits[i].time);
            Release(pending);
            strike(*hits[i].hit, hits[i].time, off);
        }
    };
    for (ChordPlayer& player : players_) {
        if (!player.sounds) {
            continue;
        }
        const std::vector<std::int32_t> voicing = player.voicing.Voice(span.chord);
        figure(EndingRow(*measure.pattern, StylePart::Comping, player.id), player.pending,
               [&](const PatternHit& hit, Ticks on, Ticks off) {
                   const std::uint8_t velocity = Velocity(Weighted(player.volume, hit.weight), measure);
                   for (const std::int32_t key : voicing) {
                       AddNote(player.pending, player.channel, key, velocity, on, off);
                   }
               });
    }
    if (bassSounds_) {
        const PatternRow* row = EndingRow(*measure.pattern, StylePart::Bass, "bass");
        bool lands = span.changes || row == nullptr;
        figure(row, pendingBass_, [&](const PatternHit& hit, Ticks on, Ticks off) {
            const BassDegree degree = lands ? BassDegree::Root : hit.degree;
            const std::int32_t key = bass_.Play(degree, {span.chord, std::nullopt, lands, false});
            lands = false;
            AddNote(pendingBass_, kBassChannel, key, Velocity(bassVolume_ + 8, measure), on, off);
        });
    }
    if (drumsVolume_ <= 0) {
        return;
    }
    if (EndingRow(*measure.pattern, StylePart::Drums, "drums") != nullptr) {
        PlayEndingDrums(span);
        return;
    }
    const Ticks on = span.start;
    const std::int32_t accent = Weighted(kDrumVelocity, HitWeight::Accent) * drumsVolume_ / 100;
    PlayDrum(kCrash, accent, on, end);
    PlayDrum(kKick, accent, on, end);
    // A roll of sixteenth triplets on the ride, swelling from soft to strong and stopping with the chord.
    constexpr Ticks kStroke = TICKS_PER_QUARTER / 6;
    const Ticks from = on + TICKS_PER_QUARTER;
    const Ticks to = end - TICKS_PER_QUARTER / 2;
    for (Ticks stroke = from; stroke < to; stroke += kStroke) {
        const std::int32_t swell =
            30 + static_cast<std::int32_t>(60 * (stroke - from) / std::max<Ticks>(1, to - from));
        PlayDrum(kRide, swell * drumsVolume_ / 100, stroke, stroke + kStroke);
    }
}

void StylePerformer::PlayEndingDrums(const Span& span) {
    const MeasureContext& measure = span.measure;
    for (const PatternRow& row : measure.pattern->rows) {
        if (!row.ending || row.part != StylePart::Drums) {
            continue;
        }
        const std::vector<TimedHit>& hits = HitsWithin(span, &row, 0);
        for (std::size_t i = 0; i < hits.size(); ++i) {
            const std::int32_t velocity = Weighted(kDrumVelocity, hits[i].hit->weight) * drumsVolume_ / 100;
            const Ticks again = i + 1 < hits.size() ? hits[i + 1].time : span.end + measure.ticks;
            PlayDrum(row.drumKey, Velocity(velocity, measure), hits[i].time, again);
        }
    }
}

}  // namespace kaz
