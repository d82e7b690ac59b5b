#include "render/style_performer.h"

#include <algorithm>

#include "base/midi_bytes.h"

namespace kaz {

namespace {

// Voice groups of the pending note-offs; the block chords use 0.
constexpr std::int32_t kCompingTag = 1;
constexpr std::int32_t kBassTag = 2;
constexpr std::int32_t kDrumsTag = 3;
// A drum is struck, not held: its note-off follows after a sixteenth.
constexpr Ticks kDrumLength = TICKS_PER_QUARTER / 4;
// The share of a written length that sounds: the comping breathes between hits, the bass hardly.
constexpr double kCompingSounding = 0.9;
constexpr double kBassSounding = 0.96;

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

}  // namespace

StylePerformer::StylePerformer(const BandSettings& band, std::int32_t tempo, EventList& events)
    : band_(band), tempo_(tempo), events_(events), feel_(band.seed, band.feel), bass_(feel_) {}

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
        if (row.part == StylePart::Comping && timing.comping == nullptr) {
            timing.comping = &row;
        } else if (row.part == StylePart::Bass && timing.bass == nullptr) {
            timing.bass = &row;
        }
        timing.hasFill = timing.hasFill || (row.part == StylePart::Drums && row.fill);
    }
    return timing;
}

void StylePerformer::StartMeasure(const MeasureCue& cue) {
    const Measure& source = *cue.source;
    measure_.style = cue.style;
    measure_.pattern = &PatternFor(*cue.style, source.meterNum, source.meterDen);
    measure_.start = cue.start;
    measure_.ticks = source.ticks;
    measure_.beats = source.meterNum;
    measure_.round = cue.round;
    measure_.fill = cue.fill;
    measure_.drums = cue.drums;
    measure_.last = cue.last;
    // Swing belongs to beats of a quarter or a half; compound meters keep their eighths even.
    const double share = band_.swing > 0 ? band_.swing / 100.0 : cue.style->swing.ShareAt(tempo_);
    measure_.swing = source.meterDen <= 4 ? share : 0.5;
    measure_.timing = &TimingFor(*measure_.pattern, measure_.ticks, measure_.swing);
}

void StylePerformer::Emit(const MidiEvent& noteOn) {
    buffer_.push_back(noteOn);
    events_.notesAdded = true;
}

void StylePerformer::Release(std::vector<MidiEvent>& pending) {
    released_.insert(released_.end(), pending.begin(), pending.end());
    pending.clear();
}

void StylePerformer::FlushBuffer() {
    // The note-offs released while the chord was played come before its own events, as the parts played
    // them one after the other, each in time order: a stable insertion sort puts all of them in order in a
    // few steps, and the list takes them in one piece, nearly always after what it holds.
    released_.insert(released_.end(), buffer_.begin(), buffer_.end());
    buffer_.clear();
    InsertionSortWithin(released_, 0);
    events_.AddEvents(released_);
    released_.clear();
}

void StylePerformer::PlayDrums(const Span& span) {
    const MeasureContext& measure = span.measure;
    const std::int32_t volume = band_.drumsVolume * measure.style->drumsVolume / 100;
    if (volume <= 0 || !measure.drums) {
        return;
    }
    const bool hasFill = measure.fill && measure.timing->hasFill;
    for (const PatternRow& row : measure.pattern->rows) {
        if (row.part != StylePart::Drums || row.fill != hasFill) {
            continue;
        }
        const std::vector<TimedHit>& hits = HitsWithin(span, &row);
        for (std::size_t i = 0; i < hits.size(); ++i) {
            const Ticks on = Nudge(measure, hits[i].time);
            const std::uint8_t velocity = feel_.Vary(Weighted(96, hits[i].hit->weight) * volume / 100);
            // A drum rings a sixteenth, but stops before its row can strike it again, however early the next
            // stroke comes (in this chord, or in the next one at the earliest): the note-off of one stroke
            // must never end the next. Elsewhere a drum may ring into the next measure; the end of the track
            // must come last.
            const Ticks again = (i + 1 < hits.size() ? hits[i + 1].time : span.end) - feel_.MaxEarly();
            Ticks off = std::min(on + kDrumLength, std::max(on + 1, again));
            if (measure.last) {
                off = std::min(off, measure.start + measure.ticks);
            }
            Emit(MidiEvent::NoteOn(on, kPercussionChannel, row.drumKey, velocity));
            Emit(MidiEvent::NoteOff(off, kDrumsTag, kPercussionChannel, row.drumKey, velocity));
        }
    }
}

Ticks StylePerformer::Nudge(const MeasureContext& measure, Ticks written) {
    const Ticks on = feel_.Nudge(written);
    // The end of the track must come last: in a last measure shorter than a nudge, a late note stays in it.
    return measure.last ? std::min(on, measure.start + measure.ticks - 1) : on;
}

void StylePerformer::PlayChord(const Chord& chord, Ticks start, Ticks end) {
    Span span{measure_, ChordTones::Of(chord), !GoesOn(chord), start, end};
    if (waiting_) {
        const bool leadsOn = span.changes && span.chord.classes != 0;
        PlaySpan(*waiting_, leadsOn ? std::optional(span.chord) : std::nullopt);
    }
    waiting_ = span;
}

