#include "app/interface_language.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

#include "app/setting_keys.h"

namespace kaz {

namespace {

constexpr int kMessageMs = 5000;

//! The locale whose languages the window looks for: the desktop's, or the one chosen.
QLocale LocaleOf(const QString& code) {
    return code.isEmpty() ? QLocale::system() : QLocale(code);
}

}  // namespace

QString LoadInterfaceLanguage() {
    return OpenSettings().value(setting_keys::kLanguage, QString()).toString();
}

void SaveInterfaceLanguage(const QString& code) {
    OpenSettings().setValue(setting_keys::kLanguage, code);
}

InterfaceTranslation::InterfaceTranslation(const QString& code) {
    // English is the language the texts are written in: no translation, whatever the desktop says.
    if (code == QLatin1String("en") || !kaz_.load(LocaleOf(code), QStringLiteral("kaz"), QStringLiteral("_"),
                                                  QStringLiteral(":/translations"))) {
        return;
    }
    language_ = kaz_.language().section(QLatin1Char('_'), 0, 0);
    QCoreApplication::installTranslator(&kaz_);
    // Qt's own texts in the same language as the window's, never in one the window does not speak.
    if (qt_.load(QLocale(language_), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt_);
    }
}

InterfaceTranslation::~InterfaceTranslation() {
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&kaz_);
}

LanguageMenu::LanguageMenu(QMainWindow& window)
    : QObject(&window), menu_(new QMenu(tr("&Language"), &window)), group_(new QActionGroup(this)) {
    const QString chosen = LoadInterfaceLanguage();
    for (const InterfaceLanguage& language : kInterfaceLanguages) {
        const QString code = QString::fromLatin1(language.code);
        // Each language by its own name, which a reader of it finds whatever the window speaks now.
        QAction* action =
            menu_->addAction(code.isEmpty() ? tr(language.name) : QString::fromUtf8(language.name));
        action->setCheckable(true);
        action->setChecked(code == chosen);
        group_->addAction(action);
        connect(action, &QAction::triggered, this, [&window, code] {
            SaveInterfaceLanguage(code);
            window.statusBar()->showMessage(tr("The language changes when Kaz starts next."), kMessageMs);
        });
    }
}

}  // namespace kaz
