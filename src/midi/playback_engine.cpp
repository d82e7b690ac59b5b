#include "midi/playback_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

#include "render/count_in.h"

namespace kaz {

namespace {

Ticks TruncateToTicks(double position) {
    constexpr double kLow = std::numeric_limits<Ticks>::min();
    constexpr double kHigh = std::numeric_limits<Ticks>::max();
    return static_cast<Ticks>(std::trunc(std::clamp(position, kLow, kHigh)));
}

//! The index of the first event of the sorted list at or after time.
std::size_t FirstEventAt(const EventList& events, Ticks time) {
    std::size_t low = 0;
    std::size_t high = events.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (events[middle].time < time) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

//! The song position at clock reading at, as state has it.
Ticks PositionAt(const PlaybackState& state, std::int64_t at) {
    const std::int64_t elapsed = at - state.clockOrigin;
    return TruncateToTicks(static_cast<double>(elapsed) * state.ticksPerMs + state.baseTicks);
}

//! Make change to state; playing says whether the song position moves on with the clock meanwhile.
void MakeChange(PlaybackState& state, const TimingChange& change, bool playing) {
    switch (change.kind) {
        case TimingChange::Kind::Pause:
            if (!state.paused) {
                state.baseTicks = PositionAt(state, change.at);
                state.paused = true;
            }
            break;
        case TimingChange::Kind::Resume:
            if (state.paused) {
                state.clockOrigin = change.at;
                state.paused = false;
            }
            break;
        case TimingChange::Kind::Tempo:
            if (change.value == state.tempo) {
                break;
            }
            if (playing && !state.paused) {
                state.baseTicks = PositionAt(state, change.at);
                state.clockOrigin = change.at;
            }
            state.tempo = change.value;
            state.ticksPerMs = TicksPerMs(change.value);
            break;
        case TimingChange::Kind::Loop:
            state.looping = change.value != 0;
            break;
    }
}

}  // namespace

PlaybackEngine::Performance::Performance(std::shared_ptr<const CompiledChart> compiled, std::uint64_t number)
    : chart(std::move(compiled)), song(chart->score), number(number) {
    const EventList& events = chart->performance;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].kind == EventKind::ProgramChange) {
            programChanges.push_back(i);
        } else if (events[i].kind == EventKind::ControlChange && events[i].time == 0) {
            mixControls.push_back(i);
        }
    }
}

PlaybackEngine::PlaybackEngine(PlaybackSeams seams) : seams_(std::move(seams)) {}

PlaybackEngine::~PlaybackEngine() {
    seams_.timer.Stop();
    if (port_ != nullptr && port_->IsOpen()) {
        port_->ResetAndClose();
    }
}

std::unique_ptr<PlaybackEngine::Performance> PlaybackEngine::Prepare(
    std::shared_ptr<const CompiledChart> chart) {
    auto performance = std::make_unique<Performance>(std::move(chart), charts_ + 1);
    if (practiced_) {
        const SongMap& song = performance->song;
        if (practiced_->first < 1 || practiced_->last > song.MeasureCount() ||
            practiced_->first > practiced_->last) {
            return nullptr;
        }
        const EventList& events = performance->Events();
        performance->loopStart = song.MeasureStart(practiced_->first);
        performance->loopEnd = song.MeasureEnd(practiced_->last);
        performance->loopFirstEvent = FirstEventAt(events, performance->loopStart);
        performance->loopEndEvent = FirstEventAt(events, performance->loopEnd);
    }
    ++charts_;
    return performance;
}

std::string PlaybackEngine::Play(std::shared_ptr<const CompiledChart> chart, const std::string& deviceName) {
    if (port_ != nullptr) {
        return {};
    }
    practiced_.reset();
    return Start(std::move(chart), deviceName);
}

std::string PlaybackEngine::PlayMeasures(std::shared_ptr<const CompiledChart> chart,
                                         const std::string& deviceName, MeasureSpan measures,
                                         PracticeTempo tempo) {
    if (port_ != nullptr) {
        return {};
    }
    practiced_ = measures;
    practiceTempo_ = tempo;
    std::string failure = Start(std::move(chart), deviceName);
    if (port_ == nullptr) {
        practiced_.reset();
    }
    return failure;
}

