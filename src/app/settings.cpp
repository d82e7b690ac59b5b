#include "app/settings.h"

#include <QSettings>

namespace kaz {

namespace {

constexpr const char* kGroup = "Settings";
constexpr const char* kNotationName = "BBbH";

//! The program's settings, opened on their group.
class SettingsGroup {
  public:
    SettingsGroup() : settings_(kSettingsOrganisation, kSettingsApplication) { settings_.beginGroup(kGroup); }
    ~SettingsGroup() { settings_.endGroup(); }
    SettingsGroup(const SettingsGroup&) = delete;
    SettingsGroup& operator=(const SettingsGroup&) = delete;
    QSettings* operator->() { return &settings_; }

  private:
    QSettings settings_;
};

}  // namespace

QString SnippetSettingName(int index) {
    return QStringLiteral("Ctrl%1").arg((index + 1) % FastInputSnippets::kCount);
}

void LoadSettings(NotationMode& notation, FastInputSnippets& snippets) {
    SettingsGroup settings;
    notation = NotationFromSettingText(settings->value(kNotationName, QString()).toString().toStdString());
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        const QString text = settings->value(SnippetSettingName(i), QString()).toString();
        if (!text.isEmpty()) {
            snippets.texts[static_cast<std::size_t>(i)] = text;
        }
    }
}

void SaveNotation(NotationMode notation) {
    SettingsGroup settings;
    const std::string_view text = NotationSettingText(notation);
    settings->setValue(kNotationName, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void SaveSnippets(const FastInputSnippets& snippets) {
    SettingsGroup settings;
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        settings->setValue(SnippetSettingName(i), snippets.texts[static_cast<std::size_t>(i)]);
    }
}

}  // namespace kaz
