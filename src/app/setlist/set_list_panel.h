#pragma once

#include <QWidget>
#include <optional>

#include "chart/set_list.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kaz {

//! The songs of a set list in the order they are played, the one playing marked; a click on a song, or the
//! buttons, choose the song. Below them: whether Play goes on to the next song, the printing of the whole
//! set, and the MIDI pedals listened to.
class SetListPanel final : public QWidget {
    Q_OBJECT

  public:
    explicit SetListPanel(QWidget* parent = nullptr);

    //! Show the songs of list, whose charts' titles are titles (empty where a chart gives none or is
    //! missing).
    void Show(const SetList& list, const std::vector<std::string>& titles, const std::vector<bool>& found);
    //! Mark the song at index as the one on the stand.
    void MarkCurrent(std::optional<std::size_t> index);
    [[nodiscard]] bool PlaysOn() const;
    void SetPlaysOn(bool on);
    //! Say which MIDI pedals are listened to, or why none.
    void SetPedalNote(const QString& note);
    [[nodiscard]] QListWidget& Songs() const { return *songs_; }

    [[nodiscard]] QSize sizeHint() const override { return {300, 480}; }

  signals:
    void songClicked(std::size_t index);
    void nextClicked();
    void previousClicked();
    void printClicked();
    void exportPdfClicked();
    void playsOnChanged(bool on);

  private:
    QLabel* title_;
    QListWidget* songs_;
    QCheckBox* playsOn_;
    QLabel* pedals_;
};

//! How the list names a song: its place, its title (its file's name without one), the key and tempo of the
//! set: "3. Blue Moon — Key of G, ♩ = 96".
[[nodiscard]] QString SongLine(std::size_t index, const SetListSong& song, const std::string& title);

}  // namespace kaz