std::string PlaybackEngine::Start(std::shared_ptr<const CompiledChart> chart, const std::string& deviceName) {
    if (chart == nullptr || !chart->Accepted()) {
        return {};
    }
    charts_ = 0;
    std::unique_ptr<Performance> performance = Prepare(std::move(chart));
    if (performance == nullptr) {
        return {};
    }
    if (std::string failure = OpenPort(deviceName); !failure.empty()) {
        return failure;
    }
    playing_ = performance.get();
    performances_.push_back(std::move(performance));
    StartPlaying();
    return {};
}

bool PlaybackEngine::Offer(std::shared_ptr<const CompiledChart> chart) {
    if (port_ == nullptr || chart == nullptr || !chart->Accepted()) {
        return false;
    }
    std::unique_ptr<Performance> performance = Prepare(std::move(chart));
    if (performance == nullptr) {
        return false;
    }
    Performance* const offered = performance.get();
    performances_.push_back(std::move(performance));
    // A chart offered before and not taken yet never reaches the ticks now: it can go at once.
    if (Performance* const replaced = offered_.exchange(offered, std::memory_order_acq_rel)) {
        std::erase_if(performances_, [replaced](const auto& kept) { return kept.get() == replaced; });
    }
    // The ticks look again for when to wake: the next measure boundary is due now.
    seams_.timer.WakeAt(seams_.clock.Milliseconds());
    return true;
}

std::string PlaybackEngine::OpenPort(const std::string& deviceName) {
    port_ = seams_.makePort();
    if (port_ == nullptr || !port_->OpenByName(deviceName)) {
        // A known reason (a recording that cannot be written) says more than that no device opened.
        std::string failure = port_ != nullptr ? port_->Failure() : std::string();
        if (port_ != nullptr && port_->IsOpen()) {
            port_->ResetAndClose();
        }
        port_.reset();
        return failure.empty() ? std::string(kCannotOpenMidiDevice) : failure;
    }
    shifting_ = std::make_unique<ShiftingPort>(*port_);
    output_ = std::make_unique<NoteTrackingPort>(*shifting_);
    return {};
}

void PlaybackEngine::StartPlaying() {
    programs_.fill(-1);
    if (practiced_) {
        ChooseTheMixBefore(playing_->loopFirstEvent);
        RestartAt(playing_->loopStart, playing_->loopFirstEvent);
    } else {
        RestartFromTheTop();
    }
    state_.ticksPerMs = TicksPerMs(state_.tempo);
    if (countIn_) {
        if (const Measure* first = playing_->chart->score.MeasureAt(practiced_ ? practiced_->first - 1 : 0)) {
            StartCountIn(*first->source, state_.baseTicks);
        }
    }
    reachedTicks_ = state_.baseTicks - 1;
    chartFrom_ = state_.nextIndex;
    changesSent_ = changesMade_ = 0;
    rounds_ = shownRounds_ = 0;
    raises_ = shownRaises_ = 0;
    playingKeyStep_ = keyStep_;
    playingKeyShift_ = keyShift_;
    shifting_->SetShift(playingKeyShift_);
    shownShift_ = 0;
    shownIndex_ = state_.nextIndex;
    shownChart_ = playing_->number;
    over_ = false;
    Publish();
    const std::optional<std::int64_t> firstWake = NextWake();
    ticking_ = true;
    seams_.timer.Start(
        kPlaybackTimerPeriodMs, [this] { OnPlaybackTimer(); }, [this] { OnHandedBack(); });
    if (firstWake) {
        seams_.timer.WakeAt(*firstWake);
    }
    NotifyStateChanged();
}

void PlaybackEngine::StartCountIn(const Measure& first, Ticks start) {
    AddCountIn(clicks_, first.meterNum, first.meterDen, first.ticks, start);
    nextClick_ = 0;
    // The clock starts a measure before the music.
    state_.baseTicks = start - first.ticks;
}

std::optional<std::int64_t> PlaybackEngine::NextWake() const {
    const std::optional<Ticks> due = NextDueTime();
    if (port_ == nullptr || state_.paused || !due) {
        return std::nullopt;
    }
    // The first whole number of milliseconds after the origin at which a tick performs the event, found in
    // the tick's own double arithmetic.
    const auto ahead = static_cast<double>(std::int64_t{*due} - state_.baseTicks);
    auto elapsed = static_cast<std::int64_t>(std::ceil(std::max(0.0, ahead) / state_.ticksPerMs));
    while (elapsed > 0 && static_cast<double>(elapsed - 1) * state_.ticksPerMs >= ahead) {
        --elapsed;
    }
    while (static_cast<double>(elapsed) * state_.ticksPerMs < ahead) {
        ++elapsed;
    }
    return state_.clockOrigin + elapsed;
}

