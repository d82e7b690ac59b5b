#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "interchange/lead_sheet.h"
#include "language/compile_score.h"

class QAction;
class QWidget;

namespace kaz {

class UserPrompts;

//! What the import and export commands need of the window.
struct ChartWindowAccess {
    std::function<bool()> maybeSave;               //!< may the chart shown be replaced (after asking to save)
    std::function<void(const QString&)> openText;  //!< show text as a new, unsaved chart
    std::function<void(const QString&)> openFile;  //!< open a chart file
    std::function<void(const QString&)> openSetList;  //!< show a set list file
    //! The chart as it is now, compiled; nullptr, after the user has been told why, when it does not compile.
    std::function<std::shared_ptr<const CompiledChart>()> compile;
    std::function<QString()> chartPath;  //!< the chart's file, empty for a new one
    //! The styles the window plays, which an imported chart's [STYLE=…] mark may name.
    std::function<std::shared_ptr<const StyleLibrary>()> styles;
};

//! The questions the commands ask, through dialogs; tests answer them themselves.
struct InterchangeQuestions {
    std::function<QString(QWidget*)> importPath;
    std::function<QString(QWidget*, const QString& caption, const QString& filter, const QString& suggested)>
        exportPath;
    std::function<QString(QWidget*, int songs)> folder;
    //! The songs picked from a playlist; none when the user cancels.
    std::function<std::vector<std::size_t>(QWidget*, const ImportedSongs&)> pick;
    std::function<bool(QWidget*)> importPastedLink;
    //! Tell what an export could not write.
    std::function<void(QWidget*, const QString&)> tellLeftOut;
};
//! The questions asked with the file dialogs, the song picker and a message box.
[[nodiscard]] InterchangeQuestions AskTheUser();

//! File → Import…, Export to iReal Pro… and Export to MusicXML…, and the import of a pasted or dropped link.
class InterchangeActions : public QObject {
    Q_OBJECT

  public:
    InterchangeActions(QWidget* window, UserPrompts& prompts, ChartWindowAccess access);

    QAction* importSongs;
    QAction* exportIreal;
    QAction* exportMusicXml;
    QAction* exportChordPro;
    InterchangeQuestions questions = AskTheUser();

    //! Whether a file given to the window from outside, dropped or named on the command line, holds songs to
    //! import rather than a chart: a MusicXML, ChordPro or web page file by its name, and a text file when it
    //! holds an iReal Pro link or a ChordPro directive. A chart kept as a text file opens as a chart.
    [[nodiscard]] static bool IsSongFile(const QString& path);
    //! Import the songs of a file. False, after saying why, when it holds none that the program reads.
    bool ImportFile(const QString& path);
    //! The exports work while the chart may change: while stopped, and while it plays with Edit while playing
    //! on.
    void SetEditable(bool editable);
    //! Offer to import the songs of a pasted text that holds an iReal Pro link; true when the text was taken.
    bool OfferPastedLink(const QString& text);

  private:
    void Import();
    bool ImportBytes(const QString& name, const std::string& bytes);
    //! Read the songs of bytes and leave out those whose charts would not compile or open, off the window's
    //! thread; false when the user cancelled.
    bool ReadSongs(const QString& name, const std::string& bytes, ImportedSongs& songs);
    void OpenSongs(const ImportedSongs& songs);
    //! Write the songs picked into a folder the user chooses, off the window's thread, open the first, and
    //! add what went wrong to told; false when the user chose no folder.
    //! Keep the charts of a playlist named collection in their order in a set list beside them, and show it;
    //! a set list of that name already there stays as it is.
    void KeepAsSetList(const std::vector<std::filesystem::path>& charts, const std::string& collection);
    //! Write the picked songs into a folder the user chooses; the songs of a playlist (named collection) are
    //! kept in their order in a set list beside them too.
    bool WriteSongs(const std::vector<LeadSheet>& picked, const std::string& collection, QStringList& told);
    //! Write the chart with write, then tell the user what the format has no place for: what no lead sheet
    //! carries, and what differences finds in the song as the format writes it.
    void Export(const QString& caption, const QString& filter, const QString& suffix,
                const std::function<std::string(const LeadSheet&)>& write,
                const std::function<std::vector<Message>(const LeadSheet&)>& differences);
    void ShowError(const QString& text);

    QWidget* window_;
    UserPrompts& prompts_;
    ChartWindowAccess access_;
};

}  // namespace kaz
