#pragma once

#include <QObject>
#include <QString>

#include "app/dialogs/interchange_actions.h"
#include "app/user_prompts.h"
#include "midi/device/device_module.h"

class QAction;
class QWidget;

namespace kaz {

//! File → Export to MIDI and Export to Audio…: the performance that Play would play, written as a Standard
//! MIDI File or rendered through the built-in synthesizer into a WAV or FLAC file.
class PerformanceExports final : public QObject {
    Q_OBJECT

  public:
    //! The exports read of the window what access gives: the compile and the chart's path.
    PerformanceExports(QWidget& window, UserPrompts& prompts, ChartWindowAccess access, QAction& exportMidi,
                       QAction& exportAudio);

  signals:
    //! An export was written: words for the status bar.
    void exported(const QString& text);

  private:
    //! The compiled chart, and where to write it into path; nullptr when it does not compile (the user has
    //! been told why) or the user cancels.
    std::shared_ptr<const CompiledChart> CompileAndAsk(FileQuestion question, const QString& suffix,
                                                       QString& path);
    void ExportMidi();
    void ExportAudio();
    //! Render the performance into the audio file at path through the devices, showing the progress with a
    //! Cancel button.
    RenderOutcome RenderAudioFile(const DeviceModule& devices, const CompiledChart& compiled,
                                  const QString& path, Message& error);

    QWidget& window_;
    UserPrompts& prompts_;
    ChartWindowAccess access_;
};

}  // namespace kaz
