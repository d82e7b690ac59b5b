#include "app/playback/style_list.h"

#include <QCoreApplication>
#include <QFile>
#include <memory>

#include "app/player_settings.h"
#include "app/settings.h"

namespace kaz {

StyleList::StyleList(RenderSettings& settings, QWidget* parent)
    : QComboBox(parent), render_(settings), settings_(settings.style) {
    setAccessibleName(tr("Style"));
    setToolTip(tr("The accompaniment style where the chart names none"));
    if (settings_.library == nullptr) {
        settings_.library = std::make_shared<const StyleLibrary>(LoadStyles(
            StyleFolders(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString())));
    }
    for (const std::string& name : settings_.library->Names()) {
        addItem(QString::fromStdString(name));
    }
    const QString kept = OpenSettings().value(setting_keys::kAccompanimentStyle).toString();
    const int keptIndex = findText(kept);
    setCurrentIndex(keptIndex >= 0 ? keptIndex : 0);
    // Taken, not stored again: the settings file is not rewritten at every start.
    Take(currentIndex());
    LoadBandSettings(render_);
    connect(this, &QComboBox::currentIndexChanged, this, &StyleList::Choose);
}

void StyleList::Take(int index) {
    // The first entry is the block chords, which an empty name plays.
    settings_.name = index <= 0 ? std::string() : currentText().toStdString();
}

void StyleList::Choose(int index) {
    Take(index);
    if (index > 0 || OpenSettings().contains(setting_keys::kAccompanimentStyle)) {
        OpenSettings().setValue(setting_keys::kAccompanimentStyle, currentText());
    }
}

}  // namespace kaz
