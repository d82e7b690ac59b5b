#pragma once

#include <QToolBar>
#include <array>

#include "midi/device/midi_out_system.h"

class QComboBox;
class QSpinBox;

namespace kaz {

class TransportButton;

//! The bar along the top of the window: the MIDI output list, the tempo box, and the Play, Pause, Stop, Loop
//! and Loop selected measures buttons.
class TransportBar final : public QToolBar {
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

    //! While a song plays the tempo takes no typing, but its arrows and keys still step it.
    void SetTempoTypingReadOnly(bool readOnly);
    //! The text of the device list's selected item; empty when nothing is selected.
    [[nodiscard]] std::string SelectedDeviceName() const;
    //! List these outputs, keeping the chosen one chosen when it is among them, else choosing the first.
    void ShowDevices(const MidiOutDeviceNames& devices);

    //! The tempo box: quarter notes per minute, 20..300.
    [[nodiscard]] QSpinBox& Tempo() const { return *tempo_; }
    [[nodiscard]] QComboBox& Devices() const { return *devices_; }
    [[nodiscard]] TransportButton& PlayButton() const { return *buttons_[0]; }
    [[nodiscard]] TransportButton& PauseButton() const { return *buttons_[1]; }
    [[nodiscard]] TransportButton& StopButton() const { return *buttons_[2]; }
    [[nodiscard]] TransportButton& LoopButton() const { return *buttons_[3]; }
    [[nodiscard]] TransportButton& LoopSelectedMeasuresButton() const { return *buttons_[4]; }

  private:
    //! A label for control, with its width in dialog units of the bar's font.
    void AddLabel(const QString& text, int dialogUnits, QWidget* control);
    TransportButton* AddButton(QAction* action, const QString& name, const QString& statusTip,
                               const QString& picture);
    [[nodiscard]] int DialogUnitsToPixels(int units) const;

    QComboBox* devices_;
    QSpinBox* tempo_;
    std::array<TransportButton*, 5> buttons_{};
};

}  // namespace kaz
