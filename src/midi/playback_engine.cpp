#include "midi/playback_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <utility>

#include "midi/count_in.h"

namespace kaz {

PlaybackEngine::Practice::Practice() = default;

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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

std::int64_t ParseTempoText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Far beyond any tempo; more digits cannot bring the value back into range.
    constexpr std::int64_t kCeiling = 1'000'000'000'000;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(kCeiling, value * 10 + (text[i] - '0'));
    }
    return negative ? -value : value;
}

PlaybackEngine::PlaybackEngine(CompileState& compile, PlaybackSeams seams)
    : compile_(compile), seams_(std::move(seams)) {}

PlaybackEngine::~PlaybackEngine() {
    seams_.timer.Stop();
    if (port_ != nullptr && port_->IsOpen()) {
        port_->ResetAndClose();
    }
    port_.reset();
    ClearScore(compile_.score, compile_.events);
}

void PlaybackEngine::OnPlay(std::string_view chartText) {
    if (port_ != nullptr) {
        return;
    }
    if (Compile(chartText) && OpenPort()) {
        StartPlaying();
    }
}

void PlaybackEngine::OnLoopSelectedMeasures(std::string_view chartText, PracticeTempo tempo) {
    if (port_ != nullptr || !Compile(chartText)) {
        return;
    }
    const SongMap song(compile_.score);
    const std::optional<MeasureSpan> measures = song.MeasuresTouching(chartText, seams_.view.Selection());
    if (!measures || !OpenPort()) {
        return;
    }
    const EventList& events = compile_.events;
    Practice& practice = practice_.emplace();
    practice.measures = *measures;
    practice.start = song.MeasureStart(measures->first);
    practice.end = song.MeasureEnd(measures->last);
    practice.firstEvent = FirstEventAt(events, practice.start);
    practice.endEvent = FirstEventAt(events, practice.end);
    practice.tempo = tempo;
    practice.port = std::make_unique<NoteTrackingPort>(*port_);
    // The instruments and their place in the mix are chosen at the start of the song: choose them as they
    // are where the loop starts.
    for (std::size_t i = 0; i < practice.firstEvent; ++i) {
        if (events[i].kind == EventKind::ProgramChange || events[i].kind == EventKind::ControlChange) {
            events[i].Play(Output(), seams_.view);
        }
    }
    StartPlaying();
}

void PlaybackEngine::TakeTempoMark(std::optional<std::int32_t> mark) {
    if (mark && mark != markTaken_) {
        SetPlaybackTempo(*mark);
        ShowTempo(*mark);
    }
    markTaken_ = mark;
}

bool PlaybackEngine::Compile(std::string_view chartText) {
    // The performance's tempo event carries the transport tempo unless the chart has its own, or the user's
    // tempo holds over it.
    compile_.settings.transportTempo = State().tempo;
    compile_.settings.heldTempoMark = holdUserTempo_ ? markTaken_ : std::nullopt;
    return seams_.compile(compile_, chartText, seams_.view, seams_.presenter);
}

bool PlaybackEngine::OpenPort() {
    const std::string deviceName = seams_.transport.SelectedDeviceName();
    port_ = seams_.makePort();
    if (port_ == nullptr || !port_->OpenByName(deviceName)) {
        // A known reason (a recording that cannot be written) says more than that no device opened.
        const std::string failure = port_ != nullptr ? port_->Failure() : std::string();
        seams_.presenter.ShowMessage(kProgramCaption, failure.empty() ? kCannotOpenMidiDevice : failure,
                                     MessageIcon::Exclamation);
        if (port_ != nullptr && port_->IsOpen()) {
            port_->ResetAndClose();
        }
        port_.reset();
        return false;
    }
    return true;
}

