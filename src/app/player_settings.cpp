#include "app/player_settings.h"

#include <QSettings>
#include <algorithm>

#include "app/settings.h"

namespace kaz {

PlayerSettings LoadPlayerSettings() {
    const QSettings settings = OpenSettings();
    PlayerSettings player;
    player.followView = settings.value(setting_keys::kFollowView, player.followView).toBool();
    player.countIn = settings.value(setting_keys::kCountIn, player.countIn).toBool();
    PracticeTempo& tempo = player.practiceTempo;
    tempo.step =
        ReadSettingNumber(settings, setting_keys::kPracticeTempoStep, tempo.step, 0, kMaxPracticeTempoStep);
    tempo.ceiling =
        ReadSettingNumber(settings, setting_keys::kPracticeTempoCeiling, tempo.ceiling, kMinTempo, kMaxTempo);
    return player;
}

void SaveFollowView(bool shown) {
    OpenSettings().setValue(setting_keys::kFollowView, shown);
}

void SaveCountIn(bool on) {
    OpenSettings().setValue(setting_keys::kCountIn, on);
}

void SavePracticeTempo(const PracticeTempo& tempo) {
    QSettings settings = OpenSettings();
    settings.setValue(setting_keys::kPracticeTempoStep, tempo.step);
    settings.setValue(setting_keys::kPracticeTempoCeiling, tempo.ceiling);
}

}  // namespace kaz
