#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/chart/chart_feature.h"
#include "app/chart/chart_panel.h"
#include "app/chart/chart_view.h"
#include "app/playback/transport_bar.h"
#include "app/setlist/set_list_feature.h"
#include "app/setlist/set_list_panel.h"
#include "app/window_fixture.h"

namespace kaz {
namespace {

using test::WindowTest;

class SetListWindowTest : public WindowTest {
  protected:
    SetListWindowTest() {
        Write("harbour.kaz", "# Harbour Road\n[TEMPO=96]\nA | E/G# | F#m | D |\n");
        Write("blues.kaz", "# Slow Blues\nF7 | Bb7 | F7 | C7 |\n");
        Write("waltz.kaz", "# Sunday Waltz\n[3/4] C | G7 | C |\n");
        Write("friday.kazset",
              "# Friday at the Harbour\nharbour.kaz\nblues.kaz [KEY=G] [TEMPO=132]\nwaltz.kaz\n");
    }
    void Write(const QString& name, const QByteArray& text) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    [[nodiscard]] SetListFeature& Set() const { return window->SetLists(); }
    [[nodiscard]] ChartView& View() const { return window->Chart().Panel().View(); }

    QTemporaryDir folder;
};

TEST_F(SetListWindowTest, StepsThroughTheSongsInTheirKeyAndTempoByButtonAndPageDown) {
    ASSERT_TRUE(window->OpenGivenFile(folder.filePath("friday.kazset")));
    QListWidget& songs = Set().Panel().Songs();
    ASSERT_EQ(songs.count(), 3);
    EXPECT_EQ(songs.item(1)->text(), QString::fromUtf8("2. Slow Blues \u2014 Key of G, \u2669 = 132"));
    Set().Next();
    EXPECT_EQ(window->CurrentFile(), folder.filePath("harbour.kaz"));
    Set().Next();
    EXPECT_EQ(window->CurrentFile(), folder.filePath("blues.kaz"));
    View().Relayout();
    // The blues in F is shown and played in G, at the set's tempo; the chart itself is unchanged.
    EXPECT_EQ(View().Layout().chords[0].symbol.Text(), "G7");
    EXPECT_EQ(window->Playback().Transport().Tempo().value(), 132);
    EXPECT_EQ(Editor().toPlainText(), "# Slow Blues\nF7 | Bb7 | F7 | C7 |\n");
    // A page-turning pedal sends Page Down, wherever the focus is.
    QTest::keyClick(&Editor(), Qt::Key_PageDown);
    EXPECT_EQ(window->CurrentFile(), folder.filePath("waltz.kaz"));
    View().Relayout();
    EXPECT_EQ(View().Layout().chords[0].symbol.Text(), "C");
    QTest::keyClick(&Editor(), Qt::Key_PageUp);
    EXPECT_EQ(window->CurrentFile(), folder.filePath("blues.kaz"));
    EXPECT_EQ(Set().Current(), 1u);
}

TEST_F(SetListWindowTest, TheSetIsWrittenAsOnePdfAfterAContentsPage) {
    ASSERT_TRUE(Set().Open(folder.filePath("friday.kazset")));
    const QString pdf = folder.filePath("friday.pdf");
    Set().askPdfFile = [&pdf](const QString&) { return pdf; };
    emit Set().Panel().exportPdfClicked();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // A contents page and a page for each song.
    EXPECT_EQ(bytes.count("/Type /Page\n"), 4);
}

TEST_F(SetListWindowTest, PlayGoesOnToTheNextSongWhenOneEndsIfAsked) {
    Write("one.kaz", "[TEMPO=300]\nC |\n");
    Write("two.kaz", "[TEMPO=300]\nG |\n");
    Write("short.kazset", "one.kaz\ntwo.kaz\n");
    ASSERT_TRUE(Set().Open(folder.filePath("short.kazset")));
    Set().Panel().SetPlaysOn(true);
    Set().Choose(0, true);
    ASSERT_FALSE(Stopped());
    QTRY_COMPARE_WITH_TIMEOUT(window->CurrentFile(), folder.filePath("two.kaz"), 5000);
    Commands().stop->trigger();
}

}  // namespace
}  // namespace kaz