void PlaybackEngine::NotifyStateChanged() const {
    if (seams_.stateChanged) {
        seams_.stateChanged();
    }
}

std::size_t PlaybackEngine::EndEvent() const {
    return practiced_ ? playing_->loopEndEvent : playing_->Events().size();
}

std::optional<Ticks> PlaybackEngine::NextDueTime() const {
    if (nextClick_ < clicks_.size()) {
        return clicks_[nextClick_].time;
    }
    const EventList& events = playing_->Events();
    std::optional<Ticks> due;
    if (practiced_) {
        // The end of the last measure, where the loop goes round, is due even without an event there.
        due = state_.nextIndex < playing_->loopEndEvent ? events[state_.nextIndex].time : playing_->loopEnd;
    } else if (state_.nextIndex < events.size()) {
        due = events[state_.nextIndex].time;
    }
    // A chart offered takes over at the next measure boundary, whose first events may come before the next
    // one of the chart that plays.
    if (offered_.load(std::memory_order_relaxed) != nullptr) {
        const SongMap& song = playing_->song;
        const int measure = song.MeasureAt(static_cast<double>(reachedTicks_)) + 1;
        if (measure <= (practiced_ ? practiced_->last : song.MeasureCount())) {
            due = std::min(due.value_or(std::numeric_limits<Ticks>::max()), song.MeasureStart(measure));
        }
    }
    return due;
}

void PlaybackEngine::RestartFromTheTop() {
    RestartAt(0, 0);
}

void PlaybackEngine::RestartAt(Ticks position, std::size_t index) {
    state_.clockOrigin = seams_.clock.Milliseconds();
    state_.baseTicks = position;
    state_.nextIndex = index;
    reachedTicks_ = position - 1;
}

void PlaybackEngine::GoRoundAgain() {
    // Notes held past the last measure would otherwise sound on through every round.
    output_->ReleaseAll();
    static_cast<void>(TakeOver(playing_->loopEnd, practiced_->first));
    RestartAt(playing_->loopStart, playing_->loopFirstEvent);
    CountRound();
    const std::int32_t faster = std::min(state_.tempo + practiceTempo_.step, practiceTempo_.ceiling);
    if (practiceTempo_.step > 0 && faster > state_.tempo) {
        MakeChange(state_, {TimingChange::Kind::Tempo, state_.clockOrigin, faster}, true);
        ++raises_;
    }
}

void PlaybackEngine::CountRound() {
    ++rounds_;
    if (playingKeyStep_ != 0) {
        // What still sounds is released in the key it was struck in.
        output_->ReleaseAll();
        shifting_->SetShift(playingKeyShift_ + ShiftOfRound(playingKeyStep_, rounds_));
    }
}

std::size_t PlaybackEngine::PerformDueEvents(const EventList& list, std::size_t index, std::size_t end,
                                             double reached, bool& highlighted) {
    for (; index < end; ++index) {
        const MidiEvent& event = list[index];
        const auto ahead = static_cast<double>(std::int64_t{event.time} - state_.baseTicks);
        if (ahead > reached) {
            break;
        }
        if (event.kind == EventKind::ProgramChange) {
            ChooseInstrument(event);
        } else {
            event.Play(*output_);
        }
        highlighted = highlighted || event.kind == EventKind::Highlight;
    }
    return index;
}

void PlaybackEngine::ChooseTheMixBefore(std::size_t firstEvent) {
    // The instruments and their place in the mix are chosen at the start of the song: choose them as they
    // are where the playing starts.
    const EventList& events = playing_->Events();
    for (const std::size_t index : playing_->programChanges) {
        if (index < firstEvent && programs_[events[index].channel()] != events[index].program()) {
            ChooseInstrument(events[index]);
        }
    }
    for (std::size_t i = 0; i < firstEvent; ++i) {
        if (events[i].kind == EventKind::ControlChange) {
            events[i].Play(*output_);
        }
    }
}

void PlaybackEngine::ChooseInstrument(const MidiEvent& programChange) {
    programChange.Play(*output_);
    programs_[programChange.channel()] = programChange.program();
}

