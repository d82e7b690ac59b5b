// The chart commands start without the audio and MIDI libraries; play, devices and render load them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <string>

namespace kaz {
namespace {

//! The libraries the dynamic loader reports loading while kaz-cli runs arguments.
std::string LoadedLibraries(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_DEBUG", "libs");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KAZ_CLI), arguments);
    process.write("C | F G7 |\n");
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return process.readAllStandardError().toStdString();
}

bool LoadsDeviceLibraries(const std::string& loaded) {
    return loaded.find("librtmidi") != std::string::npos || loaded.find("libfluidsynth") != std::string::npos;
}

TEST(KazCliDeviceModule, ChartCommandsLoadNoAudioOrMidiLibrary) {
    for (const QStringList& arguments :
         {QStringList{"check", "-"}, QStringList{"events", "-"}, QStringList{"export", "-", "-"},
          QStringList{"transpose", "-", "--shift", "2"}}) {
        EXPECT_FALSE(LoadsDeviceLibraries(LoadedLibraries(arguments))) << arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(LoadsDeviceLibraries(LoadedLibraries({"devices"})));
}

}  // namespace
}  // namespace kaz
