#include "app/view_settings.h"

#include <QSettings>

#include "app/settings.h"

namespace kaz {

namespace {

constexpr const char* kCheckAsYouType = "View/CheckAsYouType";
constexpr const char* kSpellingHints = "View/SpellingHints";

}  // namespace

bool LoadCheckAsYouType() {
    return QSettings(kSettingsOrganisation, kSettingsApplication).value(kCheckAsYouType, true).toBool();
}

void SaveCheckAsYouType(bool on) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kCheckAsYouType, on);
}

}  // namespace kaz

namespace kaz {

bool LoadSpellingHints() {
    return QSettings(kSettingsOrganisation, kSettingsApplication).value(kSpellingHints, true).toBool();
}

void SaveSpellingHints(bool on) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kSpellingHints, on);
}

}  // namespace kaz