void PlaybackEngine::TakeOverTheMix(const Performance& next) {
    const EventList& played = playing_->Events();
    for (const std::size_t index : next.mixControls) {
        const MidiEvent& control = next.Events()[index];
        const bool alreadySet =
            std::any_of(playing_->mixControls.begin(), playing_->mixControls.end(), [&](std::size_t old) {
                return played[old].channel() == control.channel() &&
                       played[old].controller() == control.controller() &&
                       played[old].value() == control.value();
            });
        if (!alreadySet) {
            control.Play(*output_);
        }
    }
}

bool PlaybackEngine::TakeOver(Ticks boundary, int measure) {
    Performance* const next = offered_.exchange(nullptr, std::memory_order_acq_rel);
    if (next == nullptr) {
        return false;
    }
    // The notes struck before the change end with it: the new chart's own come from the boundary on.
    output_->ReleaseAll();
    const SongMap& song = next->song;
    const Ticks target = practiced_ && measure == practiced_->first ? next->loopStart
                         : measure <= song.MeasureCount()           ? song.MeasureStart(measure)
                         : song.MeasureCount() > 0                  ? song.MeasureEnd(song.MeasureCount())
                                                                    : 0;
    // An instrument the new chart chose before the boundary is chosen now.
    const EventList& events = next->Events();
    for (const std::size_t index : next->programChanges) {
        const MidiEvent& event = events[index];
        if (event.time >= target) {
            break;
        }
        if (programs_[event.channel()] != event.program()) {
            ChooseInstrument(event);
        }
    }
    TakeOverTheMix(*next);
    playing_ = next;
    state_.baseTicks += target - boundary;
    state_.nextIndex = FirstEventAt(events, target);
    chartFrom_ = state_.nextIndex;
    reachedTicks_ = target - 1;
    return true;
}

bool PlaybackEngine::TakeOverAtBoundary(double reached, bool& highlighted) {
    if (offered_.load(std::memory_order_acquire) == nullptr) {
        return false;
    }
    const SongMap& song = playing_->song;
    const int measure = song.MeasureAt(static_cast<double>(reachedTicks_)) + 1;
    if (measure > (practiced_ ? practiced_->last : song.MeasureCount())) {
        return false;
    }
    const Ticks boundary = song.MeasureStart(measure);
    const auto before = static_cast<double>(std::int64_t{boundary} - 1 - state_.baseTicks);
    if (before >= reached) {
        return false;
    }
    // Everything before the boundary is the old chart's.
    nextClick_ = PerformDueEvents(clicks_, nextClick_, clicks_.size(), before, highlighted);
    state_.nextIndex =
        PerformDueEvents(playing_->Events(), state_.nextIndex, EndEvent(), before, highlighted);
    return TakeOver(boundary, measure);
}

bool PlaybackEngine::MakeChanges() {
    bool made = false;
    TimingChange change;
    while (changes_.Pop(change)) {
        MakeChange(state_, change, true);
        ++changesMade_;
        made = true;
    }
    return made;
}

void PlaybackEngine::Publish() {
    progress_.Publish({state_, changesMade_, rounds_, raises_, playing_->number, chartFrom_, over_});
}

