#include "app/playback/mixer_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QTimer>

#include "app/comment_line_edit.h"
#include "app/core_messages.h"
#include "app/editor/chart_editor.h"
#include "chart/mixer_line.h"

namespace kaz {

namespace {

// A change of the chart is read again once typing pauses: the mixer line is rarely what changed.
constexpr int kRereadDelayMs = 400;

QSlider* MakeSlider(int most, const QString& name, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, most);
    slider->setAccessibleName(name);
    slider->setToolTip(name);
    return slider;
}

}  // namespace

MixerPanel::MixerPanel(ChartEditor& editor, const RenderSettings& settings, QWidget* parent)
    : QWidget(parent), editor_(editor), settings_(settings), reread_(new QTimer(this)) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Volume"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Pan"), this), 0, 2);
    int row = 1;
    for (const PartDefaults& part : kPartTable) {
        AddStrip(part, row++);
    }
    minusOne_ = new QComboBox(this);
    minusOne_->addItems(
        {tr("Full band"), tr("Minus one: bass"), tr("Minus one: piano"), tr("Minus one: guitar")});
    minusOne_->setAccessibleName(tr("Minus one"));
    minusOne_->setToolTip(tr("Leave your own instrument out of the band, to play along"));
    grid->addWidget(minusOne_, row, 0, 1, 5);
    grid->setRowStretch(row + 1, 1);
    connect(minusOne_, &QComboBox::currentIndexChanged, this, &MixerPanel::WriteChart);

    reread_->setSingleShot(true);
    reread_->setInterval(kRereadDelayMs);
    connect(reread_, &QTimer::timeout, this, &MixerPanel::ReadChart);
    connect(&editor_, &QPlainTextEdit::textChanged, this, [this] {
        if (isVisible() && !showing_) {
            reread_->start();
        }
    });
    ReadChart();
}

void MixerPanel::AddStrip(const PartDefaults& part, int row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    // The table's titles are string literals: whole patterns for the window's translation.
    const QString title = Said(Message(part.title.data()));
    Strip strip{std::string(part.id),
                MakeSlider(part.id == "drums" ? kMostDrumsVolume : 127, tr("%1 volume").arg(title), this),
                MakeSlider(127, tr("%1 pan").arg(title), this), new QCheckBox(tr("Mute"), this),
                new QCheckBox(tr("Solo"), this)};
    strip.mute->setAccessibleName(tr("Mute %1").arg(title));
    strip.solo->setAccessibleName(tr("Solo %1").arg(title));
    grid->addWidget(new QLabel(title, this), row, 0);
    grid->addWidget(strip.volume, row, 1);
    grid->addWidget(strip.pan, row, 2);
    grid->addWidget(strip.mute, row, 3);
    grid->addWidget(strip.solo, row, 4);
    // A slider writes the chart when it is let go, not at every step of a drag.
    for (QSlider* slider : {strip.volume, strip.pan}) {
        connect(slider, &QSlider::valueChanged, this, [this, slider] {
            if (!slider->isSliderDown()) {
                WriteChart();
            }
        });
        connect(slider, &QSlider::sliderReleased, this, &MixerPanel::WriteChart);
    }
    for (QCheckBox* box : {strip.mute, strip.solo}) {
        connect(box, &QCheckBox::toggled, this, &MixerPanel::WriteChart);
    }
    strips_.push_back(strip);
}

int MixerPanel::StyleVolume(std::string_view id) const {
    const Style* style =
        settings_.style.library ? settings_.style.library->Find(settings_.style.name) : nullptr;
    if (id == "drums") {
        return settings_.parts.Volume("drums");
    }
    if (style != nullptr) {
        const StyleVoice* voice = style->Voice(id);
        return settings_.parts[id].volume.value_or(voice != nullptr ? voice->volume
                                                                    : settings_.parts.Volume(id));
    }
    return settings_.parts.Volume(id);
}

int MixerPanel::StylePan(std::string_view id) const {
    return settings_.parts[id].pan.value_or(PartDefaultsOf(id)->pan);
}

void MixerPanel::ReadChart() {
    const BandParts mix = WithChartMixer(editor_.Text().toStdString(), BandParts());
    showing_ = true;
    for (const Strip& strip : strips_) {
        const Part& part = mix[strip.id];
        strip.volume->setValue(part.volume.value_or(static_cast<std::uint8_t>(StyleVolume(strip.id))));
        strip.pan->setValue(part.pan.value_or(static_cast<std::uint8_t>(StylePan(strip.id))));
        strip.mute->setChecked(part.muted);
        strip.solo->setChecked(part.solo);
    }
    minusOne_->setCurrentIndex(static_cast<int>(mix.minusOne));
    showing_ = false;
}

BandParts MixerPanel::Mix() const {
    BandParts mix;
    for (const Strip& strip : strips_) {
        Part& part = mix[strip.id];
        if (strip.volume->value() != StyleVolume(strip.id)) {
            part.volume = static_cast<std::uint8_t>(strip.volume->value());
        }
        if (strip.pan->value() != StylePan(strip.id)) {
            part.pan = static_cast<std::uint8_t>(strip.pan->value());
        }
        part.muted = strip.mute->isChecked();
        part.solo = strip.solo->isChecked();
    }
    mix.minusOne = static_cast<MinusOne>(minusOne_->currentIndex());
    return mix;
}

void MixerPanel::WriteChart() {
    if (showing_ || editor_.isReadOnly()) {
        return;
    }
    const std::string text = editor_.Text().toStdString();
    showing_ = true;
    ApplyToEditor(editor_, text, MixerLineChange(text, Mix()));
    showing_ = false;
}

}  // namespace kaz
