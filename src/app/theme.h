#pragma once

#include <QObject>
#include <QPalette>
#include <QString>

class QActionGroup;
class QMenu;
class QStyle;
class QWidget;

namespace kaz {

//! The window's colours: the desktop's own, light, dark, or high contrast for poor light and weak eyes.
//! The editor's colouring, the chart view and the follow view all draw from the palette a theme sets.
enum class Theme { System, Light, Dark, HighContrast };

//! The palette of a theme; System gives the desktop's palette, which the program keeps from its start.
[[nodiscard]] QPalette ThemePalette(Theme theme, const QPalette& system);
//! The theme's name in the settings, and back; an unknown name is System.
[[nodiscard]] QString ThemeName(Theme theme);
[[nodiscard]] Theme ThemeNamed(const QString& name);

//! View > Theme: one checked entry a theme, the choice applied to the whole program and remembered.
class ThemeMenu final : public QObject {
    Q_OBJECT

  public:
    //! The menu, with the theme last chosen applied.
    explicit ThemeMenu(QWidget& window);

    [[nodiscard]] QMenu* Menu() const { return menu_; }
    void Apply(Theme theme);

  private:
    QMenu* menu_;
    QActionGroup* group_;
    QPalette system_;
    QString systemStyle_;
};

}  // namespace kaz