void PlaybackEngine::OnPlaybackTimer() {
    if (port_ == nullptr) {
        return;
    }
    // Taken after the end too, until the window's thread stops the timer: a command never finds the queue
    // full for long.
    bool moved = MakeChanges();
    if (over_) {
        if (moved) {
            Publish();
        }
        return;
    }
    bool handBack = false;
    // An output that failed on the way (a recording onto a full disk) ends the playback; Stop says why.
    if (!port_->Failure().empty()) {
        over_ = true;
    } else if (!state_.paused) {
        const std::uint64_t raises = raises_;
        const std::uint64_t chart = playing_->number;
        if (practiced_) {
            if (state_.nextIndex >= playing_->loopEndEvent && PositionNow() >= playing_->loopEnd) {
                GoRoundAgain();
                moved = true;
            }
        } else if (state_.nextIndex >= playing_->Events().size()) {
            over_ = playing_->Events().empty() || !state_.looping;
            if (!over_) {
                static_cast<void>(TakeOver(0, 1));
                // Round again the band goes on into the top, without the intro it opened with.
                const SongMap& song = playing_->song;
                const Ticks top = song.MeasureCount() > 0 ? song.MeasureStart(1) : 0;
                const std::size_t topEvent = FirstEventAt(playing_->Events(), top);
                ChooseTheMixBefore(topEvent);
                RestartAt(top, topEvent);
                CountRound();
                moved = true;
            }
        }
        if (!over_) {
            const std::int64_t elapsed = seams_.clock.Milliseconds() - state_.clockOrigin;
            const double reached = static_cast<double>(elapsed) * state_.ticksPerMs;
            const std::size_t clicksBefore = nextClick_;
            const std::size_t eventsBefore = state_.nextIndex;
            moved = TakeOverAtBoundary(reached, handBack) || moved;
            nextClick_ = PerformDueEvents(clicks_, nextClick_, clicks_.size(), reached, handBack);
            state_.nextIndex =
                PerformDueEvents(playing_->Events(), state_.nextIndex, EndEvent(), reached, handBack);
            reachedTicks_ = TruncateToTicks(reached + state_.baseTicks);
            moved = moved || nextClick_ != clicksBefore || state_.nextIndex != eventsBefore;
            if (const std::optional<std::int64_t> wake = NextWake()) {
                seams_.timer.WakeAt(*wake);
            }
        }
        handBack = handBack || raises_ != raises || playing_->number != chart;
    }
    if (moved || over_) {
        Publish();
    }
    // Last: a timer without a thread of its own shows what is handed back at once, the stop included.
    if (handBack || over_) {
        seams_.timer.HandBack();
    }
}

const PlaybackEngine::Performance* PlaybackEngine::Reported() const {
    if (!ticking_) {
        return nullptr;
    }
    const std::uint64_t number = progress_.Latest().chart;
    for (const auto& performance : performances_) {
        if (performance->number == number) {
            return performance.get();
        }
    }
    return nullptr;
}

void PlaybackEngine::ForgetPlayed(std::uint64_t playing) {
    // The ticks published the newer chart after they last touched the older ones.
    std::erase_if(performances_,
                  [playing](const auto& performance) { return performance->number < playing; });
}

void PlaybackEngine::OnHandedBack() {
    if (!ticking_) {
        return;
    }
    const PlaybackProgress progress = progress_.Latest();
    if (progress.raises != shownRaises_) {
        shownRaises_ = progress.raises;
        seams_.tempoRaised(progress.state.tempo);
    }
    if (const int shift = ShiftOfRound(playingKeyStep_, progress.rounds); shift != shownShift_) {
        shownShift_ = shift;
        seams_.keyMoved(shift);
    }
    ReportHighlights(progress);
    ForgetPlayed(progress.chart);
    if (progress.over) {
        OnStop();
        seams_.songOver();
    }
}

void PlaybackEngine::ReportHighlights(const PlaybackProgress& progress) {
    const Performance* const playing = Reported();
    if (playing == nullptr) {
        return;
    }
    if (progress.chart != shownChart_) {
        // What the chart before played until the change has passed: the new chart shows from where it took
        // over.
        shownChart_ = progress.chart;
        shownIndex_ = progress.chartFrom;
        shownRounds_ = progress.rounds;
    }
    const CompiledChart& chart = *playing->chart;
    const auto report = [&](std::size_t from, std::size_t to) {
        const auto first =
            std::lower_bound(chart.cues.begin(), chart.cues.end(), from,
                             [](const Cue& cue, std::size_t event) { return cue.event < event; });
        for (auto cue = first; cue != chart.cues.end() && cue->event < to; ++cue) {
            seams_.sounding(chart, cue->text);
        }
    };
    const std::size_t end = practiced_ ? playing->loopEndEvent : playing->Events().size();
    if (progress.rounds != shownRounds_) {
        // The rest of the round shown last; rounds that came and went in between would change nothing.
        report(shownIndex_, end);
        shownIndex_ = practiced_ ? playing->loopFirstEvent : 0;
        shownRounds_ = progress.rounds;
    }
    report(shownIndex_, progress.state.nextIndex);
    shownIndex_ = std::max(shownIndex_, progress.state.nextIndex);
}

