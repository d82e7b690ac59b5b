#include "app/dialogs/interchange_actions.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include "app/core_messages.h"
#include "app/dialogs/background_task.h"
#include "app/dialogs/song_picker_dialog.h"
#include "app/file_messages.h"
#include "app/loaded_modules.h"
#include "app/user_prompts.h"
#include "base/input_file.h"
#include "base/output_file.h"
#include "chart/set_list.h"
#include "interchange/chart_folder.h"
#include "interchange/chart_text_reader.h"
#include "interchange/chart_text_writer.h"
#include "interchange/chordpro_writer.h"
#include "interchange/import_check.h"
#include "interchange/ireal_cells.h"
#include "interchange/ireal_link.h"
#include "interchange/song_formats.h"

namespace kaz {

namespace {

//! The names of the files the import reads, for its file dialog.
QString SongFilePatterns() {
    QStringList patterns;
    for (const SongFileFormat& format : SongFileFormats()) {
        if (format.format == SongFormat::KazChart) {
            continue;
        }
        for (const std::string_view suffix : format.suffixes) {
            const QString pattern = "*." + QString::fromStdString(std::string(suffix));
            if (!patterns.contains(pattern)) {
                patterns.append(pattern);
            }
        }
    }
    return patterns.join(' ');
}

QString ExportSuffix(SongFormat format) {
    return QString::fromStdString(std::string(SongFileFormatOf(format).exportSuffix));
}

//! The songs an import left out, a line each: at most kMostToldSongs, then how many more.
QStringList LeftOutList(const std::vector<Message>& problems) {
    constexpr std::size_t kMostToldSongs = 20;
    QStringList lines;
    for (std::size_t i = 0; i < std::min(problems.size(), kMostToldSongs); ++i) {
        lines.append("\u2022 " + Said(problems[i]));
    }
    if (problems.size() > kMostToldSongs) {
        lines.append(
            QObject::tr("\u2022 and %n more", nullptr, static_cast<int>(problems.size() - kMostToldSongs)));
    }
    return lines;
}

}  // namespace

InterchangeQuestions AskTheUser() {
    InterchangeQuestions questions;
    questions.importPath = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QObject::tr("Import"), QString(),
                                            QObject::tr("Songs (%1);;All files (*)").arg(SongFilePatterns()));
    };
    questions.exportPath = [](QWidget* parent, const QString& caption, const QString& filter,
                              const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
    questions.folder = [](QWidget* parent, int songs) {
        return QFileDialog::getExistingDirectory(parent,
                                                 QObject::tr("Folder for the %n charts", nullptr, songs));
    };
    questions.pick = [](QWidget* parent, const ImportedSongs& songs) {
        SongPickerDialog picker(songs, parent);
        return picker.exec() == QDialog::Accepted ? picker.Picked() : std::vector<std::size_t>();
    };
    questions.importPastedLink = [](QWidget* parent) {
        return QMessageBox::question(
                   parent, QObject::tr("Kaz"),
                   QObject::tr("The pasted text holds an iReal Pro link. Import its songs?"),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    };
    questions.tellLeftOut = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Information, QObject::tr("Kaz"), text, QMessageBox::Ok, parent);
        box.exec();
    };
    return questions;
}

InterchangeActions::InterchangeActions(QWidget* window, UserPrompts& prompts, ChartWindowAccess access)
    : QObject(window), window_(window), prompts_(prompts), access_(std::move(access)) {
    importSongs = new QAction(tr("&Import..."), this);
    importSongs->setStatusTip(
        tr("Open the songs of an iReal Pro link, a MusicXML or a ChordPro file as charts"));
    connect(importSongs, &QAction::triggered, this, &InterchangeActions::Import);
    exportIreal = new QAction(tr("Export to &iReal Pro..."), this);
    exportIreal->setStatusTip(tr("Write the chart as an iReal Pro link in a small web page"));
    connect(exportIreal, &QAction::triggered, this, [this] {
        Export(
            tr("Export to iReal Pro"), tr("Web page with an iReal Pro link (*.html)"),
            ExportSuffix(SongFormat::IrealLink),
            [](const LeadSheet& song) { return WriteIrealPage({song}, ""); },
            [](const LeadSheet& song) { return LinkDifferences(song.measures); });
    });
    exportMusicXml = new QAction(tr("Export to Music&XML..."), this);
    exportMusicXml->setStatusTip(tr("Write the chart as a MusicXML lead sheet: chord symbols over slashes"));
    connect(exportMusicXml, &QAction::triggered, this, [this] {
        std::string error;
        const InterchangeModule* songFiles = LoadInterchangeModule(error);
        if (songFiles == nullptr) {
            ShowError(tr("Cannot export to MusicXML: %1.").arg(QString::fromStdString(error)));
            return;
        }
        Export(tr("Export to MusicXML"), tr("MusicXML (*.musicxml)"), ExportSuffix(SongFormat::MusicXml),
               songFiles->writeMusicXml,
               [songFiles](const LeadSheet& song) { return songFiles->musicXmlDifferences(song.measures); });
    });
    exportChordPro = new QAction(tr("Export to &ChordPro..."), this);
    exportChordPro->setStatusTip(
        tr("Write the chart as a ChordPro song: the lyrics with their chords, the other measures as grids"));
    connect(exportChordPro, &QAction::triggered, this, [this] {
        Export(
            tr("Export to ChordPro"), tr("ChordPro (*.cho)"), ExportSuffix(SongFormat::ChordPro),
            [](const LeadSheet& song) { return WriteChordPro(song); },
            [](const LeadSheet& song) { return ChordProDifferences(song); });
    });
}