void StylePerformer::AddNote(std::int32_t tag, std::uint8_t channel, std::int32_t key, std::uint8_t velocity,
                             Ticks on, Ticks off) {
    const auto midiKey = static_cast<std::uint8_t>(key);
    Emit(MidiEvent::NoteOn(on, channel, midiKey, velocity));
    (tag == kCompingTag ? pendingComping_ : pendingBass_)
        .push_back(MidiEvent::NoteOff(off, tag, channel, midiKey, velocity));
}

void StylePerformer::PlayRest(Ticks start) {
    if (waiting_) {
        PlaySpan(*waiting_, std::nullopt);
        waiting_.reset();
    }
    Silence(start);
    FlushBuffer();
}

void StylePerformer::Finish() {
    if (waiting_) {
        PlaySpan(*waiting_, std::nullopt);
        waiting_.reset();
    }
    Release(pendingComping_);
    Release(pendingBass_);
    FlushBuffer();
}

Ticks StylePerformer::Settled() const {
    // The chord still waiting, played slightly early at most, and the note-offs still to come.
    Ticks settled = (waiting_ ? waiting_->start : measure_.start) - feel_.MaxEarly();
    for (const std::vector<MidiEvent>* pending : {&pendingComping_, &pendingBass_}) {
        for (const MidiEvent& noteOff : *pending) {
            settled = std::min(settled, noteOff.time);
        }
    }
    return std::max<Ticks>(0, settled);
}

void StylePerformer::Cut(std::vector<MidiEvent>& pending, Ticks time) {
    for (MidiEvent& noteOff : pending) {
        noteOff.time = std::min(noteOff.time, time);
    }
}

void StylePerformer::Silence(Ticks time) {
    for (std::vector<MidiEvent>* pending : {&pendingComping_, &pendingBass_}) {
        Cut(*pending, time);
        Release(*pending);
    }
}

void StylePerformer::PlaySpan(const Span& span, std::optional<ChordTones> next) {
    if (span.chord.classes == 0) {
        Silence(span.start);
        PlayDrums(span);
        FlushBuffer();
        return;
    }
    if (band_.chordsEnabled) {
        PlayComping(span, span.measure.timing->comping);
    }
    if (band_.bassEnabled) {
        PlayBass(span, span.measure.timing->bass, next);
    }
    PlayDrums(span);
    FlushBuffer();
}

// Both voices play the hits of their row that fall within the chord; a new chord that no hit falls on is
// struck once at its start, so every chord of the chart sounds.
std::vector<StylePerformer::TimedHit>& StylePerformer::HitsWithin(const Span& span, const PatternRow* row) {
    hits_.clear();
    if (row == nullptr) {
        return hits_;
    }
    const MeasureContext& measure = span.measure;
    const auto& times = measure.timing->hits[static_cast<std::size_t>(row - measure.pattern->rows.data())];
    const auto round = static_cast<std::uint16_t>(measure.round % row->measures);
    for (std::size_t i = 0; i < row->hits.size(); ++i) {
        const Ticks written = measure.start + times[i].first;
        if (row->hits[i].measure == round && written >= span.start && written < span.end) {
            hits_.push_back({&row->hits[i], written, times[i].second - times[i].first});
        }
    }
    return hits_;
}

void StylePerformer::PlayComping(const Span& span, const PatternRow* row) {
    const std::vector<std::int32_t>& voicing = comping_.Voice(span.chord);
    const auto play = [&](Ticks written, Ticks length, HitWeight weight) {
        const Ticks on = Nudge(span.measure, written);
        const Ticks off =
            std::max(on + 1, std::min(on + static_cast<Ticks>(length * kCompingSounding), span.end));
        const std::uint8_t velocity = feel_.Vary(Weighted(band_.chordsVolume, weight));
        Cut(pendingComping_, on);
        Release(pendingComping_);
        for (const std::int32_t key : voicing) {
            AddNote(kCompingTag, kChordsChannel, key, velocity, on, off);
        }
    };
    const std::vector<TimedHit>& hits = HitsWithin(span, row);
    for (const TimedHit& hit : hits) {
        play(hit.time, hit.length, hit.hit->weight);
    }
    if (hits.empty() && span.changes) {
        play(span.start, span.end - span.start, HitWeight::Plain);
    }
}

void StylePerformer::PlayBass(const Span& span, const PatternRow* row, std::optional<ChordTones> next) {
    std::vector<TimedHit>& hits = HitsWithin(span, row);
    const PatternHit rootAtStart;
    if (hits.empty()) {
        if (!span.changes) {
            return;
        }
        hits.push_back({&rootAtStart, span.start, span.end - span.start});
    }
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const BassMoment moment{span.chord, next, i == 0 && span.changes, i + 1 == hits.size() && next};
        const std::int32_t key = bass_.Play(hits[i].hit->degree, moment);
        const Ticks on = Nudge(span.measure, hits[i].time);
        const Ticks off =
            std::max(on + 1, std::min(on + static_cast<Ticks>(hits[i].length * kBassSounding), span.end));
        const std::int32_t accent = moment.changes ? 8 : 0;
        Cut(pendingBass_, on);
        Release(pendingBass_);
        AddNote(kBassTag, kBassChannel, key, feel_.Vary(band_.bassVolume + accent), on, off);
    }
}

}  // namespace kaz
