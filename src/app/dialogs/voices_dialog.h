#pragma once

#include <QDialog>
#include <memory>

#include "render/arrangement_renderer.h"

class QLineEdit;

namespace Ui {
class VoicesDialog;
}

namespace kaz {

//! The Voices dialog: for the chord voice and the bass voice, on or off, the General MIDI instrument and the
//! volume 0..127, each volume field with its spin control.
class VoicesDialog : public QDialog {
    Q_OBJECT

  public:
    VoicesDialog(QWidget* parent, const VoiceSettings& voices);
    ~VoicesDialog() override;

    //! The six values as the controls hold them; the volumes are valid once the dialog has been accepted.
    [[nodiscard]] VoiceSettings Voices() const;

    //! OK: closes only when both volumes are numbers 0..127; otherwise says so and focuses the field.
    void accept() override;

  protected:
    //! The up and down arrow keys step the volume field that has the focus, as its spin control does.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] bool CheckVolume(QLineEdit* field);

    std::unique_ptr<Ui::VoicesDialog> ui_;
};

//! Edit the voices over parent. OK copies the six values into voices, which the next compile renders
//! with; Cancel changes nothing. Nothing is stored.
void EditVoices(QWidget* parent, VoiceSettings& voices);

}  // namespace kaz
