#pragma once

#include <QWidget>

#include "chart/instrument.h"
#include "render/song_map.h"

class QComboBox;

namespace kaz {

class ChartEditor;
class ChartView;
struct Session;

//! The chart view with the list of instruments above it.
class ChartPanel final : public QWidget {
    Q_OBJECT

  public:
    ChartPanel(Session& session, ChartEditor& editor, PlaybackPlace place, QWidget* parent = nullptr);

    [[nodiscard]] ChartView& View() const { return *view_; }
    [[nodiscard]] QComboBox& InstrumentList() const { return *instruments_; }
    //! Room for four measures a row in type read from a few steps away.
    [[nodiscard]] QSize sizeHint() const override { return {640, 600}; }
    //! Keep the list's choice and enable it: it changes the chart's text, which is fixed while it plays.
    void SetStopped(bool stopped);

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