void PlaybackEngine::StartPlaying() {
    // The chart's own tempo mark wins, and the tempo field shows it; the live controls go on from there.
    if (holdUserTempo_) {
        TakeTempoMark(compile_.score.tempoGiven ? std::optional(compile_.score.scoreTempo) : std::nullopt);
    } else if (compile_.score.tempoGiven) {
        state_.tempo = compile_.score.scoreTempo;
        ShowTempo(compile_.score.scoreTempo);
    }
    // A value the field could not take ("0", "9999") gives way to the tempo that plays.
    if (ParseTempoText(seams_.transport.TempoText()) != state_.tempo) {
        ShowTempo(state_.tempo);
    }
    savedSelection_ = seams_.view.Selection();
    seams_.transport.SetLatch(TransportLatch::Play, true);
    seams_.transport.SetTempoReadOnly(true);
    seams_.transport.SetDeviceListEnabled(false);
    seams_.view.SetReadOnly(true);
    if (practice_) {
        RestartAt(practice_->start, practice_->firstEvent);
    } else {
        RestartFromTheTop();
    }
    state_.ticksPerMs = TicksPerMs(state_.tempo);
    if (countIn_) {
        if (const Measure* first = compile_.score.MeasureAt(practice_ ? practice_->measures.first - 1 : 0)) {
            StartCountIn(*first->source, state_.baseTicks);
        }
    }
    changesSent_ = changesMade_ = 0;
    rounds_ = shownRounds_ = 0;
    raises_ = shownRaises_ = 0;
    shownIndex_ = state_.nextIndex;
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

void PlaybackEngine::ShowTempo(std::int32_t value) {
    showingTempo_ = true;
    seams_.transport.SetTempoText(std::to_string(value));
    showingTempo_ = false;
}

std::optional<Ticks> PlaybackEngine::NextDueTime() const {
    if (nextClick_ < clicks_.size()) {
        return clicks_[nextClick_].time;
    }
    if (practice_) {
        // The end of the last measure, where the loop goes round, is due even without an event there.
        return state_.nextIndex < practice_->endEvent ? compile_.events[state_.nextIndex].time
                                                      : practice_->end;
    }
    if (state_.nextIndex < compile_.events.size()) {
        return compile_.events[state_.nextIndex].time;
    }
    return std::nullopt;
}

void PlaybackEngine::RestartFromTheTop() {
    RestartAt(0, 0);
}

void PlaybackEngine::RestartAt(Ticks position, std::size_t index) {
    state_.clockOrigin = seams_.clock.Milliseconds();
    state_.baseTicks = position;
    state_.nextIndex = index;
}

void PlaybackEngine::GoRoundAgain() {
    // Notes held past the last measure would otherwise sound on through every round.
    practice_->port->ReleaseAll();
    RestartAt(practice_->start, practice_->firstEvent);
    ++rounds_;
    const PracticeTempo& tempo = practice_->tempo;
    const std::int32_t faster = std::min(state_.tempo + tempo.step, tempo.ceiling);
    if (tempo.step > 0 && faster > state_.tempo) {
        MakeChange(state_, {TimingChange::Kind::Tempo, state_.clockOrigin, faster}, true);
        ++raises_;
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
        event.Play(Output(), unseen_);
        highlighted = highlighted || event.kind == EventKind::Highlight;
    }
    return index;
}

MidiOutPort& PlaybackEngine::Output() const {
    return practice_ ? *practice_->port : *port_;
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
    progress_.Publish({state_, changesMade_, rounds_, raises_, over_});
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
        const EventList& events = compile_.events;
        if (practice_) {
            if (state_.nextIndex >= practice_->endEvent && PositionNow() >= practice_->end) {
                GoRoundAgain();
                moved = true;
            }
        } else if (state_.nextIndex >= events.size()) {
            over_ = events.empty() || !state_.looping;
            if (!over_) {
                RestartFromTheTop();
                ++rounds_;
                moved = true;
            }
        }
        if (!over_) {
            const std::int64_t elapsed = seams_.clock.Milliseconds() - state_.clockOrigin;
            const double reached = static_cast<double>(elapsed) * state_.ticksPerMs;
            const std::size_t clicksBefore = nextClick_;
            const std::size_t eventsBefore = state_.nextIndex;
            nextClick_ = PerformDueEvents(clicks_, nextClick_, clicks_.size(), reached, handBack);
            state_.nextIndex = PerformDueEvents(
                events, state_.nextIndex, practice_ ? practice_->endEvent : events.size(), reached, handBack);
            moved = moved || nextClick_ != clicksBefore || state_.nextIndex != eventsBefore;
            if (const std::optional<std::int64_t> wake = NextWake()) {
                seams_.timer.WakeAt(*wake);
            }
        }
        handBack = handBack || raises_ != raises;
    }
    if (moved || over_) {
        Publish();
    }
    // Last: a timer without a thread of its own shows what is handed back at once, the stop included.
    if (handBack || over_) {
        seams_.timer.HandBack();
    }
}

