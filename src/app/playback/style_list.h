#pragma once

#include <QComboBox>
#include <cstdint>

#include "render/arrangement_renderer.h"

namespace kaz {

//! The transport bar's Style list: the block chords and every style the program found. Choosing one sets the
//! style the next compile plays where the chart names none; the choice is kept in the settings, and so is how
//! the band plays (the Style dialog's values), which the list reads at its start.
class StyleList final : public QComboBox {
    Q_OBJECT

  public:
    //! Reads the program's styles into settings when it has none yet.
    StyleList(RenderSettings& settings, QWidget* parent);

    //! The chart starts in num/den: the styles with a pattern of their own for it stand out (in bold, and
    //! saying so), unless it is 4/4, which every style plays.
    void OfferForMeter(std::int32_t num, std::int32_t den);

  private:
    //! Play the style of entry index.
    void Take(int index);
    //! Take the style of entry index and keep the choice in the settings.
    void Choose(int index);

    RenderSettings& render_;
    StyleSettings& settings_;
};

}  // namespace kaz
