#include "interchange/ireal_form.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

namespace kaz {

namespace {

bool IsJumpBack(const std::string& jump) {
    return jump.starts_with("D.");
}

std::string Numbered(std::size_t index) {
    return "measure " + std::to_string(index + 1);
}

//! A measure where a part of the song starts: a section, a segno, a coda, a repeat or an ending.
bool OpensPart(const SheetMeasure& measure) {
    return !measure.section.empty() || measure.segno || measure.coda || measure.repeatOpens ||
           !measure.ending.empty();
}

//! The ending played on the passes from the first to last: "1.2.3.".
std::string PassesUpTo(int last) {
    std::string ending;
    for (int pass = 1; pass <= last; ++pass) {
        ending += std::to_string(pass) + ".";
    }
    return ending;
}

//! The first and the last pass of an ending written "2." or "1.2.3."; 0 for no ending.
int FirstPass(const std::string& ending) {
    return std::atoi(ending.c_str());
}

int LastPass(const std::string& ending) {
    const std::size_t dot = ending.size() > 1 ? ending.rfind('.', ending.size() - 2) : std::string::npos;
    return std::atoi(ending.c_str() + (dot == std::string::npos ? 0 : dot + 1));
}

bool IsMeasureRepeat(const SheetMeasure& measure) {
    return measure.chords.size() == 1 && (measure.chords.front() == "%" || measure.chords.front() == "%%");
}

bool HasOpeningMarks(const SheetMeasure& measure) {
    return !measure.section.empty() || !measure.ending.empty() || measure.segno || measure.coda ||
           measure.meterNumerator > 0;
}

bool HasClosingMarks(const SheetMeasure& measure) {
    return !measure.jump.empty() || measure.repeatCloses > 2;
}

class FormSettler {
  public:
    FormSettler(std::vector<SheetMeasure>& measures, const CellForm& form, std::vector<std::string>& notes)
        : measures_(measures), form_(form), notes_(notes) {}

    void Settle() {
        PlaceCodaSigns();
        MoveJumpsToTheirBarLine();
        CloseEndings();
        LeaveForTheCodaOnTheLastPass();
        PlayTheNearestWay();
        WriteOutMarkedMeasureRepeats();
    }

  private:
    //! The first coda sign, and every one but the last, is where the player leaves for the coda: the end of
    //! the measure it is written in, or of the one before when it stands before the first chord. The last
    //! one opens the coda. A single sign is the coda only after a jump "al Coda".
    void PlaceCodaSigns() {
        const std::vector<CodaSign>& signs = form_.codaSigns;
        if (signs.empty()) {
            return;
        }
        const bool lastIsCoda = signs.size() > 1 || AfterJumpToCoda(signs.front().measure);
        for (std::size_t i = 0; i < signs.size(); ++i) {
            const CodaSign& sign = signs[i];
            if (i + 1 == signs.size() && lastIsCoda) {
                const std::size_t coda = sign.beforeChords ? sign.measure : sign.measure + 1;
                if (coda < measures_.size()) {
                    measures_[coda].coda = true;
                }
                continue;
            }
            const std::size_t leaves = sign.beforeChords ? sign.measure - 1 : sign.measure;
            if ((!sign.beforeChords || sign.measure > 0) && leaves < measures_.size() &&
                measures_[leaves].jump.empty()) {
                measures_[leaves].jump = "TO CODA";
            }
        }
    }

    [[nodiscard]] bool AfterJumpToCoda(std::size_t measure) const {
        return std::any_of(
            measures_.begin(),
            measures_.begin() + static_cast<std::ptrdiff_t>(std::min(measure, measures_.size())),
            [](const SheetMeasure& m) { return IsJumpBack(m.jump) && m.jump.ends_with("Coda"); });
    }

    //! A jump back written in the middle of a line would leave the measures after it unplayed: it is taken
    //! at the bar line that ends the passage, before the next part of the song.
    void MoveJumpsToTheirBarLine() {
        for (std::size_t i = 0; i < measures_.size(); ++i) {
            if (!IsJumpBack(measures_[i].jump)) {
                continue;
            }
            std::size_t end = i;
            while (end + 1 < measures_.size() && !form_.closesPassage[end] &&
                   !OpensPart(measures_[end + 1]) && measures_[end + 1].jump.empty()) {
                ++end;
            }
            if (end != i) {
                Note("the " + measures_[i].jump + " written in " + Numbered(i) + " is taken at the end of " +
                     Numbered(end));
                measures_[end].jump = std::move(measures_[i].jump);
                measures_[i].jump.clear();
                i = end;
            }
        }
    }

    //! The endings of one passage as they are read.
    struct EndingGroup {
        std::size_t endings = 0;
        std::size_t start = 0;  //!< where the last one read starts
        bool closed = false;    //!< a repeat sign since the last one read started
        std::size_t closedAt = 0;
        int nextPass = 1;
        std::vector<std::size_t> closes;
    };

