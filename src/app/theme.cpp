#include "app/theme.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QStyleFactory>
#include <array>

#include "app/view_settings.h"

namespace kaz {

namespace {

struct ThemeEntry {
    Theme theme;
    const char* name;
    const char* text;
};
constexpr std::array kThemes{
    ThemeEntry{Theme::System, "system", QT_TRANSLATE_NOOP("kaz::ThemeMenu", "&System")},
    ThemeEntry{Theme::Light, "light", QT_TRANSLATE_NOOP("kaz::ThemeMenu", "&Light")},
    ThemeEntry{Theme::Dark, "dark", QT_TRANSLATE_NOOP("kaz::ThemeMenu", "&Dark")},
    ThemeEntry{Theme::HighContrast, "high-contrast", QT_TRANSLATE_NOOP("kaz::ThemeMenu", "&High contrast")},
};

struct Colours {
    QColor window, windowText, base, alternate, text, button, highlight, highlightedText, mid, placeholder,
        link;
};

QPalette PaletteOf(const Colours& c) {
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        palette.setColor(group, QPalette::Window, c.window);
        palette.setColor(group, QPalette::WindowText, disabled ? c.placeholder : c.windowText);
        palette.setColor(group, QPalette::Base, c.base);
        palette.setColor(group, QPalette::AlternateBase, c.alternate);
        palette.setColor(group, QPalette::Text, disabled ? c.placeholder : c.text);
        palette.setColor(group, QPalette::Button, c.button);
        palette.setColor(group, QPalette::ButtonText, disabled ? c.placeholder : c.windowText);
        palette.setColor(group, QPalette::Highlight, c.highlight);
        palette.setColor(group, QPalette::HighlightedText, c.highlightedText);
        palette.setColor(group, QPalette::Mid, c.mid);
        palette.setColor(group, QPalette::PlaceholderText, c.placeholder);
        palette.setColor(group, QPalette::ToolTipBase, c.base);
        palette.setColor(group, QPalette::ToolTipText, c.text);
        palette.setColor(group, QPalette::Link, c.link);
        palette.setColor(group, QPalette::BrightText, c.text);
    }
    return palette;
}

}  // namespace

QPalette ThemePalette(Theme theme, const QPalette& system) {
    switch (theme) {
        case Theme::Light:
            return PaletteOf({QColor(239, 239, 239), Qt::black, Qt::white, QColor(245, 245, 245), Qt::black,
                              QColor(230, 230, 230), QColor(48, 140, 198), Qt::white, QColor(160, 160, 160),
                              QColor(120, 120, 120), QColor(0, 90, 180)});
        case Theme::Dark:
            return PaletteOf({QColor(45, 45, 48), QColor(230, 230, 230), QColor(30, 30, 32),
                              QColor(40, 40, 44), QColor(235, 235, 235), QColor(55, 55, 60),
                              QColor(70, 130, 200), Qt::white, QColor(100, 100, 105), QColor(150, 150, 150),
                              QColor(120, 170, 255)});
        case Theme::HighContrast:
            // White on black, and the marked measure or selection black on yellow.
            return PaletteOf({Qt::black, Qt::white, Qt::black, Qt::black, Qt::white, Qt::black,
                              QColor(255, 230, 0), Qt::black, Qt::white, QColor(200, 200, 200),
                              QColor(0, 255, 255)});
        case Theme::System:
            break;
    }
    return system;
}

QString ThemeName(Theme theme) {
    for (const ThemeEntry& entry : kThemes) {
        if (entry.theme == theme) {
            return QString::fromLatin1(entry.name);
        }
    }
    return QStringLiteral("system");
}

Theme ThemeNamed(const QString& name) {
    for (const ThemeEntry& entry : kThemes) {
        if (name == QLatin1String(entry.name)) {
            return entry.theme;
        }
    }
    return Theme::System;
}

ThemeMenu::ThemeMenu(QWidget& window)
    : QObject(&window),
      menu_(new QMenu(tr("&Theme"), &window)),
      group_(new QActionGroup(this)),
      system_(QApplication::palette()),
      systemStyle_(QApplication::style()->name()) {
    for (const ThemeEntry& entry : kThemes) {
        QAction* action = menu_->addAction(tr(entry.text));
        action->setCheckable(true);
        action->setData(static_cast<int>(entry.theme));
        group_->addAction(action);
        connect(action, &QAction::triggered, this, [this, theme = entry.theme] {
            Apply(theme);
            SaveThemeName(ThemeName(theme));
        });
    }
    Apply(ThemeNamed(LoadThemeName()));
}

void ThemeMenu::Apply(Theme theme) {
    for (QAction* action : group_->actions()) {
        action->setChecked(action->data().toInt() == static_cast<int>(theme));
    }
    // A palette of the program's own shows fully in the Fusion style; the system theme keeps the desktop's.
    const QString style = theme == Theme::System ? systemStyle_ : QStringLiteral("Fusion");
    if (QApplication::style()->name().compare(style, Qt::CaseInsensitive) != 0) {
        QApplication::setStyle(QStyleFactory::create(style));
    }
    QApplication::setPalette(ThemePalette(theme, system_));
}

}  // namespace kaz
