#include "app/command_table.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenuBar>
#include <QProxyStyle>

#include "app/window_command.h"

namespace kaz {

namespace {

//! One of the window's own commands. Its texts are translated in the window's context.
struct CommandEntry {
    QAction* WindowCommands::*command;
    const char* label;
    const char* statusTip;
    std::array<QKeyCombination, 2> keys{};  //!< Qt::Key_unknown where there is none
    bool checkable = false;
};

constexpr std::array<CommandEntry, 22> kCommands{{
    {&WindowCommands::newChart,
     QT_TRANSLATE_NOOP("MainWindow", "&New"),
     QT_TRANSLATE_NOOP("MainWindow", "Create a new chart"),
     {Qt::CTRL | Qt::Key_N}},
    {&WindowCommands::open,
     QT_TRANSLATE_NOOP("MainWindow", "&Open..."),
     QT_TRANSLATE_NOOP("MainWindow", "Open an existing chart"),
     {Qt::CTRL | Qt::Key_O}},
    {&WindowCommands::save,
     QT_TRANSLATE_NOOP("MainWindow", "&Save"),
     QT_TRANSLATE_NOOP("MainWindow", "Save the chart"),
     {Qt::CTRL | Qt::Key_S}},
    {&WindowCommands::saveAs, QT_TRANSLATE_NOOP("MainWindow", "Save &As..."),
     QT_TRANSLATE_NOOP("MainWindow", "Save the chart with a new name")},
    {&WindowCommands::exportMidi, QT_TRANSLATE_NOOP("MainWindow", "Export to &MIDI"),
     QT_TRANSLATE_NOOP("MainWindow", "Export the score in MIDI format")},
    {&WindowCommands::exportAudio, QT_TRANSLATE_NOOP("MainWindow", "Export to A&udio..."),
     QT_TRANSLATE_NOOP("MainWindow",
                       "Render the score through the built-in synthesizer into a WAV or FLAC file")},
    {&WindowCommands::exit,
     QT_TRANSLATE_NOOP("MainWindow", "E&xit"),
     QT_TRANSLATE_NOOP("MainWindow", "Quit Kaz; asks to save the chart first"),
     {Qt::CTRL | Qt::Key_Q}},
    {&WindowCommands::undo,
     QT_TRANSLATE_NOOP("MainWindow", "&Undo"),
     QT_TRANSLATE_NOOP("MainWindow", "Undo the last change"),
     {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace}},
    {&WindowCommands::cut,
     QT_TRANSLATE_NOOP("MainWindow", "Cu&t"),
     QT_TRANSLATE_NOOP("MainWindow", "Cut the selection and put it on the clipboard"),
     {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}},
    {&WindowCommands::copy,
     QT_TRANSLATE_NOOP("MainWindow", "&Copy"),
     QT_TRANSLATE_NOOP("MainWindow", "Copy the selection and put it on the clipboard"),
     {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}},
    {&WindowCommands::paste,
     QT_TRANSLATE_NOOP("MainWindow", "&Paste"),
     QT_TRANSLATE_NOOP("MainWindow", "Insert the clipboard's contents"),
     {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}},
    {&WindowCommands::transpose,
     QT_TRANSLATE_NOOP("MainWindow", "&Transpose"),
     QT_TRANSLATE_NOOP("MainWindow", "Transpose the score"),
     {Qt::CTRL | Qt::Key_T}},
    {&WindowCommands::checkAsYouType,
     QT_TRANSLATE_NOOP("MainWindow", "&Check as you type"),
     QT_TRANSLATE_NOOP("MainWindow", "Underline the chart's first mistake a moment after typing stops"),
     {},
     true},
    {&WindowCommands::spellingHints,
     QT_TRANSLATE_NOOP("MainWindow", "Spelling &hints"),
     QT_TRANSLATE_NOOP("MainWindow", "Mark chord spellings that most musicians mean otherwise, such as C-7"),
     {},
     true},
    {&WindowCommands::chordReference, QT_TRANSLATE_NOOP("MainWindow", "&Chord reference"),
     QT_TRANSLATE_NOOP("MainWindow", "List every chord spelling with the keys it plays")},
    {&WindowCommands::voices, QT_TRANSLATE_NOOP("MainWindow", "&Voices"),
     QT_TRANSLATE_NOOP("MainWindow", "Set instrument voices")},
    {&WindowCommands::styleSettings, QT_TRANSLATE_NOOP("MainWindow", "&Style..."),
     QT_TRANSLATE_NOOP("MainWindow", "Set how the band plays the accompaniment style")},
    {&WindowCommands::notation, QT_TRANSLATE_NOOP("MainWindow", "&B/Bb/H"),
     QT_TRANSLATE_NOOP("MainWindow", "English/German notation")},
    {&WindowCommands::fastInput, QT_TRANSLATE_NOOP("MainWindow", "&Fast input"),
     QT_TRANSLATE_NOOP("MainWindow", "Define chord shortcuts")},
    {&WindowCommands::about, QT_TRANSLATE_NOOP("MainWindow", "&About"),
     QT_TRANSLATE_NOOP("MainWindow", "Show the program's name, version and maker")},
    {&WindowCommands::homepage, QT_TRANSLATE_NOOP("MainWindow", "&Homepage"),
     QT_TRANSLATE_NOOP("MainWindow", "Find the documentation and the latest updates")},
    {&WindowCommands::makerSite, QT_TRANSLATE_NOOP("MainWindow", "&Velmor"),
     QT_TRANSLATE_NOOP("MainWindow", "Please visit our website!")},
}};

QList<QKeySequence> KeysOf(const CommandEntry& entry) {
    QList<QKeySequence> keys;
    for (const QKeyCombination key : entry.keys) {
        if (key.key() != Qt::Key_unknown) {
            keys << QKeySequence(key);
        }
    }
    return keys;
}

//! A menu bar style whose separator divides the items at the left end from those at the right end.
class MenuBarWithRightEnd final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_DrawMenuBarSeparator ? 1 : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

void CreateWindowCommands(QWidget& window, WindowCommands& commands) {
    for (const CommandEntry& entry : kCommands) {
        QAction* command =
            AddWindowCommand(window, QCoreApplication::translate("MainWindow", entry.label),
                             QCoreApplication::translate("MainWindow", entry.statusTip), KeysOf(entry));
        command->setCheckable(entry.checkable);
        commands.*entry.command = command;
    }
    for (QAction*& recent : commands.recentFiles) {
        recent =
            AddWindowCommand(window, QString(), QCoreApplication::translate("MainWindow", "Open this chart"));
    }
    for (int i = 0; i < FastInputSnippets::kCount; ++i) {
        const int digit = (i + 1) % FastInputSnippets::kCount;
        commands.snippets[static_cast<std::size_t>(i)] =
            AddWindowCommand(window, QCoreApplication::translate("MainWindow", "Snippet %1").arg(i + 1),
                             QString(), {QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + digit))});
    }
}

