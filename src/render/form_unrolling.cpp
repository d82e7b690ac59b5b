#include "render/form_unrolling.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace kaz {

namespace {

constexpr std::uint32_t kNoSlot = UINT32_MAX;

std::uint32_t FirstPass(const FormMark& ending) {
    return ending.value >> 16;
}

std::uint32_t LastPass(const FormMark& ending) {
    return ending.value & 0xFFFF;
}

std::string_view TextOf(const CompileContext& context, const FormMark& mark) {
    return context.sourceText.substr(static_cast<std::size_t>(mark.textStart),
                                     static_cast<std::size_t>(mark.textEnd - mark.textStart));
}

bool Fail(CompileContext& context, const FormMark& mark, Message message) {
    ReportError(context, std::move(message), TextOf(context, mark),
                LineAt(context.sourceText, mark.textStart), mark.selectionStart, mark.selectionEnd);
    return false;
}

//! What a mark does in the performance, worked out once from the form as written.
struct MarkPlan {
    std::uint32_t target = kNoSlot;  //!< ":|": the slot it goes back to; an ending: the slot to skip to
    std::uint32_t passes = 0;        //!< ":|" and endings: how many times their passage is played
    bool lastEnding = false;         //!< the ending after the last ":|": it plays the remaining passes
};

//! The marks a jump needs, found while planning.
struct FormTargets {
    std::uint32_t segno = kNoSlot;
    std::uint32_t coda = kNoSlot;
    bool hasFine = false;
};

//! Reads the form's marks in the order of their measures, pairs every ":|" with the passage it repeats and
//! every ending with its repeat, and reports a form that cannot be played.
class FormPlanner {
  public:
    FormPlanner(const std::vector<FormMark>& marks, CompileContext& context)
        : marks_(marks), context_(context), plans_(marks.size()) {}

    [[nodiscard]] bool Plan() {
        for (std::size_t i = 0; i < marks_.size(); ++i) {
            if (!Read(i)) {
                return false;
            }
        }
        if (times_) {
            return Fail(context_, marks_[*times_], "Repeat count without a repeat");
        }
        if (!FinishEndings()) {
            return false;
        }
        if (open_) {
            return Fail(context_, marks_[*open_], "Repeat without an end");
        }
        return CheckJumps();
    }

    [[nodiscard]] const std::vector<MarkPlan>& Plans() const { return plans_; }
    [[nodiscard]] const FormTargets& Targets() const { return targets_; }

  private:
    //! The endings of one repeat, from "[1.]" to the one after its last ":|".
    struct EndingGroup {
        std::uint32_t start = 0;  //!< the slot every ":|" among them goes back to
        std::vector<std::size_t> endings;
        std::vector<std::size_t> closes;
        std::uint32_t nextPass = 1;
        bool endingClosed = false;  //!< the last ending read has had its ":|"
        std::uint32_t closedAt = 0;
        std::uint32_t times = 0;  //!< a count written at one of the ":|", 0 without
    };

    bool Read(std::size_t index) {
        const FormMark& mark = marks_[index];
        const bool awaitingEnding = group_ && group_->endingClosed;
        const bool endingFollows = awaitingEnding && mark.slot == group_->closedAt + 1 &&
                                   (mark.kind == FormMarkKind::Ending || NextEndingOnSlotOf(index));
        if (awaitingEnding && !endingFollows && !FinishEndings()) {
            return false;
        }
        switch (mark.kind) {
            case FormMarkKind::Section:
                // A section may start with the next ending of the passage before it: "[B] [2.]".
                if (!NextEndingOnSlotOf(index) && !FinishEndings()) {
                    return false;
                }
                if (!open_) {
                    repeatStart_ = mark.slot;
                }
                return true;
            case FormMarkKind::RepeatOpen:
                if (!FinishEndings()) {
                    return false;
                }
                if (open_) {
                    return Fail(context_, mark, "Repeat inside a repeat");
                }
                open_ = index;
                repeatStart_ = mark.slot;
                return true;
            case FormMarkKind::Times:
                if (times_) {
                    return Fail(context_, marks_[*times_], "Repeat count without a repeat");
                }
                times_ = index;
                return true;
            case FormMarkKind::RepeatClose:
                return ReadClose(index);
            case FormMarkKind::Ending:
                return ReadEnding(index);
            case FormMarkKind::Segno:
                return Only(mark, targets_.segno, "Second segno");
            case FormMarkKind::Coda:
                return Only(mark, targets_.coda, "Second coda");
            case FormMarkKind::Fine:
                targets_.hasFine = true;
                return true;
            case FormMarkKind::ToCoda:
                toCoda_ = toCoda_ ? toCoda_ : std::optional<std::size_t>(index);
                return true;
            case FormMarkKind::DaCapo:
            case FormMarkKind::DalSegno:
                jumps_.push_back(index);
                return true;
        }
        return true;
    }

