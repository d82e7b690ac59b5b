#pragma once

#include <QWidget>
#include <vector>

#include "render/arrangement_renderer.h"

class QCheckBox;
class QComboBox;
class QSlider;
class QTimer;

namespace kaz {

class ChartEditor;

//! The mixer: for each part of the band a volume, a pan, Mute and Solo, and the minus-one choice that leaves
//! the player's own instrument out. What it sets is kept in the chart, as its mixer comment line, so that
//! Play, the loops, both exports and kaz-cli play the same mix; it reads the line again when the chart
//! changes.
class MixerPanel final : public QWidget {
    Q_OBJECT

  public:
    //! settings give what a part plays when the mixer leaves it alone: the style's, or the voices'.
    MixerPanel(ChartEditor& editor, const RenderSettings& settings, QWidget* parent);

    //! Show the mix of the chart's line.
    void ReadChart();

  private:
    struct Strip {
        std::string id;
        QSlider* volume;
        QSlider* pan;
        QCheckBox* mute;
        QCheckBox* solo;
    };

    void AddStrip(const PartDefaults& part, int row);
    //! The volume and pan a part has when the mixer leaves it alone.
    [[nodiscard]] int StyleVolume(std::string_view id) const;
    [[nodiscard]] int StylePan(std::string_view id) const;
    //! The mix as the controls hold it, only what differs from the style.
    [[nodiscard]] BandParts Mix() const;
    //! Keep the controls' mix in the chart.
    void WriteChart();

    ChartEditor& editor_;
    const RenderSettings& settings_;
    std::vector<Strip> strips_;
    QComboBox* minusOne_;
    QTimer* reread_;
    bool showing_ = false;  //!< the controls are being set from the chart, not by the user
};

}  // namespace kaz
