#include <gtest/gtest.h>

#include <QPushButton>
#include <QTreeWidget>

#include "app/recovery_dialog.h"

namespace kaz {
namespace {

QPushButton& Button(const QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return *button;
        }
    }
    ADD_FAILURE() << text.toStdString();
    return *dialog.findChild<QPushButton*>();
}

TEST(RecoveryDialog, ChartsAreAnsweredInOneListOneSeveralOrAllAtATime) {
    std::vector<LeftBehindWork> work;
    for (int i = 0; i < 5; ++i) {
        work.push_back({LeftBehindWork::Kind::UnsavedChart,
                        QStringLiteral("/kept/%1.kazrecovery").arg(i),
                        QStringLiteral("/charts/song%1.kaz").arg(i),
                        QDateTime::currentDateTime(),
                        {}});
    }
    work[4].problem = QStringLiteral("The text is too large to be a chart.");
    RecoveryDialog dialog(work, nullptr);
    QTreeWidget& list = dialog.List();
    ASSERT_EQ(list.topLevelItemCount(), 5);
    EXPECT_EQ(list.currentItem()->text(0), "song0.kaz");
    // Each answer takes the charts it answers off the list and goes on with the next.
    Button(dialog, "&Restore").click();
    EXPECT_EQ(list.currentItem()->text(0), "song1.kaz");
    Button(dialog, "&Later").click();
    list.selectAll();
    Button(dialog, "&Restore").click();
    // What cannot be restored stays, to be discarded or kept.
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_FALSE(Button(dialog, "&Restore").isEnabled());
    EXPECT_FALSE(Button(dialog, "&Show...").isEnabled());
    Button(dialog, "&Discard").click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Answers(),
              (std::vector{RecoveryAnswer::Restore, RecoveryAnswer::Later, RecoveryAnswer::Restore,
                           RecoveryAnswer::Restore, RecoveryAnswer::Discard}));
}

}  // namespace
}  // namespace kaz