    //! Whether the measure of mark index also opens the next ending of the endings being read.
    [[nodiscard]] bool NextEndingOnSlotOf(std::size_t index) const {
        if (!group_) {
            return false;
        }
        const std::uint32_t slot = marks_[index].slot;
        const auto isNext = [&](const FormMark& mark) {
            return mark.kind == FormMarkKind::Ending && FirstPass(mark) == group_->nextPass;
        };
        for (std::size_t i = index; i < marks_.size() && marks_[i].slot == slot; ++i) {
            if (isNext(marks_[i])) {
                return true;
            }
        }
        for (std::size_t i = index; i-- > 0 && marks_[i].slot == slot;) {
            if (isNext(marks_[i])) {
                return true;
            }
        }
        return false;
    }

    bool Only(const FormMark& mark, std::uint32_t& slot, const char* message) {
        if (slot != kNoSlot) {
            return Fail(context_, mark, message);
        }
        slot = mark.slot;
        return true;
    }

    bool ReadClose(std::size_t index) {
        const FormMark& close = marks_[index];
        std::uint32_t times = close.value;
        if (times_) {
            if (marks_[*times_].slot != close.slot) {
                return Fail(context_, marks_[*times_], "Repeat count without a repeat");
            }
            times = times != 0 ? times : marks_[*times_].value;
            times_.reset();
        }
        open_.reset();
        if (group_) {
            group_->closes.push_back(index);
            group_->endingClosed = true;
            group_->closedAt = close.slot;
            group_->times = times != 0 ? times : group_->times;
            return true;
        }
        // Without its "|:" a passage starts after the last repeat, at the last section mark or at the start.
        plans_[index].target = repeatStart_;
        plans_[index].passes = times != 0 ? times : 2;
        repeatStart_ = close.slot + 1;
        return true;
    }

    bool ReadEnding(std::size_t index) {
        const FormMark& ending = marks_[index];
        if (group_ && !group_->endingClosed) {
            return Fail(context_, marks_[group_->endings.back()], "Ending without a repeat");
        }
        if (!group_) {
            group_ = EndingGroup{};
            group_->start = open_ ? marks_[*open_].slot : repeatStart_;
        }
        if (FirstPass(ending) != group_->nextPass) {
            return Fail(context_, ending, "Ending out of order");
        }
        group_->nextPass = LastPass(ending) + 1;
        group_->endings.push_back(index);
        group_->endingClosed = false;
        return true;
    }

    //! The endings read so far make a whole: every ":|" among them goes back to their repeat's start, and
    //! every ending knows where the next one is.
    bool FinishEndings() {
        if (!group_) {
            return true;
        }
        const EndingGroup group = *group_;
        group_.reset();
        if (group.closes.empty()) {
            return Fail(context_, marks_[group.endings.front()], "Ending without a repeat");
        }
        if (group.endingClosed) {
            return Fail(context_, marks_[group.closes.back()], "Repeat sign in the last ending");
        }
        const std::uint32_t passes = FirstPass(marks_[group.endings.back()]);
        if (group.times != 0 && group.times != passes) {
            return Fail(context_, marks_[group.closes.back()], "Repeat count against the endings");
        }
        for (std::size_t close : group.closes) {
            plans_[close] = {group.start, passes, false};
        }
        for (std::size_t k = 0; k < group.endings.size(); ++k) {
            const bool last = k + 1 == group.endings.size();
            const std::uint32_t next = last ? kNoSlot : marks_[group.endings[k + 1]].slot;
            plans_[group.endings[k]] = {next, passes, last};
        }
        repeatStart_ = group.closedAt + 1;
        return true;
    }

    bool CheckJumps() {
        if (toCoda_ && targets_.coda == kNoSlot) {
            return Fail(context_, marks_[*toCoda_], "To Coda without a coda");
        }
        for (std::size_t jump : jumps_) {
            const FormMark& mark = marks_[jump];
            if (mark.kind == FormMarkKind::DalSegno && targets_.segno == kNoSlot) {
                return Fail(context_, mark, "D.S. without a segno");
            }
            if (mark.until == JumpUntil::Coda && (!toCoda_ || targets_.coda == kNoSlot)) {
                return Fail(context_, mark, "Jump to a coda without To Coda and coda");
            }
            if (mark.until == JumpUntil::Fine && !targets_.hasFine) {
                return Fail(context_, mark, "Jump to a fine without one");
            }
        }
        return true;
    }

