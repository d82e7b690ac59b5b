#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "chart/set_list.h"
#include "midi/pedal_presses.h"

class QAction;
class QDockWidget;
class QMainWindow;

namespace kaz {

class MidiPedalInput;
class SetListPanel;
class UserPrompts;

//! Playing a gig from a set list: File > Open Set List, the View > Set list panel, the steps to the next song
//! and the one before from the panel, from Page Down and Page Up (what page-turning pedals send) wherever the
//! focus is in the window, and from the sustain and soft pedals of a MIDI input; and Play going on to the
//! next song when one has played to its end, when the user wants it.
class SetListFeature final : public QObject {
    Q_OBJECT

  public:
    SetListFeature(QMainWindow& window, UserPrompts& prompts);
    ~SetListFeature() override;

    [[nodiscard]] QAction* OpenAction() const { return open_; }
    [[nodiscard]] QAction* ViewAction() const { return viewAction_; }
    [[nodiscard]] SetListPanel& Panel() const { return *panel_; }

    //! How the commands ask for a file; tests answer in their place.
    std::function<QString(const QString& folder)> askListToOpen;
    std::function<QString(const QString& suggested)> askPdfFile;

    //! Read the set list at path and show it; false, after saying why, when it cannot be read.
    bool Open(const QString& path);
    //! The list shown, where it is kept, and the song on the stand.
    [[nodiscard]] const SetList& List() const { return list_; }
    [[nodiscard]] const QString& Path() const { return path_; }
    [[nodiscard]] std::optional<std::size_t> Current() const { return current_; }
    //! The chart file of the song at index.
    [[nodiscard]] QString ChartPath(std::size_t index) const;

    //! Choose the song at index; play it at once when play is set.
    void Choose(std::size_t index, bool play = false);
    void Next();
    void Previous();
    //! A song has played to its end: the next one opens and plays when the user asked for it.
    void SongEnded();

  signals:
    //! A song of the set was chosen: open its chart, set its key and tempo, and play it when play is set.
    void songChosen(const QString& chartPath, const kaz::SetListSong& song, bool play);
    //! Print the set, or write it to pdf (a path), every song after a contents page.
    void printRequested(const QString& listPath, const kaz::SetList& list);
    void exportPdfRequested(const QString& listPath, const kaz::SetList& list, const QString& pdf);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OpenAsked();
    void ListenToPedals();
    void Press(PedalPress press);

    QMainWindow& window_;
    UserPrompts& prompts_;
    SetListPanel* panel_;
    QDockWidget* dock_;
    QAction* open_;
    QAction* viewAction_;
    SetList list_;
    QString path_;
    std::optional<std::size_t> current_;
    std::unique_ptr<MidiPedalInput> pedals_;
    bool pedalsTried_ = false;
};

}  // namespace kaz
