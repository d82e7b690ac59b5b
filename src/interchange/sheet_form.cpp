#include "interchange/sheet_form.h"

#include <algorithm>
#include <optional>

namespace kaz {

namespace {

std::string MeasureNumber(std::size_t index) {
    return std::to_string(index + 1);
}

bool Has(const std::vector<SheetMeasure>& measures, bool SheetMeasure::*sign) {
    return std::any_of(measures.begin(), measures.end(), [&](const SheetMeasure& m) { return m.*sign; });
}

bool HasJump(const std::vector<SheetMeasure>& measures, std::string_view jump) {
    return std::any_of(measures.begin(), measures.end(),
                       [&](const SheetMeasure& m) { return m.jump == jump; });
}

//! Two coda signs and no "To Coda": the first is where the jump is taken. Of more signs than the chart
//! takes, the first segno, the first "To Coda" and the last coda stay.
void SettleSigns(std::vector<SheetMeasure>& measures, std::vector<Message>& remarks) {
    std::vector<std::size_t> codas;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        if (measures[i].coda) {
            codas.push_back(i);
        }
    }
    if (codas.size() >= 2 && !HasJump(measures, "TO CODA") && measures[codas.front()].jump.empty()) {
        measures[codas.front()].coda = false;
        measures[codas.front()].jump = "TO CODA";
        codas.erase(codas.begin());
    }
    for (std::size_t i = 0; i + 1 < codas.size(); ++i) {
        measures[codas[i]].coda = false;
        remarks.push_back({"a second coda sign in measure %1", {MeasureNumber(codas[i])}});
    }
    bool segno = false;
    bool toCoda = false;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        SheetMeasure& measure = measures[i];
        if (measure.segno && segno) {
            measure.segno = false;
            remarks.push_back({"a second segno in measure %1", {MeasureNumber(i)}});
        }
        segno = segno || measure.segno;
        if (measure.jump == "TO CODA" && toCoda) {
            measure.jump.clear();
            remarks.push_back({"a second \"To Coda\" in measure %1", {MeasureNumber(i)}});
        }
        toCoda = toCoda || measure.jump == "TO CODA";
    }
}

//! Jumps that go where the song has a sign for, and go on as far as the song's signs say.
void SettleJumps(std::vector<SheetMeasure>& measures, std::vector<Message>& remarks) {
    const bool segno = Has(measures, &SheetMeasure::segno);
    const bool coda = Has(measures, &SheetMeasure::coda);
    const bool fine = HasJump(measures, "FINE");
    const bool toCoda = HasJump(measures, "TO CODA");
    for (std::size_t i = 0; i < measures.size(); ++i) {
        std::string& jump = measures[i].jump;
        if (jump == "TO CODA" && !coda) {
            remarks.push_back({"\"To Coda\" without a coda in measure %1", {MeasureNumber(i)}});
            jump.clear();
        }
        if (!jump.starts_with("D.S.") && !jump.starts_with("D.C.")) {
            continue;
        }
        const std::string plain = jump.substr(0, 4);
        if (plain == "D.S." && !segno) {
            remarks.push_back({"a D.S. without a segno in measure %1", {MeasureNumber(i)}});
            jump.clear();
        } else if ((jump.ends_with("al Coda") && !(toCoda && coda)) || (jump.ends_with("al Fine") && !fine)) {
            remarks.push_back({"the \"%1\" of the %2 in measure %3, whose sign the song does not have",
                               {jump.substr(5), plain, MeasureNumber(i)}});
            jump = plain;
        } else if (jump == plain && toCoda && coda) {
            // After the jump the "To Coda" is taken, as the file's playback takes it.
            jump += " al Coda";
        }
    }
}

//! The last pass of endings ("1.2." is 2).
int LastPass(const std::string& endings) {
    const std::size_t dot = endings.find_last_of('.', endings.size() - 2);
    return std::stoi(endings.substr(dot == std::string::npos ? 0 : dot + 1));
}

//! Endings of one passage in the order of their passes, none of them where a repeat sign opens: an ending
//! out of order, or one a repeat opens in, is left out.
void SettleEndings(std::vector<SheetMeasure>& measures, const std::vector<bool>& endingEnds,
                   std::vector<Message>& remarks) {
    int lastPass = 0;  //!< of the endings of the passage being played; 0 outside them
    for (std::size_t i = 0; i < measures.size(); ++i) {
        SheetMeasure& measure = measures[i];
        if (!measure.section.empty() || measure.repeatOpens) {
            lastPass = 0;
        }
        if (!measure.ending.empty() && measure.repeatOpens) {
            remarks.push_back({"a repeat sign that opens in an ending in measure %1", {MeasureNumber(i)}});
            measure.repeatOpens = false;
        }
        if (!measure.ending.empty()) {
            if (std::stoi(measure.ending) <= lastPass) {
                remarks.push_back({"the ending %1 after the ending %2. in measure %3",
                                   {measure.ending, std::to_string(lastPass), MeasureNumber(i)}});
                measure.ending.clear();
            } else {
                lastPass = LastPass(measure.ending);
            }
        }
        const bool endingFollows = i + 1 < measures.size() && !measures[i + 1].ending.empty();
        if (i < endingEnds.size() && endingEnds[i] && !endingFollows) {
            lastPass = 0;
        }
    }
}

