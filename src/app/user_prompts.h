#pragma once

#include <QString>
#include <optional>
#include <vector>

#include <string_view>

#include "harmony/notation.h"
#include "harmony/transposition.h"

class QWidget;

namespace kaz {

//! The icon of a message; None for a plain one.
enum class MessageIcon { Exclamation, Information, None };

//! The files the window asks the user to name.
enum class FileQuestion { Open, SaveAs, ExportMidi, ExportAudio };

enum class SaveChangesAnswer { Save, Discard, Cancel };
//! What to do with a chart a run that ended left unsaved, or with the old bytes of a chart whose save it cut
//! short (Restore puts them back): Later keeps it for the next start.
enum class RecoveryAnswer { Restore, Discard, Later };
//! The chart's file changed on disk while it has changes here too.
enum class OutsideChangeAnswer { KeepMine, TakeTheirs, SaveMineAs };

struct LeftBehindWork;

//! How the window asks the user and tells the user: the message boxes, the file names and the transposition
//! choice. The program asks through dialogs; tests answer in their place.
class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    //! Show one modal message and return when it is dismissed.
    virtual void ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) = 0;
    //! A message with only an OK button, titled with the program's name.
    void Tell(const QString& text, MessageIcon icon);
    //! Whether to save the changes to the chart called name before it goes.
    [[nodiscard]] virtual SaveChangesAnswer AskSaveChanges(const QString& name) = 0;
    //! Whether to save a chart as UTF-8 because its own encoding cannot store all of it; false is Cancel.
    [[nodiscard]] virtual bool AskSaveAsUtf8() = 0;
    //! What to do with each chart that runs which ended left unsaved, in one list; the user may look at their
    //! texts first. An answer for each, in the order given.
    [[nodiscard]] virtual std::vector<RecoveryAnswer> ChooseRecoveries(
        const std::vector<LeftBehindWork>& work) = 0;
    //! Which text to keep of the chart called name, changed both here and in its file by another program.
    [[nodiscard]] virtual OutsideChangeAnswer AskOutsideChange(const QString& name) = 0;
    //! Whether to open the chart at path, which another Kaz window has open, for reading only.
    [[nodiscard]] virtual bool AskOpenReadOnly(const QString& path) = 0;
    //! A file name for question, starting at suggested (a folder, or a file's path); empty for Cancel.
    [[nodiscard]] virtual QString AskFileName(FileQuestion question, const QString& suggested) = 0;
    //! Which notation the user reads, asked once at the first start, with preselected chosen; nullopt when
    //! the question is closed without an answer.
    [[nodiscard]] virtual std::optional<NotationMode> AskNotation(NotationMode preselected) = 0;
    //! The shift and the spellings of a transposition of the chart offer describes; nullopt for Cancel.
    [[nodiscard]] virtual std::optional<TransposeResult> ChooseTransposition(const TransposeOffer& offer) = 0;
};

//! The prompts as the program shows them: message boxes and dialogs over the window.
class DialogPrompts final : public UserPrompts {
  public:
    DialogPrompts(QWidget& window, NoteNameTables& noteNames) : window_(window), noteNames_(noteNames) {}
    void ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) override;
    [[nodiscard]] SaveChangesAnswer AskSaveChanges(const QString& name) override;
    [[nodiscard]] bool AskSaveAsUtf8() override;
    [[nodiscard]] std::vector<RecoveryAnswer> ChooseRecoveries(
        const std::vector<LeftBehindWork>& work) override;
    [[nodiscard]] OutsideChangeAnswer AskOutsideChange(const QString& name) override;
    [[nodiscard]] bool AskOpenReadOnly(const QString& path) override;
    [[nodiscard]] QString AskFileName(FileQuestion question, const QString& suggested) override;
    [[nodiscard]] std::optional<NotationMode> AskNotation(NotationMode preselected) override;
    [[nodiscard]] std::optional<TransposeResult> ChooseTransposition(const TransposeOffer& offer) override;

  private:
    QWidget& window_;
    NoteNameTables& noteNames_;
};

}  // namespace kaz
