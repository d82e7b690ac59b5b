#include "app/player_settings.h"

#include <QSettings>
#include <algorithm>
#include <limits>

#include "app/settings.h"

namespace kaz {

PlayerSettings LoadPlayerSettings() {
    const QSettings settings = OpenSettings();
    PlayerSettings player;
    player.followView = settings.value(setting_keys::kFollowView, player.followView).toBool();
    player.countIn = settings.value(setting_keys::kCountIn, player.countIn).toBool();
    player.editWhilePlaying =
        settings.value(setting_keys::kEditWhilePlaying, player.editWhilePlaying).toBool();
    PracticeTempo& tempo = player.practiceTempo;
    tempo.step =
        ReadSettingNumber(settings, setting_keys::kPracticeTempoStep, tempo.step, 0, kMaxPracticeTempoStep);
    tempo.ceiling =
        ReadSettingNumber(settings, setting_keys::kPracticeTempoCeiling, tempo.ceiling, kMinTempo, kMaxTempo);
    tempo.keyStep = ReadSettingNumber(settings, setting_keys::kPracticeKeyStep, tempo.keyStep, -kMostKeyStep,
                                      kMostKeyStep);
    return player;
}

void SaveFollowView(bool shown) {
    OpenSettings().setValue(setting_keys::kFollowView, shown);
}

void SaveCountIn(bool on) {
    OpenSettings().setValue(setting_keys::kCountIn, on);
}

void SaveEditWhilePlaying(bool on) {
    OpenSettings().setValue(setting_keys::kEditWhilePlaying, on);
}

void SavePracticeTempo(const PracticeTempo& tempo) {
    QSettings settings = OpenSettings();
    settings.setValue(setting_keys::kPracticeTempoStep, tempo.step);
    settings.setValue(setting_keys::kPracticeTempoCeiling, tempo.ceiling);
    settings.setValue(setting_keys::kPracticeKeyStep, tempo.keyStep);
}

void LoadBandSettings(RenderSettings& render) {
    StyleSettings& style = render.style;
    const QSettings settings = OpenSettings();
    const std::int32_t drums = render.parts.Volume("drums");
    const std::int32_t drumsVolume =
        ReadSettingNumber(settings, setting_keys::kStyleDrumsVolume, drums, 0, kMostDrumsVolume);
    if (drumsVolume != drums) {
        render.parts["drums"].volume = static_cast<std::uint8_t>(drumsVolume);
    }
    style.feel = ReadSettingNumber(settings, setting_keys::kStyleFeel, style.feel, 0, kMostFeel);
    constexpr std::int32_t kMostSeed = std::numeric_limits<std::int32_t>::max();
    const auto seed = static_cast<std::int32_t>(std::min<std::uint64_t>(style.seed, kMostSeed));
    style.seed =
        static_cast<std::uint64_t>(ReadSettingNumber(settings, setting_keys::kStyleSeed, seed, 0, kMostSeed));
    // Anything between the style's own swing and even eighths plays even.
    const std::int32_t swing =
        ReadSettingNumber(settings, setting_keys::kStyleSwing, style.swing, kStyleSwing, kSwingHardest);
    style.swing = swing == kStyleSwing ? kStyleSwing : std::max(swing, kSwingEven);
    style.intro = static_cast<Intro>(ReadSettingNumber(settings, setting_keys::kStyleIntro,
                                                       static_cast<std::int32_t>(style.intro), 0,
                                                       static_cast<std::int32_t>(Intro::LastFourBars)));
}

void SaveBandSettings(const RenderSettings& render) {
    const StyleSettings& style = render.style;
    QSettings settings = OpenSettings();
    settings.setValue(setting_keys::kStyleDrumsVolume, render.parts.Volume("drums"));
    settings.setValue(setting_keys::kStyleSwing, style.swing);
    settings.setValue(setting_keys::kStyleFeel, style.feel);
    settings.setValue(setting_keys::kStyleSeed, static_cast<qulonglong>(style.seed));
    settings.setValue(setting_keys::kStyleIntro, static_cast<int>(style.intro));
}

}  // namespace kaz
