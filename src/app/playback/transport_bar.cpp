#include "app/playback/transport_bar.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>

#include "app/playback/transport_button.h"
#include "base/tempo.h"
#include "midi/device/builtin_synth.h"

namespace kaz {

namespace {

constexpr int kPictureWidth = 19;
constexpr int kPictureHeight = 20;

}  // namespace

TransportBar::TransportBar(const MidiOutDeviceNames& devices, const Actions& actions, QWidget* parent)
    : QToolBar(tr("Transport"), parent) {
    setObjectName(QStringLiteral("transport"));
    setAllowedAreas(Qt::TopToolBarArea);

    devices_ = new QComboBox(this);
    AddLabel(tr("MIDI Out:"), 32, devices_);
    devices_->setAccessibleName(tr("MIDI Out"));
    devices_->setToolTip(tr("MIDI Out"));
    devices_->setStatusTip(tr("Select MIDI Out device"));
    devices_->setMinimumWidth(DialogUnitsToPixels(130));
    ShowDevices(devices);
    addWidget(devices_);

    addSeparator();
    tempo_ = new QSpinBox(this);
    tempo_->setRange(kMinTempo, kMaxTempo);
    tempo_->setValue(kDefaultTempo);
    tempo_->setAlignment(Qt::AlignCenter);
    tempo_->setAccelerated(true);
    AddLabel(tr("Tempo:"), 25, tempo_);
    tempo_->setAccessibleName(tr("Tempo"));
    tempo_->setToolTip(tr("Tempo"));
    tempo_->setStatusTip(tr("Set tempo"));
    addWidget(tempo_);

    addSeparator();
    buttons_[0] = AddButton(actions.play, tr("Play"), tr("Play"), QStringLiteral(":/pictures/play.pbm"));
    buttons_[1] =
        AddButton(actions.pause, tr("Pause"), tr("Pause/Resume"), QStringLiteral(":/pictures/pause.pbm"));
    buttons_[2] = AddButton(actions.stop, tr("Stop"), tr("Stop"), QStringLiteral(":/pictures/stop.pbm"));
    buttons_[3] =
        AddButton(actions.loop, tr("Loop"), tr("Loop playback"), QStringLiteral(":/pictures/loop.pbm"));
    buttons_[4] =
        AddButton(actions.loopSelectedMeasures, tr("Loop selected measures"),
                  actions.loopSelectedMeasures->statusTip(), QStringLiteral(":/pictures/loop-selection.pbm"));
}

int TransportBar::DialogUnitsToPixels(int units) const {
    return units * fontMetrics().averageCharWidth() / 4;
}

void TransportBar::AddLabel(const QString& text, int dialogUnits, QWidget* control) {
    auto* label = new QLabel(text, this);
    // The label names its control for screen readers that take a control's name from its label.
    label->setBuddy(control);
    label->setMinimumWidth(DialogUnitsToPixels(dialogUnits));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setContentsMargins(4, 0, 4, 0);
    addWidget(label);
}

TransportButton* TransportBar::AddButton(QAction* action, const QString& name, const QString& statusTip,
                                         const QString& picture) {
    auto* button = new TransportButton(this);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setStatusTip(statusTip);
    button->LoadPicture(picture, kPictureWidth, kPictureHeight);
    button->setEnabled(action->isEnabled());
    connect(button, &TransportButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    addWidget(button);
    return button;
}

void TransportBar::SetTempoTypingReadOnly(bool readOnly) {
    // The box's own read-only switch would stop its arrows too: only its field is closed to typing.
    if (auto* field = tempo_->findChild<QLineEdit*>()) {
        field->setReadOnly(readOnly);
    }
}

std::string TransportBar::SelectedDeviceName() const {
    return devices_->currentIndex() < 0 ? std::string() : devices_->currentData().toString().toStdString();
}

void TransportBar::ShowDevices(const MidiOutDeviceNames& devices) {
    const QVariant chosen = devices_->currentData();
    devices_->clear();
    for (const std::string& name : devices) {
        // The list shows the built-in synthesizer in the window's language; the device keeps its own name.
        const QString device = QString::fromStdString(name);
        devices_->addItem(name == kBuiltInSynthName ? tr("Built-in synthesizer") : device, device);
    }
    devices_->setCurrentIndex(devices.empty() ? -1 : std::max(0, devices_->findData(chosen)));
}

}  // namespace kaz
