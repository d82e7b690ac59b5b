#pragma once

#include <QDialog>
#include <memory>

#include "midi/playback_engine.h"

namespace Ui {
class PracticeLoopDialog;
}

namespace kaz {

//! The Practice loop dialog: how much faster a practice loop plays each time round, and up to which tempo.
class PracticeLoopDialog : public QDialog {
    Q_OBJECT

  public:
    PracticeLoopDialog(QWidget* parent, const PracticeTempo& tempo);
    ~PracticeLoopDialog() override;

    //! The step and the ceiling as the fields hold them.
    [[nodiscard]] PracticeTempo Tempo() const;

  private:
    std::unique_ptr<Ui::PracticeLoopDialog> ui_;
};

//! Edit the practice loop's tempo over parent. OK takes the values into tempo and stores them; Cancel changes
//! and stores nothing.
void EditPracticeTempo(QWidget* parent, PracticeTempo& tempo);

}  // namespace kaz
