#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "app/chart_editor.h"
#include "app/main_window.h"
#include "support/recording_port.h"

namespace kaz::test {

//! Answers every message box that opens while it lives, and remembers what each one said.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start();
    }

    struct Seen {
        QString title;
        QString text;
    };
    std::vector<Seen> seen;
    //! The button clicked; boxes without it get their default button.
    QMessageBox::StandardButton answer = QMessageBox::Ok;

  private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        seen.push_back({box->windowTitle(), box->text()});
        QAbstractButton* button = box->button(answer);
        if (button == nullptr) {
            button = box->defaultButton() != nullptr ? box->defaultButton() : box->buttons().value(0);
        }
        button->click();
    }

    QTimer timer_;
};

//! A window on a session whose one output is a recording port.
class WindowTest : public testing::Test {
  protected:
    WindowTest() {
        session.devices = {"Test output"};
        session.makePort = [this] {
            return std::make_unique<RecordingPort>(recording, [] { return std::int64_t{0}; });
        };
        window = std::make_unique<MainWindow>(session);
        // Keys reach the window's commands only in the active window.
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Editor().setFocus();
    }
    ~WindowTest() override { window->setWindowModified(false); }

    [[nodiscard]] ChartEditor& Editor() const { return window->Editor(); }
    [[nodiscard]] const MainWindow::Commands& Commands() const { return window->Actions(); }
    [[nodiscard]] bool Stopped() const { return session.playback->IsStopped(); }

    //! Put text in the editor as if typed over everything, and select [start, end) of it.
    void Type(const QString& text) {
        Editor().selectAll();
        Editor().insertPlainText(text);
    }
    void SelectEditorRange(int start, int end) {
        QTextCursor cursor = Editor().textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        Editor().setTextCursor(cursor);
    }
    [[nodiscard]] QString SelectedText() const { return Editor().textCursor().selectedText(); }

    PortRecording recording;
    Session session;
    std::unique_ptr<MainWindow> window;
    MessageBoxAnswerer boxes;
};

}  // namespace kaz::test
