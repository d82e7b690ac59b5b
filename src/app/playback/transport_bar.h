#pragma once

#include <QToolBar>
#include <array>

#include "midi/device/midi_out_system.h"
#include "midi/playback_seams.h"

class QComboBox;

namespace kaz {

class TempoField;
class TransportButton;

//! The bar along the top of the window: the MIDI output list, the tempo field with its spin control, and the
//! Play, Pause, Stop, Loop and Loop selected measures buttons. The playback drives it through the transport
//! seam.
class TransportBar final : public QToolBar, public TransportControls {
    Q_OBJECT

  public:
    //! What the buttons carry out; each button follows its action's enabled state.
    struct Actions {
        QAction* play;
        QAction* pause;
        QAction* stop;
        QAction* loop;
        QAction* loopSelectedMeasures;
    };

    TransportBar(const MidiOutDeviceNames& devices, const Actions& actions, QWidget* parent = nullptr);

    void SetLatch(TransportLatch button, bool latched) override;
    [[nodiscard]] std::string TempoText() const override;
    void SetTempoText(const std::string& text) override;
    void SetTempoReadOnly(bool readOnly) override;
    [[nodiscard]] std::string SelectedDeviceName() const override;
    void SetDeviceListEnabled(bool enabled) override;
    //! List these outputs, keeping the chosen one chosen when it is among them, else choosing the first.
    void ShowDevices(const MidiOutDeviceNames& devices);

    [[nodiscard]] TempoField& Tempo() const { return *tempo_; }
    [[nodiscard]] QComboBox& Devices() const { return *devices_; }
    [[nodiscard]] TransportButton& PlayButton() const { return *buttons_[0]; }
    [[nodiscard]] TransportButton& PauseButton() const { return *buttons_[1]; }
    [[nodiscard]] TransportButton& StopButton() const { return *buttons_[2]; }
    [[nodiscard]] TransportButton& LoopButton() const { return *buttons_[3]; }
    [[nodiscard]] TransportButton& LoopSelectedMeasuresButton() const { return *buttons_[4]; }

  signals:
    void tempoTextChanged();
    void tempoFocusLost();

  private:
    //! A label for control, with its width in dialog units of the bar's font.
    void AddLabel(const QString& text, int dialogUnits, QWidget* control);
    TransportButton* AddButton(QAction* action, const QString& name, const QString& statusTip,
                               const QString& picture);
    [[nodiscard]] int DialogUnitsToPixels(int units) const;

    QComboBox* devices_;
    TempoField* tempo_;
    std::array<TransportButton*, 5> buttons_{};
};

}  // namespace kaz
