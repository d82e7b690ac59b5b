#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include "app/app_test_support.h"
#include "app/window_fixture.h"

namespace kaz {
namespace {

enum class Replacing { New, Open, RecentFile, Drop, Close };

class UnsavedChanges : public test::WindowTest {
  protected:
    UnsavedChanges() {
        test::WriteBytes(mine, "C | G7 |\n");
        test::WriteBytes(other, "F | Bb |\n");
        EXPECT_TRUE(window->LoadFile(other));
        EXPECT_TRUE(window->LoadFile(mine));
        Type("Am | Dm |\n");
    }

    void Replace(Replacing how) {
        switch (how) {
            case Replacing::New:
                Commands().newChart->trigger();
                break;
            case Replacing::Open:
                prompts->fileNames[FileQuestion::Open] = other;
                Commands().open->trigger();
                break;
            case Replacing::RecentFile:
                // The chart opened before this one.
                Commands().recentFiles[1]->trigger();
                break;
            case Replacing::Drop: {
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(other)});
                QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(window.get(), &enter);
                QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(window.get(), &drop);
                break;
            }
            case Replacing::Close:
                window->close();
                break;
        }
    }

    //! What the window shows once the chart has gone.
    [[nodiscard]] static QString TextAfter(Replacing how) {
        return how == Replacing::New ? QString() : QStringLiteral("F | Bb |\n");
    }

    QTemporaryDir folder;
    QString mine = folder.filePath("mine.kaz");
    QString other = folder.filePath("other.kaz");
};

constexpr Replacing kEveryWay[] = {Replacing::New, Replacing::Open, Replacing::RecentFile, Replacing::Drop,
                                   Replacing::Close};

TEST_F(UnsavedChanges, SaveWritesTheChangesBeforeTheChartGoes) {
    for (const Replacing how : kEveryWay) {
        SCOPED_TRACE(static_cast<int>(how));
        ASSERT_TRUE(window->LoadFile(mine));
        Type("Am | Dm |\n");
        prompts->saveChanges = SaveChangesAnswer::Save;
        Replace(how);
        EXPECT_EQ(test::ReadBytes(mine), "Am | Dm |\n");
        if (how == Replacing::Close) {
            EXPECT_FALSE(window->isVisible());
        } else {
            EXPECT_EQ(Editor().Text(), TextAfter(how));
        }
        test::WriteBytes(mine, "C | G7 |\n");
        window->show();
    }
}

TEST_F(UnsavedChanges, DiscardLetsTheChartGoAndLeavesItsFileAsItWas) {
    for (const Replacing how : kEveryWay) {
        SCOPED_TRACE(static_cast<int>(how));
        ASSERT_TRUE(window->LoadFile(mine));
        Type("Am | Dm |\n");
        prompts->saveChanges = SaveChangesAnswer::Discard;
        Replace(how);
        EXPECT_EQ(test::ReadBytes(mine), "C | G7 |\n");
        if (how == Replacing::Close) {
            EXPECT_FALSE(window->isVisible());
        } else {
            EXPECT_EQ(Editor().Text(), TextAfter(how));
            EXPECT_FALSE(window->isWindowModified());
        }
        window->show();
    }
}

TEST_F(UnsavedChanges, CancelKeepsTheChangedChartAndItsFile) {
    for (const Replacing how : kEveryWay) {
        SCOPED_TRACE(static_cast<int>(how));
        prompts->saveChanges = SaveChangesAnswer::Cancel;
        Replace(how);
        EXPECT_EQ(test::ReadBytes(mine), "C | G7 |\n");
        EXPECT_EQ(Editor().Text(), "Am | Dm |\n");
        EXPECT_TRUE(window->isWindowModified());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->CurrentFile(), mine);
    }
}

TEST_F(UnsavedChanges, ACharacterWindows1252CannotStoreSavesAsUtf8OrNotAtAll) {
    const QString old = folder.filePath("old.kaz");
    test::WriteBytes(old, "# Caf\xE9\nC |\n");
    ASSERT_TRUE(window->LoadFile(old));
    Editor().moveCursor(QTextCursor::End);
    Editor().insertPlainText(QStringLiteral("B\u266D |\n"));

    prompts->saveAsUtf8 = false;
    EXPECT_FALSE(window->Document().Save());
    EXPECT_EQ(test::ReadBytes(old), "# Caf\xE9\nC |\n");
    EXPECT_TRUE(window->isWindowModified());

    prompts->saveAsUtf8 = true;
    EXPECT_TRUE(window->Document().Save());
    EXPECT_EQ(test::ReadBytes(old), "# Caf\xC3\xA9\nC |\nB\xE2\x99\xAD |\n");
    EXPECT_FALSE(window->isWindowModified());
}

}  // namespace
}  // namespace kaz