void PlaybackEngine::OnHandedBack() {
    if (!ticking_) {
        return;
    }
    const PlaybackProgress progress = progress_.Latest();
    if (progress.raises != shownRaises_) {
        shownRaises_ = progress.raises;
        ShowTempo(progress.state.tempo);
    }
    ShowHighlights(progress);
    if (progress.over) {
        OnStop();
    }
}

void PlaybackEngine::ShowHighlights(const PlaybackProgress& progress) {
    const EventList& events = compile_.events;
    const auto show = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            events[i].Show(seams_.view);
        }
    };
    if (progress.rounds != shownRounds_) {
        // The rest of the round shown last; rounds that came and went in between would change nothing.
        show(shownIndex_, practice_ ? practice_->endEvent : events.size());
        shownIndex_ = practice_ ? practice_->firstEvent : 0;
        shownRounds_ = progress.rounds;
    }
    show(shownIndex_, progress.state.nextIndex);
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
        port_.reset();
    }
    seams_.transport.SetTempoReadOnly(false);
    seams_.transport.SetDeviceListEnabled(true);
    seams_.view.Select(savedSelection_);
    seams_.view.ScrollToSelection();
    seams_.view.SetReadOnly(false);
    seams_.transport.SetLatch(TransportLatch::Play, false);
    seams_.transport.SetLatch(TransportLatch::Pause, false);
    state_.paused = false;
    nextClick_ = 0;
    over_ = false;
    practice_.reset();
    clicks_.Clear();
    ClearScore(compile_.score, compile_.events);
    NotifyStateChanged();
    // Once stopped: an output that failed on the way (a recording onto a full disk) is not passed over.
    if (!failure.empty()) {
        seams_.presenter.ShowMessage(kProgramCaption, failure, MessageIcon::Exclamation);
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
    seams_.transport.SetLatch(TransportLatch::Pause, paused);
    NotifyStateChanged();
}

void PlaybackEngine::OnLoop() {
    const bool looping = !State().looping;
    Change({TimingChange::Kind::Loop, seams_.clock.Milliseconds(), looping ? 1 : 0});
    seams_.transport.SetLatch(TransportLatch::Loop, looping);
    NotifyStateChanged();
}

void PlaybackEngine::SetPlaybackTempo(std::int32_t value) {
    if (value != State().tempo) {
        Change({TimingChange::Kind::Tempo, seams_.clock.Milliseconds(), value});
    }
}

void PlaybackEngine::OnTempoChange() {
    if (showingTempo_) {
        return;
    }
    const std::int64_t value = ParseTempoText(seams_.transport.TempoText());
    if (value >= kMinTempo && value <= kMaxTempo) {
        SetPlaybackTempo(static_cast<std::int32_t>(value));
    }
}

void PlaybackEngine::OnTempoKillFocus() {
    const std::int64_t value = ParseTempoText(seams_.transport.TempoText());
    if (value < kMinTempo || value > kMaxTempo) {
        ShowTempo(State().tempo);
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
            return {stopped, practice_.has_value()};
    }
    return {};
}

std::optional<MeasureSpan> PlaybackEngine::PractisedMeasures() const {
    return practice_ ? std::optional(practice_->measures) : std::nullopt;
}

}  // namespace kaz
