#include "app/view_settings.h"

#include <QSettings>

#include "app/settings.h"

namespace kaz {

namespace {

constexpr const char* kCheckAsYouType = "View/CheckAsYouType";

}  // namespace

bool LoadCheckAsYouType() {
    return QSettings(kSettingsOrganisation, kSettingsApplication).value(kCheckAsYouType, true).toBool();
}

void SaveCheckAsYouType(bool on) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kCheckAsYouType, on);
}

}  // namespace kaz
