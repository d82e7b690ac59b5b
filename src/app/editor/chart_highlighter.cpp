#include "app/editor/chart_highlighter.h"

#include <QEvent>
#include <QPlainTextEdit>

#include "app/editor/chart_editor.h"
#include "base/text_positions.h"

namespace kaz {

namespace {

//! A colour for light backgrounds and one for dark ones.
struct ColourPair {
    QRgb onLight;
    QRgb onDark;
};

constexpr ColourPair kChordColours{0x1a4fa0, 0x8ab4f8};
constexpr ColourPair kSignColours{0xa85400, 0xf0a860};
constexpr ColourPair kMarkColours{0x7b2e9e, 0xd2a2ee};
constexpr ColourPair kCommentColours{0x2e7d32, 0x8fcf8f};
constexpr ColourPair kFormColours{0x00796b, 0x6fd6c8};
constexpr ColourPair kSectionColours{0xb0003a, 0xff8fab};

QColor Pick(const ColourPair& pair, bool darkBackground) {
    return QColor::fromRgb(darkBackground ? pair.onDark : pair.onLight);
}

//! Halfway between the text and its background: bar lines divide the measures without drawing the eye.
QColor Muted(const QPalette& palette) {
    const QColor text = palette.color(QPalette::Text);
    const QColor base = palette.color(QPalette::Base);
    return QColor::fromRgbF((text.redF() + base.redF()) / 2, (text.greenF() + base.greenF()) / 2,
                            (text.blueF() + base.blueF()) / 2);
}

QTextCharFormat Format(ChartTokenKind kind, const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    format.setProperty(ChartHighlighter::kTokenKindProperty, static_cast<int>(kind));
    return format;
}

//! The chart's bytes of a line as the compile reads them: the editor's soft line breaks are line breaks.
QByteArray LineBytes(QString text) {
    for (QChar& c : text) {
        if (IsEditorLineBreak(c)) {
            c = QLatin1Char('\n');
        }
    }
    return text.toUtf8();
}

}  // namespace

ChartHighlighter::ChartHighlighter(QPlainTextEdit& editor)
    : QSyntaxHighlighter(editor.document()), editor_(editor) {
    static_cast<void>(ChooseColours(editor.palette()));
    editor.installEventFilter(this);
}

bool ChartHighlighter::ChooseColours(const QPalette& palette) {
    const bool dark = palette.color(QPalette::Base).lightness() < 128;
    const auto at = [](ChartTokenKind kind) { return static_cast<std::size_t>(kind); };
    decltype(formats_) formats;
    formats[at(ChartTokenKind::Chord)] = Format(ChartTokenKind::Chord, Pick(kChordColours, dark));
    formats[at(ChartTokenKind::Sign)] = Format(ChartTokenKind::Sign, Pick(kSignColours, dark));
    formats[at(ChartTokenKind::BarLine)] = Format(ChartTokenKind::BarLine, Muted(palette));
    formats[at(ChartTokenKind::Mark)] = Format(ChartTokenKind::Mark, Pick(kMarkColours, dark));
    formats[at(ChartTokenKind::Comment)] = Format(ChartTokenKind::Comment, Pick(kCommentColours, dark));
    formats[at(ChartTokenKind::Comment)].setFontItalic(true);
    // The way through the song and its sections stand out from the measures, so the eye finds them.
    formats[at(ChartTokenKind::Form)] = Format(ChartTokenKind::Form, Pick(kFormColours, dark));
    formats[at(ChartTokenKind::Form)].setFontWeight(QFont::Bold);
    formats[at(ChartTokenKind::Section)] = Format(ChartTokenKind::Section, Pick(kSectionColours, dark));
    formats[at(ChartTokenKind::Section)].setFontWeight(QFont::Bold);
    if (formats == formats_) {
        return false;
    }
    formats_ = formats;
    return true;
}

void ChartHighlighter::HoldRecolouring(bool hold) {
    held_ = hold;
    if (!held_ && recolourDue_) {
        recolourDue_ = false;
        rehighlight();
    }
}

bool ChartHighlighter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &editor_ && event->type() == QEvent::PaletteChange && ChooseColours(editor_.palette())) {
        if (held_) {
            recolourDue_ = true;
        } else {
            rehighlight();
        }
    }
    return QSyntaxHighlighter::eventFilter(watched, event);
}

ChartLineState ChartHighlighter::StateAtLineStart() const {
    const int state = previousBlockState();
    switch (state) {
        case static_cast<int>(ChartLineState::Bracket):
            return ChartLineState::Bracket;
        case static_cast<int>(ChartLineState::DefinitionName):
            return ChartLineState::DefinitionName;
        default:
            // The first line, and a line after one not yet coloured, start between chords.
            return ChartLineState::Chords;
    }
}

void ChartHighlighter::highlightBlock(const QString& text) {
    QByteArray line = LineBytes(text);
    if (currentBlock().next().isValid()) {
        line.append('\n');
    }
    const std::string_view bytes(line.constData(), static_cast<std::size_t>(line.size()));
    const ScannedChartLine scanned = scanner_.Scan(bytes, StateAtLineStart());
    const TextPositionMap positions(bytes);
    for (const ChartToken& token : scanned.tokens) {
        if (token.kind == ChartTokenKind::Other) {
            continue;
        }
        const TextRange units = positions.ToEditor({token.start, token.start + token.length});
        setFormat(units.start, units.end - units.start, formats_[static_cast<std::size_t>(token.kind)]);
    }
    setCurrentBlockState(static_cast<int>(scanned.end));
}

}  // namespace kaz
