#include "app/view_settings.h"

#include <QSettings>

#include "app/settings.h"

namespace kaz {

namespace {

constexpr const char* kCheckAsYouType = "View/CheckAsYouType";
constexpr const char* kChartView = "View/ChartView";
constexpr const char* kZoom = "View/Zoom";
constexpr const char* kTheme = "View/Theme";
constexpr const char* kSpellingHints = "View/SpellingHints";
constexpr int kUnzoomed = 100;

QSettings ProgramSettings() {
    return QSettings(kSettingsOrganisation, kSettingsApplication);
}

}  // namespace

bool LoadCheckAsYouType() {
    return QSettings(kSettingsOrganisation, kSettingsApplication).value(kCheckAsYouType, true).toBool();
}

void SaveCheckAsYouType(bool on) {
    QSettings(kSettingsOrganisation, kSettingsApplication).setValue(kCheckAsYouType, on);
}

bool LoadChartView() {
    return ProgramSettings().value(kChartView, false).toBool();
}

void SaveChartView(bool shown) {
    ProgramSettings().setValue(kChartView, shown);
}

int LoadZoomPercent() {
    bool ok = false;
    const int percent = ProgramSettings().value(kZoom, kUnzoomed).toInt(&ok);
    return ok ? percent : kUnzoomed;
}

void SaveZoomPercent(int percent) {
    ProgramSettings().setValue(kZoom, percent);
}

QString LoadThemeName() {
    return ProgramSettings().value(kTheme, QStringLiteral("system")).toString();
}

void SaveThemeName(const QString& name) {
    ProgramSettings().setValue(kTheme, name);
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