    const std::vector<FormMark>& marks_;
    CompileContext& context_;
    std::vector<MarkPlan> plans_;
    FormTargets targets_;
    std::optional<std::size_t> open_;   //!< the "|:" whose ":|" is still to come
    std::optional<std::size_t> times_;  //!< an "[x3]" whose ":|" is still to come
    std::optional<std::size_t> toCoda_;
    std::optional<EndingGroup> group_;
    std::vector<std::size_t> jumps_;
    std::uint32_t repeatStart_ = 0;
};

//! Plays the written measures through the form: repeats, endings and jumps, the usual way. Every jump is
//! taken once; after one, no repeat is taken again and a repeat's endings play only its last pass.
class FormWalk {
  public:
    FormWalk(ScoreTree& score, CompileContext& context, const std::vector<MarkPlan>& plans,
             const FormTargets& targets)
        : score_(score),
          marks_(score.formMarks),
          context_(context),
          plans_(plans),
          targets_(targets),
          timesPlayed_(score.measureSlots.size(), 0),
          taken_(marks_.size(), false),
          limit_(std::max(kMaxPlayedMeasures, score.measureSlots.size())) {}

    [[nodiscard]] bool Hinted() const { return hinted_; }

    [[nodiscard]] bool Run() {
        const auto end = static_cast<std::uint32_t>(score_.measureSlots.size());
        std::uint32_t slot = 0;
        while (slot < end) {
            const auto [first, last] = MarksAt(slot);
            if (const std::uint32_t skipTo = SkippedEnding(first, last); skipTo != kNoSlot) {
                slot = skipTo;
                continue;
            }
            if (!Play(slot)) {
                return false;
            }
            landedByJump_ = false;
            const std::optional<std::uint32_t> next = AfterMeasure(slot, first, last);
            if (!next) {
                break;
            }
            slot = *next;
        }
        return true;
    }

  private:
    using MarkIndex = std::size_t;

    std::pair<MarkIndex, MarkIndex> MarksAt(std::uint32_t slot) const {
        const auto bySlot = [](const FormMark& mark, std::uint32_t s) { return mark.slot < s; };
        const auto first = std::lower_bound(marks_.begin(), marks_.end(), slot, bySlot);
        auto last = first;
        while (last != marks_.end() && last->slot == slot) {
            ++last;
        }
        return {static_cast<MarkIndex>(first - marks_.begin()),
                static_cast<MarkIndex>(last - marks_.begin())};
    }

    [[nodiscard]] bool IsRepeat(MarkIndex index) const {
        return marks_[index].kind == FormMarkKind::RepeatClose;
    }

    //! The pass an ending or ":|" counts: after a jump, the last one of its passage.
    [[nodiscard]] std::uint32_t PassFor(MarkIndex index) const {
        return jumped_ ? plans_[index].passes : pass_;
    }

    //! Where to go on when an ending opening this slot is not for this pass; kNoSlot to play the slot. The
    //! last ending plays the passage's last pass: the passes of the next repeat count from one again.
    [[nodiscard]] std::uint32_t SkippedEnding(MarkIndex first, MarkIndex last) {
        for (MarkIndex i = first; i < last; ++i) {
            if (marks_[i].kind != FormMarkKind::Ending) {
                continue;
            }
            const std::uint32_t pass = PassFor(i);
            const bool plays =
                pass >= FirstPass(marks_[i]) && (plans_[i].lastEnding || pass <= LastPass(marks_[i]));
            if (plays && plans_[i].lastEnding) {
                pass_ = 1;
            }
            return plays ? kNoSlot : plans_[i].target;
        }
        return kNoSlot;
    }

    bool Play(std::uint32_t slot) {
        if (score_.playOrder.size() == limit_) {
            const FormMark& turn = marks_[lastTurn_.value_or(0)];
            return Fail(context_, turn,
                        Message("The form plays more than %1 measures", {std::to_string(limit_)}));
        }
        const Measure& measure = *score_.measureSlots[slot];
        if (landedByJump_ && measure.repeatEnd != 0) {
            HintRepeatAfterJump(measure);
        }
        score_.playOrder.push_back({slot, ++timesPlayed_[slot]});
        return true;
    }

    void HintRepeatAfterJump(const Measure& measure) {
        const std::optional<std::uint32_t> repeated = WrittenNumber(*measure.source);
        Message message =
            repeated
                ? Message(
                      "After a jump, % plays the chords of measure %1, written before it, not those played "
                      "before the jump; write out the chords to play those",
                      {std::to_string(*repeated)})
                : Message(
                      "After a jump, % repeats nothing: no measure is written before it; write out the "
                      "chords to play");
        ReportHint(context_, std::move(message), "%", LineAt(context_.sourceText, measure.repeatStart),
                   measure.repeatStart, measure.repeatEnd);
        hinted_ = true;
    }

    //! The number a written-out measure has in the chart, counted from 1; nothing for a repeat sign that has
    //! no measure before it to repeat.
    [[nodiscard]] std::optional<std::uint32_t> WrittenNumber(const Measure& measure) const {
        if (measure.repeatEnd != 0) {
            return std::nullopt;
        }
        const auto found = std::find(score_.measureSlots.begin(), score_.measureSlots.end(), &measure);
        return static_cast<std::uint32_t>(found - score_.measureSlots.begin()) + 1;
    }

