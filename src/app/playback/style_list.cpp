#include "app/playback/style_list.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <algorithm>
#include <limits>
#include <memory>

#include "app/settings.h"

namespace kaz {

namespace {

// Settings of their own, beside the specified ones.
constexpr const char* kStyleKey = "Settings/AccompanimentStyle";
constexpr const char* kDrumsVolumeKey = "Style/DrumsVolume";
constexpr const char* kSwingKey = "Style/Swing";
constexpr const char* kFeelKey = "Style/Feel";
constexpr const char* kSeedKey = "Style/Seed";

QSettings AppSettings() {
    return QSettings(kSettingsOrganisation, kSettingsApplication);
}

std::int32_t ReadNumber(const QSettings& settings, const char* name, std::int32_t fallback, std::int32_t low,
                        std::int32_t high) {
    bool number = false;
    const int value = settings.value(name).toInt(&number);
    return number ? std::clamp(value, low, high) : fallback;
}

}  // namespace

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
    const QString kept = AppSettings().value(kStyleKey).toString();
    const int keptIndex = findText(kept);
    setCurrentIndex(keptIndex >= 0 ? keptIndex : 0);
    Choose(currentIndex());
    LoadBandSettings(settings_);
    connect(this, &QComboBox::currentIndexChanged, this, &StyleList::Choose);
}

void StyleList::Choose(int index) {
    // The first entry is the block chords, which an empty name plays.
    settings_.name = index <= 0 ? std::string() : currentText().toStdString();
    if (index > 0 || AppSettings().contains(kStyleKey)) {
        AppSettings().setValue(kStyleKey, currentText());
    }
}

void LoadBandSettings(StyleSettings& style) {
    const QSettings settings = AppSettings();
    style.drumsVolume = ReadNumber(settings, kDrumsVolumeKey, style.drumsVolume, 0, kMostDrumsVolume);
    style.feel = ReadNumber(settings, kFeelKey, style.feel, 0, kMostFeel);
    constexpr std::int32_t kMostSeed = std::numeric_limits<std::int32_t>::max();
    const auto seed = static_cast<std::int32_t>(std::min<std::uint64_t>(style.seed, kMostSeed));
    style.seed = static_cast<std::uint64_t>(ReadNumber(settings, kSeedKey, seed, 0, kMostSeed));
    // Anything between the style's own swing and even eighths plays even.
    const std::int32_t swing = ReadNumber(settings, kSwingKey, style.swing, kStyleSwing, kSwingHardest);
    style.swing = swing == kStyleSwing ? kStyleSwing : std::max(swing, kSwingEven);
}

void SaveBandSettings(const StyleSettings& style) {
    QSettings settings = AppSettings();
    settings.setValue(kDrumsVolumeKey, style.drumsVolume);
    settings.setValue(kSwingKey, style.swing);
    settings.setValue(kFeelKey, style.feel);
    settings.setValue(kSeedKey, static_cast<qulonglong>(style.seed));
}

}  // namespace kaz
