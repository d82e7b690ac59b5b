#include "app/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace kaz {

namespace {

//! The program's settings, opened on their group.
class SettingsGroup {
  public:
    SettingsGroup() : settings_(OpenSettings()) { settings_.beginGroup(setting_keys::kSettingsGroup); }
    ~SettingsGroup() { settings_.endGroup(); }
    SettingsGroup(const SettingsGroup&) = delete;
    SettingsGroup& operator=(const SettingsGroup&) = delete;
    QSettings* operator->() { return &settings_; }

  private:
    QSettings settings_;
};

}  // namespace

QSettings OpenSettings() {
    return QSettings(kSettingsOrganisation, kSettingsApplication);
}

QString SetUpSettingsFile() {
    // Where QSettings keeps the program's settings, found without opening them: that would read the file.
    const QString path =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
            .filePath(QStringLiteral("%1/%2.conf").arg(kSettingsOrganisation, kSettingsApplication));
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.exists() ? !file.isWritable() : folder.exists() && !folder.isWritable()) {
        // Read as they are; only the changes cannot be kept.
        return QObject::tr("The settings cannot be saved in `%1`: what you change lasts until Kaz ends.")
            .arg(path);
    }
    QString problem;
    if (file.exists() && !file.isFile()) {
        problem = QObject::tr("The settings file `%1` is not a regular file.").arg(path);
    } else if (file.size() > kMaxSettingsFileBytes) {
        problem = QObject::tr("The settings file `%1` is larger than %2 KB.")
                      .arg(path)
                      .arg(kMaxSettingsFileBytes / 1024);
    } else {
        return {};
    }
    // A folder of this run's own, so nothing blocks on the file or overwrites it.
    const QString own =
        QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
            .filePath(QStringLiteral("kaz-settings-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(own);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, own);
    return problem + QLatin1Char(' ') +
           QObject::tr("Kaz starts with its default settings, and what you change lasts until it ends.");
}

std::int32_t ReadSettingNumber(const QSettings& settings, const char* name, std::int32_t fallback,
                               std::int32_t low, std::int32_t high) {
    bool number = false;
    const int value = settings.value(name).toInt(&number);
    return number ? std::clamp(value, low, high) : fallback;
}

QString SnippetSettingName(int index) {
    return QStringLiteral("Ctrl%1").arg((index + 1) % FastInputSnippets::kCount);
}

void LoadSettings(NotationMode& notation, FastInputSnippets& snippets) {
    SettingsGroup settings;
    notation =
        NotationFromSettingText(settings->value(setting_keys::kNotation, QString()).toString().toStdString());
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        const QString text = settings->value(SnippetSettingName(i), QString()).toString();
        if (!text.isEmpty() && text.size() <= FastInputSnippets::kMaxLength) {
            snippets.texts[static_cast<std::size_t>(i)] = text;
        }
    }
}

void SaveNotation(NotationMode notation) {
    SettingsGroup settings;
    const std::string_view text = NotationSettingText(notation);
    settings->setValue(setting_keys::kNotation,
                       QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

bool NotationStored() {
    SettingsGroup settings;
    return settings->contains(setting_keys::kNotation);
}

void SaveSnippets(const FastInputSnippets& snippets) {
    SettingsGroup settings;
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        settings->setValue(SnippetSettingName(i), snippets.texts[static_cast<std::size_t>(i)]);
    }
}

}  // namespace kaz
