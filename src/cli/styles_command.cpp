#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "cli/cli_common.h"

namespace kaz::cli {

std::shared_ptr<const StyleLibrary> ProgramStyles() {
    static const auto library = std::make_shared<const StyleLibrary>(
        LoadStyles(StyleFolders(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString())));
    return library;
}

bool ReadStyleOption(const QCommandLineParser& parser, RenderSettings& settings) {
    settings.style.library = ProgramStyles();
    if (parser.isSet("seed")) {
        bool ok = false;
        const qulonglong seed = parser.value("seed").toULongLong(&ok);
        if (!ok) {
            UsageError(QStringLiteral("--seed takes a whole number, not '%1'").arg(parser.value("seed")));
            return false;
        }
        settings.style.seed = seed;
    }
    if (!parser.isSet("style")) {
        return true;
    }
    const std::string name = parser.value("style").toStdString();
    if (!settings.style.library->Knows(name)) {
        UsageError(
            QStringLiteral("unknown style '%1'; 'kaz-cli styles' lists them").arg(parser.value("style")));
        return false;
    }
    settings.style.name = name;
    return true;
}

int RunStyles(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription("List the accompaniment styles, and the style files left out and why.");
    parser.addHelpOption();
    if (!ParseArguments(parser, arguments)) {
        return parser.isSet("help") ? kExitOk : kExitUsage;
    }
    QStringList positionals;
    if (!TakePositionals(parser, 0, positionals)) {
        return kExitUsage;
    }
    const auto library = ProgramStyles();
    for (const std::string& name : library->Names()) {
        std::printf("%s\n", name.c_str());
    }
    for (const StyleProblem& problem : library->Problems()) {
        std::fprintf(stderr, "%s (left out)\n", problem.Describe().c_str());
    }
    return kExitOk;
}

}  // namespace kaz::cli
