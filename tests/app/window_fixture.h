#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/document/chart_document.h"
#include "app/editor/chart_editor.h"
#include "app/main_window.h"
#include "app/playback/playback_controller.h"
#include "app/test_prompts.h"
#include "support/recording_port.h"

namespace kaz::test {

//! A window on a session whose one output is a recording port.
class WindowTest : public testing::Test {
  protected:
    WindowTest() {
        session.devices = {"Test output"};
        session.makePort = [this] {
            return std::make_unique<RecordingPort>(recording, [] { return std::int64_t{0}; });
        };
        auto answers = std::make_unique<TestPrompts>();
        prompts = answers.get();
        window = std::make_unique<MainWindow>(session, std::move(answers));
        // Keys reach the window's commands only in the active window.
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Editor().setFocus();
    }
    ~WindowTest() override {
        if (window != nullptr) {
            window->Document().SetModified(false);
        }
    }

    [[nodiscard]] ChartEditor& Editor() const { return window->Editor(); }
    [[nodiscard]] const MainWindow::Commands& Commands() const { return window->Actions(); }
    [[nodiscard]] bool Stopped() const { return window->Playback().IsStopped(); }

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
    TestPrompts* prompts = nullptr;  //!< the window's
    std::unique_ptr<MainWindow> window;
};

}  // namespace kaz::test