    //! Every ending but the last ends with a repeat sign, right before the next ending; the last one plays on
    //! until a section or a repeat starts. An ending followed by the next without a repeat sign gets one; a
    //! first ending closed by its repeat sign with no second makes the music after it the second; a repeat
    //! sign within a later last ending is left out. An ending whose number does not follow the one before, a
    //! first ending with a passage of endings still going on, and a first ending alone are no endings.
    void CloseEndings() {
        std::optional<EndingGroup> group;
        for (std::size_t k = 0; k < measures_.size(); ++k) {
            SheetMeasure& measure = measures_[k];
            if (group && group->closed && group->endings == 1 && measure.ending.empty() &&
                !measure.repeatOpens) {
                // A first ending closed by its repeat sign and no second: the music after it is the second.
                const int passes = measures_[group->closedAt].repeatCloses;
                measures_[group->start].ending = PassesUpTo(passes - 1);
                measure.ending = std::to_string(passes) + ".";
                group->nextPass = passes;
            }
            const bool nextEnding = group && FirstPass(measure.ending) == group->nextPass;
            if (group && (measure.repeatOpens || (!measure.section.empty() && !nextEnding))) {
                FinishEndings(*group);
                group.reset();
            }
            if (!measure.ending.empty() && FirstPass(measure.ending) != (group ? group->nextPass : 1)) {
                Note("the ending at " + Numbered(k) +
                     " is left out: it does not follow the ending before it");
                measure.ending.clear();
            }
            if (!measure.ending.empty()) {
                if (group && !group->closed) {
                    measures_[k - 1].repeatCloses = 2;
                    group->closes.push_back(k - 1);
                    Note("a repeat sign is added at the end of " + Numbered(k - 1) +
                         ", before the next ending");
                }
                group = group ? group : EndingGroup{};
                ++group->endings;
                group->start = k;
                group->closed = false;
                group->nextPass = LastPass(measure.ending) + 1;
            } else if (group && group->closed) {
                DropRepeatSign(*group);
            }
            if (group && measure.repeatCloses > 0) {
                group->closed = true;
                group->closedAt = k;
                group->closes.push_back(k);
            }
        }
        if (group) {
            FinishEndings(*group);
        }
    }

    //! The repeat sign that closed group's last ending is followed by no other ending: the last ending plays
    //! on through it.
    void DropRepeatSign(EndingGroup& group) {
        measures_[group.closedAt].repeatCloses = 0;
        group.closes.pop_back();
        group.closed = false;
        Note("the repeat sign in the last ending, at " + Numbered(group.closedAt) + ", is left out");
    }

    //! The endings of group are read.
    void FinishEndings(EndingGroup& group) {
        if (group.closed && group.endings > 1) {
            DropRepeatSign(group);
        }
        if (group.endings == 1) {
            measures_[group.start].ending.clear();
            Note("the ending at " + Numbered(group.start) + " is left out: the passage has no other");
            return;
        }
        // The endings count the passes; a count at one of their repeat signs would say otherwise.
        for (const std::size_t close : group.closes) {
            measures_[close].repeatCloses = std::min(measures_[close].repeatCloses, 2);
        }
    }

    //! A song with a coda sign but no jump back leaves for the coda on the last pass of the repeat that holds
    //! the sign: the measures after the sign are the repeat's first endings and the coda its last.
    void LeaveForTheCodaOnTheLastPass() {
        const auto has = [&](auto predicate) {
            return std::find_if(measures_.begin(), measures_.end(), predicate) - measures_.begin();
        };
        if (has([](const SheetMeasure& m) { return IsJumpBack(m.jump); }) !=
            static_cast<std::ptrdiff_t>(measures_.size())) {
            return;
        }
        const auto leave =
            static_cast<std::size_t>(has([](const SheetMeasure& m) { return m.jump == "TO CODA"; }));
        const auto coda = static_cast<std::size_t>(has([](const SheetMeasure& m) { return m.coda; }));
        if (leave >= measures_.size() || coda >= measures_.size()) {
            return;
        }
        std::size_t last = leave;
        while (last < measures_.size() && measures_[last].repeatCloses == 0) {
            ++last;
        }
        std::size_t first = leave;
        while (first > 0 && !measures_[first].repeatOpens && measures_[first - 1].repeatCloses == 0) {
            --first;
        }
        if (coda != last + 1 || std::any_of(measures_.begin() + static_cast<std::ptrdiff_t>(first),
                                            measures_.begin() + static_cast<std::ptrdiff_t>(coda + 1),
                                            [](const SheetMeasure& m) { return !m.ending.empty(); })) {
            return;
        }
        const int passes = measures_[last].repeatCloses;
        measures_[leave].jump.clear();
        measures_[coda].coda = false;
        if (leave < last) {
            measures_[leave + 1].ending = PassesUpTo(passes - 1);
            measures_[coda].ending = std::to_string(passes) + ".";
        }
        Note("no jump leads to the coda: the repeat leaves for it at the coda sign of " + Numbered(leave) +
             " on its last pass");
    }