bool InterchangeActions::IsSongFile(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    const std::string suffix = LowercaseSuffix(name);
    if (suffix != kPlainTextSuffix) {
        return IsImportSuffix(suffix);
    }
    // A text file that cannot be read opens as a chart, which then says why.
    const InputFile input = ReadWholeFile(name, kMaxImportBytes, FileKinds::RegularOnly);
    const SongFormat format = input.Read() ? DetectSongFormat(name, input.bytes) : SongFormat::Unknown;
    return format != SongFormat::Unknown && format != SongFormat::KazChart;
}

void InterchangeActions::Import() {
    if (!access_.maybeSave()) {
        return;
    }
    const QString path = questions.importPath(window_);
    if (!path.isEmpty()) {
        ImportFile(path);
    }
}

bool InterchangeActions::ImportFile(const QString& path) {
    const InputFile input =
        ReadWholeFile(QFile::encodeName(path).toStdString(), kMaxImportBytes, FileKinds::RegularOnly);
    if (!input.Read()) {
        ShowError(QString::fromStdString(input.error));
        return false;
    }
    return ImportBytes(path, input.bytes);
}

bool InterchangeActions::OfferPastedLink(const QString& text) {
    const std::string bytes = text.toStdString();
    if (!HasIrealLink(bytes)) {
        return false;
    }
    if (!questions.importPastedLink(window_)) {
        return false;
    }
    if (access_.maybeSave()) {
        ImportBytes(tr("the pasted link"), bytes);
    }
    return true;
}

bool InterchangeActions::ImportBytes(const QString& name, const std::string& bytes) {
    ImportedSongs songs;
    if (!ReadSongs(name, bytes, songs)) {
        return true;
    }
    const QString fileName = QFileInfo(name).fileName();
    if (!songs.Read()) {
        ShowError(tr("Cannot import %1: %2.").arg(fileName, Said(songs.error)));
        return false;
    }
    if (songs.songs.empty()) {
        ShowError(tr("Cannot import %1: no song of it opens as a chart.\n%2")
                      .arg(fileName, LeftOutList(songs.problems).join('\n')));
        return false;
    }
    OpenSongs(songs);
    return true;
}

bool InterchangeActions::ReadSongs(const QString& name, const std::string& bytes, ImportedSongs& songs) {
    std::string moduleError;
    const InterchangeModule* songFiles = LoadInterchangeModule(moduleError);
    if (songFiles == nullptr) {
        // The loader's own words, as the system gives them.
        songs.error = Message("%1", {moduleError});
        return true;
    }
    const std::string fileName = QFile::encodeName(name).toStdString();
    const std::shared_ptr<const StyleLibrary> styles = access_.styles();
    bool finished = true;
    RunWithProgress(window_, tr("Importing %1...").arg(QFileInfo(name).fileName()),
                    [&](const ImportProgress& progress) {
                        songs = songFiles->importSongs(fileName, bytes);
                        finished = !songs.Read() || KeepChartsThatOpen(songs, styles, progress);
                    });
    return finished;
}

