#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "language/parse_chart.h"

namespace kaz::test {

//! Parses charts into a score tree and describes what was built.
class ParseFixture : public testing::Test {
  protected:
    int Parse(std::string_view text) {
        score.Clear();
        score.ResetCompileState();
        context.Reset(text);
        ScoreBuilder builder(score, context, definitions);
        return ParseChart(context, builder, definitions);
    }

    //! One line of text per score line: measures separated by " | ", chords by blanks, "_" for an empty
    //! measure,
    //! "%" before a repeat measure's source, the meter in brackets when it is not 4/4.
    [[nodiscard]] std::string Lines() const {
        std::string out;
        for (const auto& line : score.scoreLines) {
            if (!out.empty()) {
                out += '\n';
            }
            std::string separator;
            for (const Measure* measure : line.measures) {
                out += separator + Describe(*measure);
                separator = " | ";
            }
        }
        return out;
    }

    [[nodiscard]] const LanguageError& Error() const {
        EXPECT_TRUE(context.lastError.has_value()) << "a failed parse records its error";
        return *context.lastError;
    }

    CompileContext context;
    ScoreTree score;
    ChordDefinitions definitions;

  private:
    static std::string Describe(const Measure& measure) {
        std::string out = measure.repeatEnd != 0 ? "%" : "";
        const Measure& source = *measure.source;
        if (source.chords.empty()) {
            out += "_";
        }
        std::string separator;
        for (const Chord* chord : source.chords) {
            out += separator;
            out += chord->text();
            separator = " ";
        }
        if (source.meterNum != 4 || source.meterDen != 4) {
            out += "(" + std::to_string(source.meterNum) + "/" + std::to_string(source.meterDen) + ")";
        }
        return out;
    }
};

}  // namespace kaz::test
