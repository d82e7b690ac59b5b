#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>
#include <array>

class QActionGroup;
class QMainWindow;
class QMenu;

namespace kaz {

//! A language the window speaks: its code in the settings and in the name of its translation (kaz_de.qm),
//! and its name in itself. An empty code is the desktop's language.
struct InterfaceLanguage {
    const char* code;
    const char* name;
};

//! Settings > Language offers these; a new translation adds its line.
inline constexpr std::array<InterfaceLanguage, 3> kInterfaceLanguages{{
    {"", QT_TRANSLATE_NOOP("kaz::LanguageMenu", "System")},
    {"en", "English"},
    {"de", "Deutsch"},
}};

//! The language chosen in Settings > Language: "View/Language", the desktop's ("") unless chosen.
[[nodiscard]] QString LoadInterfaceLanguage();
void SaveInterfaceLanguage(const QString& code);

//! The window's translation and Qt's own (its dialogs' buttons) for a language, installed in the program for
//! as long as it lives. English, and a language Kaz has no translation for, leave every text as written.
class InterfaceTranslation {
  public:
    //! code as in kInterfaceLanguages; the empty code follows the desktop's languages in their order.
    explicit InterfaceTranslation(const QString& code);
    ~InterfaceTranslation();
    InterfaceTranslation(const InterfaceTranslation&) = delete;
    InterfaceTranslation& operator=(const InterfaceTranslation&) = delete;

    //! The language the window speaks, as "de", or "" when it speaks as written.
    [[nodiscard]] QString Language() const { return language_; }

  private:
    QTranslator kaz_;
    QTranslator qt_;
    QString language_;
};

//! Settings > Language: one checked entry a language, remembered; the window speaks it from its next start.
class LanguageMenu final : public QObject {
    Q_OBJECT

  public:
    explicit LanguageMenu(QMainWindow& window);

    [[nodiscard]] QMenu* Menu() const { return menu_; }

  private:
    QMenu* menu_;
    QActionGroup* group_;
};

}  // namespace kaz
