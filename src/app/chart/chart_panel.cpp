#include "app/chart/chart_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "app/chart/chart_view.h"
#include "chart/capo.h"
#include "chart/chord_display.h"

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
      instruments_(new QComboBox(this)),
      capos_(new QComboBox(this)) {
    for (const Instrument& instrument : ListedInstruments()) {
        instruments_->addItem(InstrumentName(instrument));
    }
    instruments_->setAccessibleName(tr("Instrument"));
    instruments_->setToolTip(
        tr("Show the chords for a transposing instrument or in another key; the chart "
           "still plays in concert pitch"));
    for (int fret = 0; fret <= kHighestCapo; ++fret) {
        capos_->addItem(CapoName(fret));
    }
    capos_->setAccessibleName(tr("Capo"));
    capos_->setToolTip(
        tr("Show the chord shapes to finger with a capo on this fret; the chart still plays as it sounds"));
    auto* label = new QLabel(tr("&Instrument:"), this);
    label->setBuddy(instruments_);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->addWidget(label);
    bar->addWidget(instruments_);
    bar->addWidget(capos_);
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
    connect(view_, &ChartView::capoChanged, this, [this](int capo) {
        const QSignalBlocker quiet(capos_);
        capos_->setCurrentIndex(capo);
    });
    connect(capos_, &QComboBox::activated, this, [this](int capo) { emit capoChosen(capo); });
    connect(instruments_, &QComboBox::activated, this, [this](int index) {
        const std::vector<Instrument> listed = ListedInstruments();
        if (index >= 0 && static_cast<std::size_t>(index) < listed.size()) {
            emit instrumentChosen(listed[static_cast<std::size_t>(index)]);
        }
    });
}

void ChartPanel::SetEditable(bool editable) {
    instruments_->setEnabled(editable);
    capos_->setEnabled(editable);
}

QString CapoName(int capo) {
    return capo > 0 ? ChartPanel::tr("Capo %1").arg(capo) : ChartPanel::tr("No capo");
}

QString InstrumentName(const Instrument& instrument) {
    switch (instrument.kind) {
        case Instrument::Kind::BFlat:
            return ChartPanel::tr("B\u266D instrument");
        case Instrument::Kind::EFlat:
            return ChartPanel::tr("E\u266D instrument");
        case Instrument::Kind::F:
            return ChartPanel::tr("F instrument");
        case Instrument::Kind::Key:
            return ChartPanel::tr("Key of %1")
                .arg(QString::fromStdString(DisplayNoteName(InstrumentKeyName(instrument))));
        case Instrument::Kind::Concert:
            break;
    }
    return ChartPanel::tr("Concert");
}

QString PartHeading(const ChartPart& part) {
    const QString instrument = InstrumentName(part.instrument);
    if (part.capo <= 0) {
        return instrument;
    }
    if (part.instrument.kind == Instrument::Kind::Concert) {
        return CapoName(part.capo);
    }
    return ChartPanel::tr("%1, capo %2").arg(instrument).arg(part.capo);
}

}  // namespace kaz
