#pragma once

#include <array>

#include "app/document/recent_files.h"
#include "app/settings.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace kaz {

//! The window's commands, for the menus and keys and for tests.
struct WindowCommands {
    QAction* newChart;
    QAction* open;
    QAction* save;
    QAction* saveAs;
    QAction* exportMidi;
    QAction* exportAudio;
    QAction* exit;
    QAction* undo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* transpose;
    QAction* checkAsYouType;
    QAction* spellingHints;  //!< marks spellings that most likely mean something else
    QAction* chordReference;
    QAction* voices;
    QAction* styleSettings;  //!< how the band plays the accompaniment style
    QAction* notation;
    QAction* fastInput;
    QAction* about;
    QAction* homepage;
    QAction* makerSite;
    QAction* play;
    QAction* pause;
    QAction* stop;
    QAction* loop;
    QAction* playOrPause;
    QAction* loopSelectedMeasures;
    QAction* followView;  //!< shows and hides the follow view
    QAction* mixer;       //!< shows and hides the mixer
    QAction* countIn;
    QAction* editWhilePlaying;  //!< keeps the chart open to changes while it plays
    QAction* practiceLoop;      //!< the practice loop's tempo step and ceiling
    std::array<QAction*, FastInputSnippets::kCount> snippets;
    std::array<QAction*, RecentFiles::kCount> recentFiles;
};

//! Make the window's own commands on window, with their menu texts, status tips and keys, unconnected: all
//! but those of the transport and the player's features, which the playback makes.
void CreateWindowCommands(QWidget& window, WindowCommands& commands);

//! The commands of the window's parts that the menus show beside the window's own.
struct PartCommands {
    QAction* importSongs;
    QAction* exportPdf;
    QAction* exportIreal;
    QAction* exportMusicXml;
    QAction* exportChordPro;
    QAction* openSetList;
    QAction* setList;
    QAction* print;
    QAction* redo;
    QAction* find;
    QAction* replace;
    QAction* findNext;
    QAction* chartView;
    QAction* capo;
    QMenu* numbers;
    QMenu* diagrams;
    QAction* zoomIn;
    QAction* zoomOut;
    QAction* actualSize;
    QMenu* theme;
    QMenu* language;
};

//! File, Edit, View, Settings and Help, and the maker's command at the right end of the bar.
void CreateMenus(QMenuBar& bar, const WindowCommands& commands, const PartCommands& parts);

}  // namespace kaz
