#include "app/view_settings.h"

#include <QSettings>

#include "app/settings.h"

namespace kaz {

namespace {

constexpr int kUnzoomed = 100;

}  // namespace

bool LoadCheckAsYouType() {
    return OpenSettings().value(setting_keys::kCheckAsYouType, true).toBool();
}

void SaveCheckAsYouType(bool on) {
    OpenSettings().setValue(setting_keys::kCheckAsYouType, on);
}

ChordNumbers LoadChordNumbers() {
    const QString code = OpenSettings().value(setting_keys::kChordNumbers).toString();
    return ChordNumbersFromCode(code.toStdString()).value_or(ChordNumbers::Letters);
}

void SaveChordNumbers(ChordNumbers numbers) {
    const std::string_view code = ChordNumbersCode(numbers);
    OpenSettings().setValue(setting_keys::kChordNumbers,
                            QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
}

DiagramKind LoadDiagramKind() {
    const QString code = OpenSettings().value(setting_keys::kDiagrams).toString();
    return DiagramKindFromCode(code.toStdString()).value_or(DiagramKind::None);
}

void SaveDiagramKind(DiagramKind kind) {
    const std::string_view code = DiagramKindCode(kind);
    OpenSettings().setValue(setting_keys::kDiagrams,
                            QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
}

bool LoadChartView() {
    return OpenSettings().value(setting_keys::kChartView, false).toBool();
}

void SaveChartView(bool shown) {
    OpenSettings().setValue(setting_keys::kChartView, shown);
}

int LoadZoomPercent() {
    bool ok = false;
    const int percent = OpenSettings().value(setting_keys::kZoom, kUnzoomed).toInt(&ok);
    return ok ? percent : kUnzoomed;
}

void SaveZoomPercent(int percent) {
    OpenSettings().setValue(setting_keys::kZoom, percent);
}

QString LoadThemeName() {
    return OpenSettings().value(setting_keys::kTheme, QStringLiteral("system")).toString();
}

void SaveThemeName(const QString& name) {
    OpenSettings().setValue(setting_keys::kTheme, name);
}

bool LoadSpellingHints() {
    return OpenSettings().value(setting_keys::kSpellingHints, true).toBool();
}

void SaveSpellingHints(bool on) {
    OpenSettings().setValue(setting_keys::kSpellingHints, on);
}

}  // namespace kaz
