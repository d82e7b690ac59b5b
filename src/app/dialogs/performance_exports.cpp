#include "app/dialogs/performance_exports.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <utility>

#include "app/core_messages.h"
#include "app/file_dialogs.h"
#include "app/file_messages.h"
#include "app/loaded_modules.h"
#include "app/user_prompts.h"
#include "base/file_kinds.h"
#include "midi/midi_file_writer.h"

namespace kaz {

PerformanceExports::PerformanceExports(QWidget& window, UserPrompts& prompts, ChartWindowAccess access,
                                       QAction& exportMidi, QAction& exportAudio)
    : QObject(&window), window_(window), prompts_(prompts), access_(std::move(access)) {
    connect(&exportMidi, &QAction::triggered, this, &PerformanceExports::ExportMidi);
    connect(&exportAudio, &QAction::triggered, this, &PerformanceExports::ExportAudio);
}

std::shared_ptr<const CompiledChart> PerformanceExports::CompileAndAsk(FileQuestion question,
                                                                       const QString& suffix, QString& path) {
    std::shared_ptr<const CompiledChart> compiled = access_.compile();
    if (compiled == nullptr) {
        return nullptr;
    }
    path = prompts_.AskFileName(question, SuggestedExportPath(access_.chartPath(), suffix));
    return path.isEmpty() ? nullptr : compiled;
}

void PerformanceExports::ExportMidi() {
    QString path;
    const std::shared_ptr<const CompiledChart> compiled =
        CompileAndAsk(FileQuestion::ExportMidi, QStringLiteral("mid"), path);
    if (compiled == nullptr) {
        return;
    }
    std::error_code error;
    if (!ExportMidiFile(compiled->performance, QFile::encodeName(path).toStdString(), FileKinds::RegularOnly,
                        error)) {
        prompts_.Tell(MessageWithCause(tr("Cannot open file `%1` for writing!").arg(path), error),
                      MessageIcon::None);
        return;
    }
    emit exported(tr("Exported %1").arg(QFileInfo(path).fileName()));
}

void PerformanceExports::ExportAudio() {
    QString path;
    const std::shared_ptr<const CompiledChart> compiled =
        CompileAndAsk(FileQuestion::ExportAudio, QStringLiteral("wav"), path);
    if (compiled == nullptr) {
        return;
    }
    std::string loading;
    Message error;
    RenderOutcome outcome = RenderOutcome::Failed;
    if (const DeviceModule* devices = LoadDeviceModule(loading); devices == nullptr) {
        error = Message("the audio renderer cannot be loaded: %1", {loading});
    } else {
        outcome = RenderAudioFile(*devices, *compiled, path, error);
    }
    if (outcome == RenderOutcome::Failed) {
        prompts_.Tell(tr("Cannot export the audio file `%1`: %2.").arg(path, Said(error)),
                      MessageIcon::Exclamation);
    } else if (outcome == RenderOutcome::Written) {
        emit exported(tr("Exported %1").arg(QFileInfo(path).fileName()));
    }
}

RenderOutcome PerformanceExports::RenderAudioFile(const DeviceModule& devices, const CompiledChart& compiled,
                                                  const QString& path, Message& error) {
    QProgressDialog progress(tr("Rendering %1 ...").arg(QFileInfo(path).fileName()), tr("Cancel"), 0, 1000,
                             &window_);
    progress.setWindowTitle(tr("Export to Audio"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const std::string file = QFile::encodeName(path).toStdString();
    const RenderOutcome outcome = devices.renderAudio(
        compiled.performance, compiled.settings.transportTempo, file, devices.audioFormatOfPath(file),
        devices.synthOptionsFromEnvironment(),
        [&progress](double done) {
            progress.setValue(static_cast<int>(done * 1000));
            return !progress.wasCanceled();
        },
        error, false, FileKinds::RegularOnly);
    progress.reset();
    return outcome;
}

}  // namespace kaz