//! One song opens as a new chart; of a playlist the songs picked are written into a folder the user chooses
//! and the first of them opens. The songs left out, and why, are told at the end.
void InterchangeActions::OpenSongs(const ImportedSongs& songs) {
    std::vector<LeadSheet> picked;
    if (songs.songs.size() == 1) {
        picked.push_back(songs.songs.front());
    } else {
        for (const std::size_t index : questions.pick(window_, songs)) {
            picked.push_back(songs.songs[index]);
        }
    }
    QStringList told;
    if (picked.size() == 1) {
        access_.openText(QString::fromStdString(WriteChartText(picked.front())));
    } else if (picked.empty() || !WriteSongs(picked, songs.collection, told)) {
        return;
    }
    if (!songs.problems.empty()) {
        told.append(tr("Left out of the import:"));
        told.append(LeftOutList(songs.problems));
    }
    if (!told.isEmpty()) {
        ShowError(told.join('\n'));
    }
}

bool InterchangeActions::WriteSongs(const std::vector<LeadSheet>& picked, const std::string& collection,
                                    QStringList& told) {
    const int count = static_cast<int>(picked.size());
    const QString folder = questions.folder(window_, count);
    if (folder.isEmpty()) {
        return false;
    }
    FolderWriting writing;
    RunWithProgress(
        window_, tr("Writing %n chart(s)...", nullptr, count), [&](const ImportProgress& progress) {
            writing = WriteChartsIntoFolder(QFile::encodeName(folder).toStdString(), picked, false, progress);
        });
    if (writing.cancelled) {
        told.append(tr("The import was cancelled after %n chart(s).", nullptr,
                       static_cast<int>(writing.written.size())));
    }
    if (!writing.failures.empty()) {
        told.append(tr("Some charts were not written:"));
        for (const std::string& failure : writing.failures) {
            told.append(QString::fromStdString(failure));
        }
    }
    if (!writing.written.empty()) {
        access_.openFile(QFile::decodeName(writing.written.front().string().c_str()));
    }
    if (writing.written.size() > 1 && !writing.cancelled) {
        KeepAsSetList(writing.written, collection);
    }
    return true;
}

void InterchangeActions::KeepAsSetList(const std::vector<std::filesystem::path>& charts,
                                       const std::string& collection) {
    SetList list;
    list.title = collection;
    for (const std::filesystem::path& chart : charts) {
        list.songs.push_back({chart.filename().string(), std::nullopt, {}, 0});
    }
    std::string name = ChartFileName(collection.empty() ? std::string("Set list") : collection);
    name.replace(name.size() - 3, 3, kSetListSuffix);
    const std::filesystem::path path = charts.front().parent_path() / name;
    std::error_code error;
    // A set list of the same name that is there already is the user's: it stays as it is.
    if (std::filesystem::exists(path, error) ||
        !WriteWholeFile(path, WriteSetList(list), FileKinds::RegularOnly, error)) {
        return;
    }
    access_.openSetList(QFile::decodeName(path.string().c_str()));
}

void InterchangeActions::Export(const QString& caption, const QString& filter, const QString& suffix,
                                const std::function<std::string(const LeadSheet&)>& write,
                                const std::function<std::vector<Message>(const LeadSheet&)>& differences) {
    const std::shared_ptr<const CompiledChart> compiled = access_.compile();
    if (compiled == nullptr) {
        return;
    }
    ChartReading reading = ReadCompiledChart(*compiled);
    const QFileInfo chart(access_.chartPath());
    if (reading.sheet.title.empty() && !chart.baseName().isEmpty()) {
        reading.sheet.title = chart.completeBaseName().toStdString();
    }
    const QString suggested = chart.fileName().isEmpty()
                                  ? tr("Untitled.%1").arg(suffix)
                                  : chart.dir().filePath(chart.completeBaseName() + "." + suffix);
    const QString path = questions.exportPath(window_, caption, filter, suggested);
    if (path.isEmpty()) {
        return;
    }
    std::error_code error;
    if (!WriteWholeFile(QFile::encodeName(path).toStdString(), write(reading.sheet), FileKinds::RegularOnly,
                        error)) {
        ShowError(MessageWithCause(tr("Cannot open file `%1` for writing!").arg(path), error));
        return;
    }
    QStringList leftOut;
    for (const std::vector<Message>& remarks : {reading.dropped, differences(reading.sheet)}) {
        for (const Message& remark : remarks) {
            leftOut.append("\u2022 " + Said(remark));
        }
    }
    if (!leftOut.isEmpty()) {
        questions.tellLeftOut(
            window_,
            tr("The chart is exported, except for what the file cannot hold:\n%1").arg(leftOut.join('\n')));
    }
}

void InterchangeActions::SetEditable(bool editable) {
    exportIreal->setEnabled(editable);
    exportMusicXml->setEnabled(editable);
    exportChordPro->setEnabled(editable);
}

void InterchangeActions::ShowError(const QString& text) {
    prompts_.Tell(text, MessageIcon::Exclamation);
}

}  // namespace kaz