void CreateMenus(QMenuBar& bar, const WindowCommands& c, const PartCommands& parts) {
    QMenu* file = bar.addMenu(QCoreApplication::translate("MainWindow", "&File"));
    file->addActions({c.newChart, c.open, c.save, c.saveAs});
    file->addSeparator();
    file->addAction(parts.openSetList);
    file->addSeparator();
    file->addAction(parts.importSongs);
    file->addActions({c.exportMidi, c.exportAudio, parts.exportPdf, parts.exportIreal, parts.exportMusicXml,
                      parts.exportChordPro});
    file->addSeparator();
    file->addAction(parts.print);
    file->addSeparator();
    for (QAction* recent : c.recentFiles) {
        file->addAction(recent);
    }
    file->addSeparator();
    file->addAction(c.exit);

    QMenu* edit = bar.addMenu(QCoreApplication::translate("MainWindow", "&Edit"));
    edit->addActions({c.undo, parts.redo});
    edit->addSeparator();
    edit->addActions({c.cut, c.copy, c.paste});
    edit->addSeparator();
    edit->addActions({parts.find, parts.replace, parts.findNext});
    edit->addSeparator();
    edit->addAction(c.transpose);
    edit->addSeparator();
    edit->addAction(c.loopSelectedMeasures);

    // Alt+V is the maker's item.
    QMenu* view = bar.addMenu(QCoreApplication::translate("MainWindow", "Vie&w"));
    view->addAction(c.checkAsYouType);
    view->addAction(c.followView);
    view->addAction(c.mixer);
    view->addAction(parts.chartView);
    view->addAction(parts.setList);
    view->addAction(parts.capo);
    view->addMenu(parts.numbers);
    view->addMenu(parts.diagrams);
    view->addSeparator();
    view->addActions({parts.zoomIn, parts.zoomOut, parts.actualSize});
    view->addMenu(parts.theme);

    QMenu* settings = bar.addMenu(QCoreApplication::translate("MainWindow", "&Settings"));
    settings->addActions({c.voices, c.styleSettings});
    settings->addSeparator();
    settings->addActions({c.notation, c.fastInput});
    settings->addSeparator();
    settings->addActions({c.countIn, c.practiceLoop, c.editWhilePlaying});
    settings->addSeparator();
    settings->addAction(c.spellingHints);
    settings->addMenu(parts.language);

    QMenu* help = bar.addMenu(QCoreApplication::translate("MainWindow", "&Help"));
    help->addAction(c.chordReference);
    help->addAction(c.about);
    help->addSeparator();
    help->addAction(c.homepage);

    // The maker's item is a command of its own at the right end of the menu bar, not a menu: the menu bar
    // puts what follows a separator at its right end when its style asks for menu bar separators.
    auto* style = new MenuBarWithRightEnd(QApplication::style()->name());
    style->setParent(&bar);
    bar.setStyle(style);
    bar.addSeparator();
    bar.addAction(c.makerSite);
}

}  // namespace kaz
