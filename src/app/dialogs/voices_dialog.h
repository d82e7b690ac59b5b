#pragma once

#include <QDialog>
#include <memory>

#include "render/arrangement_renderer.h"

class QLineEdit;

namespace Ui {
class VoicesDialog;
}

namespace kaz {

//! The Voices dialog: for the chord voice (the comping part) and the bass voice (the bass part), on or off,
//! the General MIDI instrument and the volume 0..127, each volume field with its spin control.
class VoicesDialog : public QDialog {
    Q_OBJECT

  public:
    VoicesDialog(QWidget* parent, const BandParts& parts);
    ~VoicesDialog() override;

    //! parts with the six values as the controls hold them; the volumes are valid once the dialog has been
    //! accepted. An instrument or volume left as it was shown stays unset, so a style keeps its own.
    [[nodiscard]] BandParts Voices(BandParts parts) const;

    //! OK: closes only when both volumes are numbers 0..127; otherwise says so and focuses the field.
    void accept() override;

  protected:
    //! The up and down arrow keys step the volume field that has the focus, as its spin control does.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    [[nodiscard]] bool CheckVolume(QLineEdit* field);

    std::unique_ptr<Ui::VoicesDialog> ui_;
    BandParts shown_;
};

//! Edit the voices over parent. OK copies the six values into parts, which the next compile renders
//! with; Cancel changes nothing. Nothing is stored.
void EditVoices(QWidget* parent, BandParts& parts);

}  // namespace kaz
