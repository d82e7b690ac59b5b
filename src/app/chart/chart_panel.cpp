#include "app/chart/chart_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "app/chart/chart_view.h"

namespace kaz {

std::vector<Instrument> ListedInstruments() {
    std::vector<Instrument> listed{{Instrument::Kind::Concert},
                                   {Instrument::Kind::BFlat},
                                   {Instrument::Kind::EFlat},
                                   {Instrument::Kind::F}};
    for (int tonic = 0; tonic < 12; ++tonic) {
        listed.push_back({Instrument::Kind::Key, tonic});
    }
    return listed;
}

ChartPanel::ChartPanel(ChartCompiler& compiler, ChartEditor& editor, PlaybackWatch watch, QWidget* parent)
    : QWidget(parent),
      view_(new ChartView(compiler, editor, std::move(watch), this)),
      instruments_(new QComboBox(this)) {
    for (const Instrument& instrument : ListedInstruments()) {
        instruments_->addItem(QString::fromStdString(InstrumentTitle(instrument)));
    }
    instruments_->setAccessibleName(tr("Instrument"));
    instruments_->setToolTip(
        tr("Show the chords for a transposing instrument or in another key; the chart "
           "still plays in concert pitch"));
    auto* label = new QLabel(tr("&Instrument:"), this);
    label->setBuddy(instruments_);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->addWidget(label);
    bar->addWidget(instruments_);
    bar->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(bar);
    column->addWidget(view_, 1);
    connect(view_, &ChartView::instrumentChanged, this, [this](const Instrument& instrument) {
        const std::vector<Instrument> listed = ListedInstruments();
        const auto found = std::find(listed.begin(), listed.end(), instrument);
        const QSignalBlocker quiet(instruments_);
        instruments_->setCurrentIndex(found == listed.end() ? 0 : static_cast<int>(found - listed.begin()));
    });
    connect(instruments_, &QComboBox::activated, this, [this](int index) {
        const std::vector<Instrument> listed = ListedInstruments();
        if (index >= 0 && static_cast<std::size_t>(index) < listed.size()) {
            emit instrumentChosen(listed[static_cast<std::size_t>(index)]);
        }
    });
}

void ChartPanel::SetEditable(bool editable) {
    instruments_->setEnabled(editable);
}

}  // namespace kaz
