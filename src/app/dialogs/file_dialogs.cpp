#include "app/dialogs/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace kaz {

QString StartFolder(const QString& currentFile) {
    if (!currentFile.isEmpty()) {
        return QFileInfo(currentFile).absolutePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString SuggestedExportPath(const QString& currentFile, const QString& suffix) {
    const QString name =
        currentFile.isEmpty() ? QObject::tr("Untitled") : QFileInfo(currentFile).completeBaseName();
    return QDir(StartFolder(currentFile)).filePath(name + QLatin1Char('.') + suffix);
}

QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& filter, const QString& suffix,
                        const QString& suggested) {
    QFileDialog dialog(parent, caption, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace kaz
