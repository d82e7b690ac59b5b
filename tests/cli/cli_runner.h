#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <string>

namespace kaz::test {

//! What one run of kaz-cli left behind.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

//! Run the built kaz-cli with arguments, feeding input on standard input, in environment.
inline CliRun RunCli(const QStringList& arguments, const std::string& input = {},
                     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KAZ_CLI), arguments);
    process.waitForStarted();
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(120000);
    const QByteArray out = process.readAllStandardOutput();
    const QByteArray err = process.readAllStandardError();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, out.toStdString(),
            err.toStdString()};
}

}  // namespace kaz::test