    //! The slot played after this one, or nothing at the end of the song.
    std::optional<std::uint32_t> AfterMeasure(std::uint32_t slot, MarkIndex first, MarkIndex last) {
        for (MarkIndex i = first; i < last; ++i) {
            if (!IsRepeat(i)) {
                continue;
            }
            if (!jumped_ && pass_ < plans_[i].passes) {
                ++pass_;
                lastTurn_ = i;
                return plans_[i].target;
            }
            pass_ = 1;
        }
        for (MarkIndex i = first; i < last; ++i) {
            const FormMark& mark = marks_[i];
            switch (mark.kind) {
                case FormMarkKind::Fine:
                    if (jumped_ && until_ == JumpUntil::Fine) {
                        return std::nullopt;
                    }
                    break;
                case FormMarkKind::ToCoda:
                    if (jumped_ && until_ == JumpUntil::Coda && !taken_[i]) {
                        taken_[i] = true;
                        lastTurn_ = i;
                        landedByJump_ = true;
                        return targets_.coda;
                    }
                    break;
                case FormMarkKind::DaCapo:
                case FormMarkKind::DalSegno:
                    if (!taken_[i]) {
                        taken_[i] = true;
                        jumped_ = true;
                        // A plain jump back plays to the fine when the chart has one.
                        until_ =
                            mark.until == JumpUntil::End && targets_.hasFine ? JumpUntil::Fine : mark.until;
                        pass_ = 1;
                        lastTurn_ = i;
                        landedByJump_ = true;
                        return mark.kind == FormMarkKind::DaCapo ? 0 : targets_.segno;
                    }
                    break;
                default:
                    break;
            }
        }
        return slot + 1;
    }

    // More than a song of a thousand repeats of its thousand measures is taken for a mistake in its form.
    static constexpr std::size_t kMaxPlayedMeasures = 1'000'000;

    ScoreTree& score_;
    const std::vector<FormMark>& marks_;
    CompileContext& context_;
    const std::vector<MarkPlan>& plans_;
    const FormTargets& targets_;
    std::vector<std::uint32_t> timesPlayed_;
    std::vector<bool> taken_;
    std::size_t limit_;
    std::uint32_t pass_ = 1;
    bool jumped_ = false;
    bool landedByJump_ = false;
    bool hinted_ = false;
    JumpUntil until_ = JumpUntil::End;
    std::optional<MarkIndex> lastTurn_;
};

//! Give every form mark the slot of its measure, and every section its first slot, in the order of slots.
void PlaceMarks(ScoreTree& score) {
    std::unordered_map<const Measure*, std::uint32_t> slots;
    for (const FormMark& mark : score.formMarks) {
        slots.emplace(mark.measure, kNoSlot);
    }
    for (std::uint32_t slot = 0; slot < score.measureSlots.size(); ++slot) {
        if (const auto found = slots.find(score.measureSlots[slot]); found != slots.end()) {
            found->second = slot;
        }
    }
    for (FormMark& mark : score.formMarks) {
        mark.slot = slots[mark.measure];
        if (mark.kind == FormMarkKind::Section) {
            score.sections[mark.value].slot = mark.slot;
        }
    }
    std::stable_sort(score.formMarks.begin(), score.formMarks.end(),
                     [](const FormMark& a, const FormMark& b) { return a.slot < b.slot; });
}

void PlayAsWritten(ScoreTree& score) {
    score.playOrder.reserve(score.measureSlots.size());
    for (std::uint32_t slot = 0; slot < score.measureSlots.size(); ++slot) {
        score.playOrder.push_back({slot, 1});
    }
}

}  // namespace

bool UnrollForm(ScoreTree& score, CompileContext& context) {
    score.playOrder.clear();
    if (score.formMarks.empty()) {
        PlayAsWritten(score);
        return true;
    }
    PlaceMarks(score);
    FormPlanner planner(score.formMarks, context);
    if (!planner.Plan()) {
        return false;
    }
    FormWalk walk(score, context, planner.Plans(), planner.Targets());
    if (!walk.Run()) {
        return false;
    }
    if (walk.Hinted()) {
        std::stable_sort(context.hints.begin(), context.hints.end(),
                         [](const auto& a, const auto& b) { return a.selection.start < b.selection.start; });
    }
    return true;
}

bool PlaysAsWritten(const ScoreTree& score) {
    if (score.playOrder.size() != score.measureSlots.size()) {
        return false;
    }
    for (std::uint32_t played = 0; played < score.playOrder.size(); ++played) {
        if (score.playOrder[played].slot != played) {
            return false;
        }
    }
    return true;
}

}  // namespace kaz
