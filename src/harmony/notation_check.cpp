#include "harmony/notation_check.h"

#include <algorithm>

#include "base/language_messages.h"
#include "harmony/chord_analysis.h"

namespace kaz {

namespace {

const Chord* FirstB(const ScoreTree& score) {
    for (const Chord& chord : score.allChords) {
        if (chord.rootName == "B" || chord.bassName == "B") {
            return &chord;
        }
    }
    return nullptr;
}

//! The hint goes among the parse's hints in text order.
void AddHintInOrder(CompileContext& context, Message message, const Chord& chord) {
    ReportHint(context, std::move(message), chord.text(), LineAt(context.sourceText, chord.textStart),
               chord.textStart, chord.textEnd);
    const auto earlier = [](const LanguageHint& a, const LanguageHint& b) {
        return a.selection.start < b.selection.start;
    };
    std::stable_sort(context.hints.begin(), context.hints.end(), earlier);
}

}  // namespace

std::string EnglishSpellingOf(const Chord& chord) {
    // "His" and "Eis" have no English name of their own in a chart.
    const auto english = [](const NoteName& name) {
        return name == "B#" ? std::string_view("C") : name == "E#" ? std::string_view("F") : name.view();
    };
    std::string written(english(chord.rootName));
    if (IsWrittenLowercase(chord)) {
        written += 'm';
    }
    written += WrittenSuffix(chord);
    if (!chord.bassName.empty()) {
        written += '/';
        written += english(chord.bassName);
    }
    return written;
}

bool CheckChartNotation(const ScoreTree& score, CompileContext& context, NotationMode setting) {
    const NotationMode resolved = ResolveNotation(score.bLettersSeen, setting);
    if (const Chord* german = score.firstGermanChord; german != nullptr && resolved == kEnglishNotation) {
        const char* const pattern =
            IsWrittenLowercase(*german) ? messages::kLowercaseInEnglish : messages::kGermanNameInEnglish;
        ReportError(context, Message(pattern, {EnglishSpellingOf(*german)}), german->text(),
                    LineAt(context.sourceText, german->textStart), german->textStart, german->textEnd);
        return false;
    }
    if (score.bLettersSeen == kSpelledB && !score.notationKept) {
        if (const Chord* b = FirstB(score)) {
            AddHintInOrder(context,
                           resolved == kGermanNotation ? messages::kBReadAsGerman : messages::kBReadAsEnglish,
                           *b);
        }
    }
    return true;
}

}  // namespace kaz
