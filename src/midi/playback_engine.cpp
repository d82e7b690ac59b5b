#include "midi/playback_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
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
    if (state_.timerId != 0) {
        seams_.timer.Stop(state_.timerId);
    }
    if (state_.port != nullptr && state_.port->IsOpen()) {
        state_.port->ResetAndClose();
    }
    state_.port.reset();
    ClearScore(compile_.score, compile_.events);
}

void PlaybackEngine::OnPlay(std::string_view chartText) {
    if (state_.port != nullptr) {
        return;
    }
    if (Compile(chartText) && OpenPort()) {
        StartPlaying();
    }
}

void PlaybackEngine::OnLoopSelectedMeasures(std::string_view chartText, PracticeTempo tempo) {
    if (state_.port != nullptr || !Compile(chartText)) {
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
    practice.port = std::make_unique<NoteTrackingPort>(*state_.port);
    // The instruments are chosen at the start of the song: choose them as they are where the loop starts.
    for (std::size_t i = 0; i < practice.firstEvent; ++i) {
        if (events[i].kind == EventKind::ProgramChange) {
            events[i].Play(Output(), seams_.view);
        }
    }
    StartPlaying();
}

void PlaybackEngine::TakeTempoMark(std::optional<std::int32_t> mark) {
    if (mark && mark != markTaken_) {
        SetPlaybackTempo(*mark);
        seams_.transport.SetTempoText(std::to_string(*mark));
    }
    markTaken_ = mark;
}

bool PlaybackEngine::Compile(std::string_view chartText) {
    // The performance's tempo event carries the transport tempo unless the chart has its own, or the user's
    // tempo holds over it.
    compile_.settings.transportTempo = state_.tempo;
    compile_.settings.heldTempoMark = holdUserTempo_ ? markTaken_ : std::nullopt;
    return seams_.compile(compile_, chartText, seams_.view, seams_.presenter);
}

bool PlaybackEngine::OpenPort() {
    const std::string deviceName = seams_.transport.SelectedDeviceName();
    state_.port = seams_.makePort();
    if (state_.port == nullptr || !state_.port->OpenByName(deviceName)) {
        // A known reason (a recording that cannot be written) says more than that no device opened.
        const std::string failure = state_.port != nullptr ? state_.port->Failure() : std::string();
        seams_.presenter.ShowMessage(kProgramCaption, failure.empty() ? kCannotOpenMidiDevice : failure,
                                     MessageIcon::Exclamation);
        if (state_.port != nullptr && state_.port->IsOpen()) {
            state_.port->ResetAndClose();
        }
        state_.port.reset();
        return false;
    }
    return true;
}

void PlaybackEngine::StartPlaying() {
    // The chart's own tempo mark wins, and the tempo field shows it; the live controls go on from there.
    if (!holdUserTempo_ && compile_.score.tempoGiven) {
        state_.tempo = compile_.score.scoreTempo;
        seams_.transport.SetTempoText(std::to_string(state_.tempo));
    } else if (holdUserTempo_) {
        TakeTempoMark(compile_.score.tempoGiven ? std::optional(compile_.score.scoreTempo) : std::nullopt);
    }
    state_.savedSelection = seams_.view.Selection();
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
    state_.timerId = seams_.timer.Start(kPlaybackTimerPeriodMs,
                                        [this](TimerId id) { static_cast<void>(OnPlaybackTimer(id)); });
    WakeForNextEvent();
    NotifyStateChanged();
}

void PlaybackEngine::StartCountIn(const Measure& first, Ticks start) {
    AddCountIn(clicks_, first.meterNum, first.meterDen, first.ticks, start);
    nextClick_ = 0;
    // The clock starts a measure before the music.
    state_.baseTicks = start - first.ticks;
}

void PlaybackEngine::WakeForNextEvent() {
    const std::optional<Ticks> due = NextDueTime();
    if (state_.port == nullptr || state_.paused || !due) {
        return;
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
    seams_.timer.WakeAt(state_.clockOrigin + elapsed);
}

void PlaybackEngine::NotifyStateChanged() const {
    if (seams_.stateChanged) {
        seams_.stateChanged();
    }
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
    const PracticeTempo& tempo = practice_->tempo;
    const std::int32_t faster = std::min(state_.tempo + tempo.step, tempo.ceiling);
    if (tempo.step > 0 && faster > state_.tempo) {
        SetPlaybackTempo(faster);
        seams_.transport.SetTempoText(std::to_string(faster));
    }
}

std::size_t PlaybackEngine::PerformDueEvents(const EventList& list, std::size_t index, std::size_t end,
                                             double reached) {
    for (; index < end; ++index) {
        const MidiEvent& event = list[index];
        const auto ahead = static_cast<double>(std::int64_t{event.time} - state_.baseTicks);
        if (ahead > reached) {
            break;
        }
        event.Play(Output(), seams_.view);
    }
    return index;
}

MidiOutPort& PlaybackEngine::Output() const {
    return practice_ ? *practice_->port : *state_.port;
}

bool PlaybackEngine::OnPlaybackTimer(TimerId id) {
    if (state_.timerId == 0 || id != state_.timerId) {
        return false;
    }
    if (!state_.port->Failure().empty()) {
        OnStop();
        return true;
    }
    if (state_.paused) {
        return true;
    }
    const EventList& events = compile_.events;
    if (practice_) {
        if (state_.nextIndex >= practice_->endEvent && PositionNow() >= practice_->end) {
            GoRoundAgain();
        }
    } else if (state_.nextIndex >= events.size()) {
        if (events.empty() || !state_.looping) {
            OnStop();
            return true;
        }
        RestartFromTheTop();
    }
    const std::int64_t elapsed = seams_.clock.Milliseconds() - state_.clockOrigin;
    const double reached = static_cast<double>(elapsed) * state_.ticksPerMs;
    nextClick_ = PerformDueEvents(clicks_, nextClick_, clicks_.size(), reached);
    state_.nextIndex =
        PerformDueEvents(events, state_.nextIndex, practice_ ? practice_->endEvent : events.size(), reached);
    WakeForNextEvent();
    return true;
}

void PlaybackEngine::OnStop() {
    if (state_.timerId != 0) {
        seams_.timer.Stop(state_.timerId);
        state_.timerId = 0;
    }
    std::string failure;
    if (state_.port != nullptr) {
        if (state_.port->IsOpen()) {
            state_.port->ResetAndClose();
        }
        failure = state_.port->Failure();
        state_.port.reset();
    }
    seams_.transport.SetTempoReadOnly(false);
    seams_.transport.SetDeviceListEnabled(true);
    seams_.view.Select(state_.savedSelection);
    seams_.view.ScrollToSelection();
    seams_.view.SetReadOnly(false);
    seams_.transport.SetLatch(TransportLatch::Play, false);
    seams_.transport.SetLatch(TransportLatch::Pause, false);
    state_.paused = false;
    practice_.reset();
    clicks_.Clear();
    nextClick_ = 0;
    ClearScore(compile_.score, compile_.events);
    NotifyStateChanged();
    // Once stopped: an output that failed on the way (a recording onto a full disk) is not passed over.
    if (!failure.empty()) {
        seams_.presenter.ShowMessage(kProgramCaption, failure, MessageIcon::Exclamation);
    }
}

Ticks PlaybackEngine::PositionNow() const {
    const std::int64_t elapsed = seams_.clock.Milliseconds() - state_.clockOrigin;
    return TruncateToTicks(static_cast<double>(elapsed) * state_.ticksPerMs + state_.baseTicks);
}

void PlaybackEngine::OnPauseResume() {
    // Only reachable with a port open; pausing a stopped engine would leave the next Play frozen.
    if (state_.port == nullptr) {
        return;
    }
    if (state_.paused) {
        state_.clockOrigin = seams_.clock.Milliseconds();
    } else {
        state_.baseTicks = PositionNow();
    }
    state_.paused = !state_.paused;
    seams_.transport.SetLatch(TransportLatch::Pause, state_.paused);
    WakeForNextEvent();
    NotifyStateChanged();
}

void PlaybackEngine::OnLoop() {
    state_.looping = !state_.looping;
    seams_.transport.SetLatch(TransportLatch::Loop, state_.looping);
    NotifyStateChanged();
}

void PlaybackEngine::OnPlayOrPause(std::string_view chartText) {
    if (state_.port != nullptr) {
        OnPauseResume();
    } else {
        OnPlay(chartText);
    }
}

void PlaybackEngine::SetPlaybackTempo(std::int32_t value) {
    if (value == state_.tempo) {
        return;
    }
    if (state_.port != nullptr && !state_.paused) {
        state_.baseTicks = PositionNow();
        state_.clockOrigin = seams_.clock.Milliseconds();
    }
    state_.tempo = value;
    state_.ticksPerMs = TicksPerMs(value);
    WakeForNextEvent();
}

void PlaybackEngine::OnTempoChange() {
    const std::int64_t value = ParseTempoText(seams_.transport.TempoText());
    if (value >= kMinTempo && value <= kMaxTempo) {
        SetPlaybackTempo(static_cast<std::int32_t>(value));
    }
}

void PlaybackEngine::OnTempoKillFocus() {
    const std::int64_t value = ParseTempoText(seams_.transport.TempoText());
    if (value < kMinTempo || value > kMaxTempo) {
        seams_.transport.SetTempoText(std::to_string(state_.tempo));
    }
}

double PlaybackEngine::SongPosition() const {
    if (state_.port == nullptr) {
        return 0.0;
    }
    if (state_.paused) {
        return state_.baseTicks;
    }
    const std::int64_t elapsed = seams_.clock.Milliseconds() - state_.clockOrigin;
    return static_cast<double>(elapsed) * state_.ticksPerMs + state_.baseTicks;
}

CommandState PlaybackEngine::QueryCommand(PlaybackCommand command) const {
    const bool stopped = IsStopped();
    switch (command) {
        case PlaybackCommand::Play:
            return {stopped, !stopped};
        case PlaybackCommand::PauseResume:
            return {!stopped, state_.paused};
        case PlaybackCommand::Stop:
            return {!stopped, false};
        case PlaybackCommand::Loop:
            return {true, state_.looping};
        case PlaybackCommand::PlayOrPause:
            return {true, false};
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
