#include "app/player_settings.h"

#include <QSettings>
#include <algorithm>

#include "app/settings.h"

namespace kaz {

namespace {

constexpr const char* kFollowView = "View/FollowView";
constexpr const char* kCountIn = "Playback/CountIn";
constexpr const char* kPracticeTempoStep = "Playback/PracticeTempoStep";
constexpr const char* kPracticeTempoCeiling = "Playback/PracticeTempoCeiling";

std::int32_t ReadNumber(const QSettings& settings, const char* name, std::int32_t fallback, std::int32_t low,
                        std::int32_t high) {
    bool number = false;
    const int value = settings.value(name).toInt(&number);
    return number ? std::clamp(value, low, high) : fallback;
}

}  // namespace

PlayerSettings LoadPlayerSettings() {
    const QSettings settings(kSettingsOrganisation, kSettingsApplication);
    PlayerSettings player;
    player.followView = settings.value(kFollowView, player.followView).toBool();
    player.countIn = settings.value(kCountIn, player.countIn).toBool();
    PracticeTempo& tempo = player.practiceTempo;
    tempo.step = ReadNumber(settings, kPracticeTempoStep, tempo.step, 0, kMaxPracticeTempoStep);
    tempo.ceiling = ReadNumber(settings, kPracticeTempoCeiling, tempo.ceiling, kMinTempo, kMaxTempo);
    return player;
}

void SaveFollowView(bool shown) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kFollowView, shown);
}

void SaveCountIn(bool on) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kCountIn, on);
}

void SavePracticeTempo(const PracticeTempo& tempo) {
    QSettings settings(kSettingsOrganisation, kSettingsApplication);
    settings.setValue(kPracticeTempoStep, tempo.step);
    settings.setValue(kPracticeTempoCeiling, tempo.ceiling);
}

}  // namespace kaz