    //! What the chart language cannot play is played the nearest way: a D.S. without a segno from the start,
    //! a jump to a coda or a fine the song does not have to the end, a repeat sign without its other half not
    //! at all, a second segno or coda as none.
    void PlayTheNearestWay() {
        KeepTheFirst(&SheetMeasure::segno, "segno");
        KeepTheFirst(&SheetMeasure::coda, "coda");
        const auto any = [&](auto predicate) {
            return std::any_of(measures_.begin(), measures_.end(), predicate);
        };
        const bool segno = any([](const SheetMeasure& m) { return m.segno; });
        const bool coda = any([](const SheetMeasure& m) { return m.coda; });
        const bool toCoda = any([](const SheetMeasure& m) { return m.jump == "TO CODA"; });
        const bool fine = any([](const SheetMeasure& m) { return m.jump == "FINE"; });
        for (std::size_t k = 0; k < measures_.size(); ++k) {
            std::string& jump = measures_[k].jump;
            const std::string written = jump;
            std::string missing;
            if (jump.starts_with("D.S.") && !segno) {
                jump.replace(0, 4, "D.C.");
                missing = "segno";
            }
            if ((jump.ends_with(" al Coda") && !(coda && toCoda)) || (jump.ends_with(" al Fine") && !fine)) {
                missing = jump.ends_with("Fine") ? "fine" : coda ? "To Coda sign" : "coda";
                jump.erase(jump.find(" al "));
            }
            if (jump == "TO CODA" && !coda) {
                jump.clear();
                missing = "coda";
            }
            if (!missing.empty()) {
                Note("the " + written + " of " + Numbered(k) + " is played as " +
                     (jump.empty() ? std::string("nothing") : jump) + ": the song has no " + missing);
            }
        }
        MatchRepeatSigns();
    }

    void KeepTheFirst(bool SheetMeasure::*sign, const std::string& name) {
        bool seen = false;
        for (std::size_t k = 0; k < measures_.size(); ++k) {
            if (measures_[k].*sign && std::exchange(seen, true)) {
                measures_[k].*sign = false;
                Note("the second " + name + " sign, at " + Numbered(k) + ", is left out");
            }
        }
    }

    void MatchRepeatSigns() {
        std::optional<std::size_t> open;
        for (std::size_t k = 0; k < measures_.size(); ++k) {
            if (measures_[k].repeatOpens) {
                if (open) {
                    measures_[*open].repeatOpens = false;
                    Note("the repeat sign at " + Numbered(*open) + " is left out: it is never closed");
                }
                open = k;
            }
            if (measures_[k].repeatCloses > 0) {
                open.reset();
            }
        }
        if (open) {
            measures_[*open].repeatOpens = false;
            Note("the repeat sign at " + Numbered(*open) + " is left out: it is never closed");
        }
    }

    //! A measure repeat sign with a mark is written out as the chords it repeats ("%%" as two measures, the
    //! opening marks on the first and the closing ones on the second).
    void WriteOutMarkedMeasureRepeats() {
        std::vector<SheetMeasure> written;
        written.reserve(measures_.size());
        // The chords the last two measures written play, the last one first.
        std::vector<std::string> last{"-"};
        std::vector<std::string> beforeLast{"-"};
        const auto played = [&](std::vector<std::string> chords) {
            beforeLast = std::move(last);
            last = std::move(chords);
        };
        for (SheetMeasure& measure : measures_) {
            if (!IsMeasureRepeat(measure)) {
                played(measure.chords);
                written.push_back(std::move(measure));
                continue;
            }
            const bool two = measure.chords.front() == "%%";
            std::vector<std::string> first = two ? beforeLast : last;
            std::vector<std::string> second = last;
            if (!HasOpeningMarks(measure) && !HasClosingMarks(measure)) {
                written.push_back(std::move(measure));
            } else if (!two) {
                measure.chords = first;
                written.push_back(std::move(measure));
            } else {
                SheetMeasure closing;
                closing.chords = second;
                closing.jump = std::move(measure.jump);
                closing.repeatCloses = measure.repeatCloses;
                measure.jump.clear();
                measure.repeatCloses = 0;
                measure.chords = first;
                written.push_back(std::move(measure));
                written.push_back(std::move(closing));
            }
            played(std::move(first));
            if (two) {
                played(std::move(second));
            }
        }
        measures_ = std::move(written);
    }

    void Note(std::string note) { notes_.push_back(std::move(note)); }

    std::vector<SheetMeasure>& measures_;
    const CellForm& form_;
    std::vector<std::string>& notes_;
};

}  // namespace

void SettleForm(std::vector<SheetMeasure>& measures, const CellForm& form, std::vector<std::string>& notes) {
    FormSettler(measures, form, notes).Settle();
}

}  // namespace kaz
