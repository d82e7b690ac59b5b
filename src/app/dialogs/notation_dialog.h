#pragma once

#include <QDialog>
#include <QLocale>
#include <memory>
#include <optional>

#include "harmony/notation.h"

namespace Ui {
class NotationDialog;
}

namespace kaz {

//! The B/Bb/H dialog: how charts write B and B flat, English (B/Bb), German (H/B) or mixed (H/Bb), and the
//! notation the open chart keeps in itself, if any.
class NotationDialog : public QDialog {
    Q_OBJECT

  public:
    //! Open on the setting notation and the open chart's own notation (none: the chart follows the setting).
    NotationDialog(QWidget* parent, NotationMode notation, std::optional<NotationMode> chart);
    ~NotationDialog() override;

    //! The notation of the selected button; the one the dialog opened with when none is selected.
    [[nodiscard]] NotationMode Notation() const;
    //! The notation chosen for the open chart; none when it follows the setting.
    [[nodiscard]] std::optional<NotationMode> ChartNotation() const;

    //! Ask which notation the user reads, as the first start does: the question, and no chart.
    void AskAsQuestion();

  private:
    std::unique_ptr<Ui::NotationDialog> ui_;
    NotationMode opened_;
};

//! Choose the notation and the open chart's own over parent. OK sets notation and stores it, and sets chart;
//! Cancel changes and stores nothing. Returns whether OK was chosen.
bool EditNotation(QWidget* parent, NotationMode& notation, std::optional<NotationMode>& chart);

//! Whether the first start asks which notation the user reads: under a German, Austrian or Swiss locale,
//! where musicians write H for B natural and B for B flat, until it has been answered.
[[nodiscard]] bool AskForNotationAtStart(const QLocale& locale, bool notationStored);

}  // namespace kaz
