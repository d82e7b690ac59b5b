#include "app/user_prompts.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/dialogs/notation_dialog.h"
#include "app/dialogs/transpose_dialog.h"
#include "app/file_dialogs.h"
#include "app/recovery_dialog.h"
#include "base/program.h"

namespace kaz {

void UserPrompts::Tell(const QString& text, MessageIcon icon) {
    ShowMessage(kProgramName, text.toStdString(), icon);
}

void DialogPrompts::ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon) {
    const QMessageBox::Icon shown = icon == MessageIcon::Exclamation   ? QMessageBox::Warning
                                    : icon == MessageIcon::Information ? QMessageBox::Information
                                                                       : QMessageBox::NoIcon;
    QMessageBox box(shown, QString::fromUtf8(caption), QString::fromUtf8(text), QMessageBox::Ok, &window_);
    box.exec();
}

SaveChangesAnswer DialogPrompts::AskSaveChanges(const QString& name) {
    const QMessageBox::StandardButton answer =
        QMessageBox::warning(&window_, QObject::tr("Kaz"), QObject::tr("Save changes to %1?").arg(name),
                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    return answer == QMessageBox::Save      ? SaveChangesAnswer::Save
           : answer == QMessageBox::Discard ? SaveChangesAnswer::Discard
                                            : SaveChangesAnswer::Cancel;
}

bool DialogPrompts::AskSaveAsUtf8() {
    return QMessageBox::question(
               &window_, QObject::tr("Kaz"),
               QObject::tr(
                   "The chart holds characters that its Windows-1252 file cannot store. Save it as UTF-8?"),
               QMessageBox::Save | QMessageBox::Cancel) == QMessageBox::Save;
}

std::vector<RecoveryAnswer> DialogPrompts::ChooseRecoveries(const std::vector<LeftBehindWork>& work) {
    RecoveryDialog dialog(work, &window_);
    dialog.exec();
    return dialog.Answers();
}

OutsideChangeAnswer DialogPrompts::AskOutsideChange(const QString& name) {
    QMessageBox box(QMessageBox::Warning, QObject::tr("Kaz"),
                    QObject::tr("%1 was changed by another program, and it has changes here too.").arg(name),
                    QMessageBox::NoButton, &window_);
    QPushButton* mine = box.addButton(QObject::tr("&Keep mine"), QMessageBox::AcceptRole);
    QPushButton* theirs = box.addButton(QObject::tr("&Take theirs"), QMessageBox::DestructiveRole);
    QPushButton* saveAs = box.addButton(QObject::tr("&Save mine as..."), QMessageBox::ActionRole);
    box.setDefaultButton(mine);
    box.setEscapeButton(mine);
    box.exec();
    return box.clickedButton() == theirs   ? OutsideChangeAnswer::TakeTheirs
           : box.clickedButton() == saveAs ? OutsideChangeAnswer::SaveMineAs
                                           : OutsideChangeAnswer::KeepMine;
}

bool DialogPrompts::AskOpenReadOnly(const QString& path) {
    return QMessageBox::question(
               &window_, QObject::tr("Kaz"),
               QObject::tr("`%1` is open in another Kaz window. Open it here for reading only?").arg(path),
               QMessageBox::Open | QMessageBox::Cancel) == QMessageBox::Open;
}

QString DialogPrompts::AskFileName(FileQuestion question, const QString& suggested) {
    switch (question) {
        case FileQuestion::Open:
            return AskOpenFileName(&window_, suggested);
        case FileQuestion::SaveAs:
            return AskSaveFileName(&window_, QObject::tr("Save As"), QObject::tr("Kaz Files (*.kaz)"),
                                   QStringLiteral("kaz"), suggested);
        case FileQuestion::ExportMidi:
            return AskSaveFileName(&window_, QObject::tr("Export to MIDI"),
                                   QObject::tr("MIDI Files (*.mid);;All Files (*.*)"), QStringLiteral("mid"),
                                   suggested);
        case FileQuestion::ExportAudio:
            return AskAudioFileName(&window_, suggested);
    }
    return {};
}

std::optional<NotationMode> DialogPrompts::AskNotation(NotationMode preselected) {
    NotationDialog dialog(&window_, preselected, std::nullopt);
    dialog.AskAsQuestion();
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Notation();
}

std::optional<TransposeResult> DialogPrompts::ChooseTransposition(const TransposeOffer& offer) {
    return kaz::ChooseTransposition(&window_, noteNames_, offer);
}

}  // namespace kaz
