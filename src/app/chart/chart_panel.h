#pragma once

#include <QWidget>

#include "chart/instrument.h"
#include "midi/playback_engine.h"

class QComboBox;

namespace kaz {

class ChartCompiler;
class ChartEditor;
class ChartView;

//! The chart view with the list of instruments above it.
class ChartPanel final : public QWidget {
    Q_OBJECT

  public:
    ChartPanel(ChartCompiler& compiler, ChartEditor& editor, PlaybackWatch watch, QWidget* parent = nullptr);

    [[nodiscard]] ChartView& View() const { return *view_; }
    [[nodiscard]] QComboBox& InstrumentList() const { return *instruments_; }
    //! Room for four measures a row in type read from a few steps away.
    [[nodiscard]] QSize sizeHint() const override { return {640, 600}; }
    //! Enable the list when the chart's text may change: choosing writes into it.
    void SetEditable(bool editable);

  signals:
    //! The user picked another instrument from the list.
    void instrumentChosen(const Instrument& instrument);

  private:
    ChartView* view_;
    QComboBox* instruments_;
};

//! The instruments the list offers, in its order: Concert, B♭, E♭, F, then a Key of each of the twelve.
[[nodiscard]] std::vector<Instrument> ListedInstruments();

}  // namespace kaz