void SettleRepeats(std::vector<SheetMeasure>& measures, const std::vector<bool>& endingEnds,
                   std::vector<Message>& remarks) {
    std::optional<std::size_t> open;
    std::string ending;  //!< the ending being played: until its end, the next ending or a section mark
    std::size_t passageStart = 0;
    std::size_t endingsPassageStart = 0;  //!< where the passage before the endings being played starts
    for (std::size_t i = 0; i < measures.size(); ++i) {
        SheetMeasure& measure = measures[i];
        if (!measure.section.empty()) {
            ending.clear();
        }
        if (!measure.ending.empty()) {
            endingsPassageStart = ending.empty() ? passageStart : endingsPassageStart;
            ending = measure.ending;
        }
        const bool endingFollows = i + 1 < measures.size() && !measures[i + 1].ending.empty();
        if (!ending.empty() && endingFollows && measure.repeatCloses == 0) {
            // An ending that another follows goes back at its end.
            measure.repeatCloses = 2;
        }
        if (measure.repeatOpens) {
            if (open) {
                measure.repeatOpens = false;
                remarks.push_back({"a repeat sign inside a repeat in measure %1", {MeasureNumber(i)}});
            } else {
                open = i;
            }
        }
        if (measure.repeatCloses > 0) {
            if (!open) {
                // Made explicit, so that it goes back past a section mark or an ending as the file's does.
                measures[ending.empty() ? passageStart : endingsPassageStart].repeatOpens = true;
            }
            open.reset();
            if (!ending.empty() && !endingFollows) {
                // The passes after an ending that goes back play on from the measure after it.
                // The ending after the last of these ("1.2." is followed by "3."), up to the ninth.
                const int last = LastPass(ending);
                const std::string next = last < 9 ? std::to_string(last + 1) + "." : std::string();
                if (i + 1 < measures.size() && !next.empty()) {
                    measures[i + 1].ending = next;
                } else {
                    measure.repeatCloses = 0;
                    remarks.push_back(
                        {"a repeat sign at the end of the last ending in measure %1", {MeasureNumber(i)}});
                }
            }
            passageStart = ending.empty() ? i + 1 : passageStart;
        }
        if (i < endingEnds.size() && endingEnds[i] && !ending.empty()) {
            passageStart = measure.repeatCloses > 0 ? passageStart : i + 1;
            ending.clear();
        }
    }
    if (open) {
        measures[*open].repeatOpens = false;
        remarks.push_back({"a repeat sign that no repeat sign closes in measure %1", {MeasureNumber(*open)}});
    }
}

//! An ending that neither goes back at its end nor follows one that does has no repeat to belong to.
void DropLoneEndings(std::vector<SheetMeasure>& measures, const std::vector<bool>& endingEnds,
                     std::vector<Message>& remarks) {
    for (std::size_t k = 0; k < measures.size(); ++k) {
        if (measures[k].ending.empty() || (k > 0 && measures[k - 1].repeatCloses > 0)) {
            continue;
        }
        bool goesBack = false;
        for (std::size_t j = k; j < measures.size(); ++j) {
            if (j > k && (!measures[j].ending.empty() || !measures[j].section.empty())) {
                break;
            }
            goesBack = measures[j].repeatCloses > 0;
            if (goesBack || (j < endingEnds.size() && endingEnds[j])) {
                break;
            }
        }
        if (!goesBack) {
            remarks.push_back({"the ending %1 without a repeat sign in measure %2",
                               {measures[k].ending, MeasureNumber(k)}});
            measures[k].ending.clear();
        }
    }
}

}  // namespace

std::vector<Message> SettleForm(std::vector<SheetMeasure>& measures, const std::vector<bool>& endingEnds) {
    std::vector<Message> remarks;
    SettleSigns(measures, remarks);
    SettleJumps(measures, remarks);
    SettleEndings(measures, endingEnds, remarks);
    SettleRepeats(measures, endingEnds, remarks);
    DropLoneEndings(measures, endingEnds, remarks);
    return remarks;
}

}  // namespace kaz
