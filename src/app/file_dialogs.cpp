#include "app/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/loaded_modules.h"

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

QString AskOpenFileName(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QObject::tr("Open"), folder,
                                        QObject::tr("Kaz Files (*.kaz);;All Files (*)"));
}

QString AskAudioFileName(QWidget* parent, const QString& suggested) {
    QStringList kinds{QObject::tr("WAV audio (*.wav)")};
    std::string error;
    if (const DeviceModule* devices = LoadDeviceModule(error);
        devices != nullptr && devices->canWriteFlac()) {
        kinds << QObject::tr("FLAC audio (*.flac)");
    }
    QFileDialog dialog(parent, QObject::tr("Export to Audio"), suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(kinds);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& kind) {
        dialog.setDefaultSuffix(kind.contains(QStringLiteral("*.flac")) ? QStringLiteral("flac")
                                                                        : QStringLiteral("wav"));
    });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace kaz
