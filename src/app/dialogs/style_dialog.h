#pragma once

#include <QDialog>
#include <memory>

#include "render/arrangement_renderer.h"

namespace Ui {
class StyleDialog;
}

namespace kaz {

//! The Style dialog: how the band plays an accompaniment style — the drums' volume, the swing (the style's
//! own or one for every style), how much the timing and the strength vary, which take of that variation, and
//! how the band opens the song.
class StyleDialog : public QDialog {
    Q_OBJECT

  public:
    StyleDialog(QWidget* parent, const RenderSettings& settings);
    ~StyleDialog() override;

    //! settings with the five values as the fields hold them.
    [[nodiscard]] RenderSettings Settings(RenderSettings settings) const;

  private:
    std::unique_ptr<Ui::StyleDialog> ui_;
};

//! Edit how the band plays over parent. OK takes the values into style, which the next compile renders with,
//! and stores them; Cancel changes and stores nothing.
void EditStyleSettings(QWidget* parent, RenderSettings& settings);

}  // namespace kaz
