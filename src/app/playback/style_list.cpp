#include "app/playback/style_list.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <algorithm>
#include <limits>
#include <memory>

#include "app/settings.h"

namespace kaz {

StyleList::StyleList(StyleSettings& settings, QWidget* parent) : QComboBox(parent), settings_(settings) {
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
    LoadBandSettings(settings_);
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

void LoadBandSettings(StyleSettings& style) {
    const QSettings settings = OpenSettings();
    style.drumsVolume =
        ReadSettingNumber(settings, setting_keys::kStyleDrumsVolume, style.drumsVolume, 0, kMostDrumsVolume);
    style.feel = ReadSettingNumber(settings, setting_keys::kStyleFeel, style.feel, 0, kMostFeel);
    constexpr std::int32_t kMostSeed = std::numeric_limits<std::int32_t>::max();
    const auto seed = static_cast<std::int32_t>(std::min<std::uint64_t>(style.seed, kMostSeed));
    style.seed =
        static_cast<std::uint64_t>(ReadSettingNumber(settings, setting_keys::kStyleSeed, seed, 0, kMostSeed));
    // Anything between the style's own swing and even eighths plays even.
    const std::int32_t swing =
        ReadSettingNumber(settings, setting_keys::kStyleSwing, style.swing, kStyleSwing, kSwingHardest);
    style.swing = swing == kStyleSwing ? kStyleSwing : std::max(swing, kSwingEven);
}

void SaveBandSettings(const StyleSettings& style) {
    QSettings settings = OpenSettings();
    settings.setValue(setting_keys::kStyleDrumsVolume, style.drumsVolume);
    settings.setValue(setting_keys::kStyleSwing, style.swing);
    settings.setValue(setting_keys::kStyleFeel, style.feel);
    settings.setValue(setting_keys::kStyleSeed, static_cast<qulonglong>(style.seed));
}

}  // namespace kaz
