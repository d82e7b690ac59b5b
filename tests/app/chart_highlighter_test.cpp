#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextLayout>

#include "app/editor/chart_highlighter.h"
#include "app/window_fixture.h"
#include "base/text_positions.h"
#include "language/chart_line_scanner.h"

namespace kaz {
namespace {

using ColouredAs = std::vector<ChartTokenKind>;

//! What each character of the editor is coloured as; Other where it is not coloured.
ColouredAs EditorColours(const QTextDocument& document) {
    ColouredAs kinds(static_cast<std::size_t>(document.characterCount()), ChartTokenKind::Other);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            const QVariant kind = range.format.property(ChartHighlighter::kTokenKindProperty);
            if (kind.isValid()) {
                const auto from = kinds.begin() + block.position() + range.start;
                std::fill(from, from + range.length, static_cast<ChartTokenKind>(kind.toInt()));
            }
        }
    }
    return kinds;
}

//! What each character is as the scanner reads the whole chart at once.
ColouredAs ScannerKinds(const std::string& chart, std::size_t characters) {
    ColouredAs kinds(characters, ChartTokenKind::Other);
    ChartLineScanner scanner;
    const TextPositionMap positions(chart);
    for (const ChartToken& token : scanner.Scan(chart, ChartLineState::Chords).tokens) {
        const TextRange units = positions.ToEditor({token.start, token.start + token.length});
        std::fill(kinds.begin() + units.start, kinds.begin() + units.end, token.kind);
    }
    return kinds;
}

using ColouringTest = test::WindowTest;

TEST_F(ColouringTest, EveryCharacterIsColouredAsTheScannerReadsIt) {
    const auto expectAgreement = [this](const QString& what) {
        const QTextDocument& document = *Editor().document();
        EXPECT_EQ(EditorColours(document), ScannerKinds(Editor().BytesToCompile(),
                                                        static_cast<std::size_t>(document.characterCount())))
            << what.toStdString();
    };
    for (const QString& name : QDir(KAZ_EXAMPLES).entryList({"*.kaz"})) {
        ASSERT_TRUE(window->LoadFile(QDir(KAZ_EXAMPLES).filePath(name)));
        expectAgreement(name);
    }
    Type(QString::fromUtf8(
        "# caf\xC3\xA9 \xE2\x99\xAD\n[CHORD\nmu = 0 4 7]\nCmu \xC3\xA9 | [TEMPO= \\\n120] % - |\n"
        "  # no comment\n[4/4] C\xE2\x80\xA8# a comment after a line break\nF"));
    expectAgreement("typed");
    // Opening a bracket colours the lines after it anew, closing it again gives them back their colours.
    QTextCursor cursor(Editor().document()->findBlockByNumber(1));
    cursor.insertText("C [");
    expectAgreement("opened");
    cursor.deletePreviousChar();
    expectAgreement("closed");
}

TEST_F(ColouringTest, ADarkPaletteRecoloursTheChartButNotWhileASongPlays) {
    Type("[TEMPO=60] C | G7 | C | G7 |");
    const auto chordColour = [this] {
        for (const QTextLayout::FormatRange& range : Editor().document()->firstBlock().layout()->formats()) {
            if (range.format.property(ChartHighlighter::kTokenKindProperty).toInt() ==
                static_cast<int>(ChartTokenKind::Chord)) {
                return range.format.foreground().color();
            }
        }
        return QColor();
    };
    const QColor onLight = chordColour();
    Commands().play->trigger();
    ASSERT_FALSE(Stopped());
    QPalette dark = Editor().palette();
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::Text, Qt::white);
    Editor().setPalette(dark);
    EXPECT_EQ(chordColour(), onLight);
    Commands().stop->trigger();
    EXPECT_GT(chordColour().lightness(), onLight.lightness() + 64);
}

}  // namespace
}  // namespace kaz