void PlaybackEngine::OnStop() {
    // The last tick finishes before the port goes; the changes still on their way are made here.
    seams_.timer.Stop();
    if (ticking_) {
        static_cast<void>(MakeChanges());
        ticking_ = false;
    }
    std::string failure;
    if (port_ != nullptr) {
        if (port_->IsOpen()) {
            port_->ResetAndClose();
        }
        failure = port_->Failure();
        output_.reset();
        shifting_.reset();
        port_.reset();
    }
    state_.paused = false;
    nextClick_ = 0;
    over_ = false;
    practiced_.reset();
    clicks_.Clear();
    offered_.store(nullptr, std::memory_order_relaxed);
    playing_ = nullptr;
    performances_.clear();
    NotifyStateChanged();
    // Once stopped: an output that failed on the way (a recording onto a full disk) is not passed over.
    if (!failure.empty()) {
        seams_.failed(failure);
    }
}

Ticks PlaybackEngine::PositionNow() const {
    return PositionAt(state_, seams_.clock.Milliseconds());
}

void PlaybackEngine::Change(const TimingChange& change) {
    if (!ticking_) {
        MakeChange(state_, change, false);
        return;
    }
    expected_ = Following();
    MakeChange(expected_, change, true);
    // The ticks take a change at their next wake, which comes at once: the queue fills only if they stop.
    while (!changes_.Push(change)) {
        std::this_thread::yield();
    }
    ++changesSent_;
    seams_.timer.WakeAt(change.at);
}

void PlaybackEngine::OnPauseResume() {
    // Only reachable with a port open; pausing a stopped engine would leave the next Play frozen.
    if (port_ == nullptr) {
        return;
    }
    const bool paused = !State().paused;
    Change({paused ? TimingChange::Kind::Pause : TimingChange::Kind::Resume, seams_.clock.Milliseconds()});
    NotifyStateChanged();
}

void PlaybackEngine::OnLoop() {
    const bool looping = !State().looping;
    Change({TimingChange::Kind::Loop, seams_.clock.Milliseconds(), looping ? 1 : 0});
    NotifyStateChanged();
}

void PlaybackEngine::SetPlaybackTempo(std::int32_t value) {
    if (value != State().tempo) {
        Change({TimingChange::Kind::Tempo, seams_.clock.Milliseconds(), value});
    }
}

PlaybackState PlaybackEngine::State() const {
    return ticking_ ? Following() : state_;
}

PlaybackState PlaybackEngine::Following() const {
    const PlaybackProgress& progress = progress_.Latest();
    return progress.changesMade == changesSent_ ? progress.state : expected_;
}

double PlaybackEngine::SongPosition() const {
    if (port_ == nullptr) {
        return 0.0;
    }
    const PlaybackState state = State();
    if (state.paused) {
        return state.baseTicks;
    }
    const std::int64_t elapsed = seams_.clock.Milliseconds() - state.clockOrigin;
    return static_cast<double>(elapsed) * state.ticksPerMs + state.baseTicks;
}

CommandState PlaybackEngine::QueryCommand(PlaybackCommand command) const {
    const bool stopped = IsStopped();
    const PlaybackState state = State();
    switch (command) {
        case PlaybackCommand::Play:
            return {stopped, !stopped};
        case PlaybackCommand::PauseResume:
            return {!stopped, state.paused};
        case PlaybackCommand::Stop:
            return {!stopped, false};
        case PlaybackCommand::Loop:
            return {true, state.looping};
        case PlaybackCommand::ExportMidi:
        case PlaybackCommand::Transpose:
        case PlaybackCommand::Edit:
            return {stopped, false};
        case PlaybackCommand::LoopSelectedMeasures:
            return {stopped, practiced_.has_value()};
    }
    return {};
}

std::optional<MeasureSpan> PlaybackEngine::PractisedMeasures() const {
    return practiced_;
}

std::shared_ptr<const CompiledChart> PlaybackEngine::Playing() const {
    const Performance* const playing = Reported();
    return playing != nullptr ? playing->chart : nullptr;
}

const SongMap* PlaybackEngine::PlayingSong() const {
    const Performance* const playing = Reported();
    return playing != nullptr ? &playing->song : nullptr;
}

std::optional<PlayingPlace> PlaybackEngine::Place() const {
    const Performance* const playing = Reported();
    if (playing == nullptr) {
        return std::nullopt;
    }
    std::optional<MeasureSpan> loop = practiced_;
    if (!loop && State().looping) {
        loop = MeasureSpan{1, playing->song.MeasureCount()};
    }
    return PlayingPlace{playing->chart, playing->song.PlaceAt(SongPosition(), loop)};
}

}  // namespace kaz
