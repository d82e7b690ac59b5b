#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/dialog_test_support.h"
#include "app/dialogs/about_dialog.h"
#include "app/dialogs/fast_input_dialog.h"
#include "app/dialogs/notation_dialog.h"
#include "app/dialogs/practice_loop_dialog.h"
#include "app/dialogs/style_dialog.h"
#include "app/dialogs/transpose_dialog.h"
#include "app/dialogs/voices_dialog.h"
#include "app/editor/chart_compiler.h"
#include "app/editor/chart_editor.h"
#include "app/editor/find_replace_dialog.h"
#include "app/session.h"
#include "base/program.h"
#include "midi/midi_file_writer.h"

namespace kaz {
namespace {

//! The controls of window that a screen reader would announce without a name. A list's accessible text is
//! its current item, so a list needs a name of its own.
std::string UnnamedControls(const QWidget& window) {
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const bool list = qobject_cast<QComboBox*>(control) != nullptr;
        const bool field = qobject_cast<QAbstractButton*>(control) != nullptr ||
                           qobject_cast<QLineEdit*>(control) != nullptr;
        const QString text = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        if ((list || field) && control->accessibleName().isEmpty() && (list || text.isEmpty())) {
            unnamed << control->objectName();
        }
    }
    return unnamed.join(", ").toStdString();
}

TEST(Dialogs, CarryTheirCaptionsAndNameEveryControl) {
    NoteNameTables tables;
    TransposeDialog transpose(nullptr, tables, TransposeOffer{});
    FastInputDialog fastInput(nullptr, FastInputSnippets{});
    VoicesDialog voices(nullptr, BandParts{});
    NotationDialog notation(nullptr, kEnglishNotation, std::nullopt);
    PracticeLoopDialog practice(nullptr, PracticeTempo{});
    StyleDialog style(nullptr, RenderSettings{});
    const std::pair<const QWidget*, const char*> dialogs[] = {
        {&transpose, "Transpose"}, {&fastInput, "Fast input"},   {&voices, "Voices"},
        {&notation, "B/Bb/H"},     {&practice, "Practice loop"}, {&style, "Style"}};
    for (const auto& [dialog, caption] : dialogs) {
        EXPECT_EQ(dialog->windowTitle(), caption);
        EXPECT_EQ(UnnamedControls(*dialog), "") << caption;
    }
}

TEST(Dialogs, TheChartPanelAndFindAndReplaceNameEveryControl) {
    Session session;
    ChartEditor editor;
    ChartCompiler compiler(editor, session.settings, nullptr);
    ChartPanel panel(compiler, editor, [] { return std::optional<PlayingPlace>(); });
    FindReplaceDialog find(editor, nullptr);
    EXPECT_EQ(UnnamedControls(panel), "");
    EXPECT_EQ(panel.View().accessibleName(), "Chart view");
    EXPECT_EQ(UnnamedControls(find), "");
}

TEST(Dialogs, AboutShowsTheProgramItsVersionAndTheHomePageAsALink) {
    QStringList texts;
    const QLabel* link = nullptr;
    test::WhenModalOpens([&](QWidget& about) {
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
        }
        link = about.findChild<QLabel*>("homePage");
        EXPECT_TRUE(link->openExternalLinks());
        EXPECT_EQ(UnnamedControls(about), "");
        test::Press(about, QDialogButtonBox::Ok);
    });
    ShowAbout(nullptr);
    const QString homePage =
        QString::fromUtf8(kHomePageUrl.data(), static_cast<qsizetype>(kHomePageUrl.size()));
    const std::string shown = texts.join(" | ").toStdString();
    EXPECT_TRUE(texts.contains("Kaz")) << shown;
    EXPECT_EQ(texts.filter(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")).size(), 1) << shown;
    EXPECT_EQ(texts.filter("href=\"" + homePage + "\"").size(), 1) << shown;
}

}  // namespace
}  // namespace kaz
