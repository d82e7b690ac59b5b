#pragma once

#include <QWidget>

#include "chart/chart_layout.h"
#include "midi/playback_engine.h"

class QComboBox;

namespace kaz {

class ChartCompiler;
class ChartEditor;
class ChartView;

//! The chart view with the lists of instruments and capo frets above it.
class ChartPanel final : public QWidget {
    Q_OBJECT

  public:
    ChartPanel(ChartCompiler& compiler, ChartEditor& editor, PlaybackWatch watch, QWidget* parent = nullptr);

    [[nodiscard]] ChartView& View() const { return *view_; }
    [[nodiscard]] QComboBox& InstrumentList() const { return *instruments_; }
    [[nodiscard]] QComboBox& CapoList() const { return *capos_; }
    //! Room for four measures a row in type read from a few steps away.
    [[nodiscard]] QSize sizeHint() const override { return {640, 600}; }
    //! Enable the lists when the chart's text may change: choosing writes into it.
    void SetEditable(bool editable);

  signals:
    //! The user picked another instrument from the list.
    void instrumentChosen(const Instrument& instrument);
    //! The user put the capo on another fret; 0 takes it off.
    void capoChosen(int capo);

  private:
    ChartView* view_;
    QComboBox* instruments_;
    QComboBox* capos_;
};

//! Whom the sheet's heading says the chords are for: "Concert", "Capo 2", "B♭ instrument, capo 2", in the
//! window's language.
[[nodiscard]] QString PartHeading(const ChartPart& part);
//! How the window names an instrument in its list and headings: "Concert", "B♭ instrument", "Key of E♭".
[[nodiscard]] QString InstrumentName(const Instrument& instrument);
//! How the capo lists name a fret: "No capo", "Capo 2".
[[nodiscard]] QString CapoName(int capo);

//! The instruments the list offers, in its order: Concert, B♭, E♭, F, then a Key of each of the twelve.
[[nodiscard]] std::vector<Instrument> ListedInstruments();

}  // namespace kaz
