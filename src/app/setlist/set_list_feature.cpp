#include "app/setlist/set_list_feature.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMainWindow>

#include "app/core_messages.h"
#include "app/file_dialogs.h"
#include "app/loaded_modules.h"
#include "app/setlist/set_list_panel.h"
#include "app/setting_keys.h"
#include "app/user_prompts.h"
#include "app/window_command.h"
#include "base/chart_encoding.h"
#include "base/input_file.h"
#include "midi/device/device_module.h"

namespace kaz {

namespace {

//! A set list is a few lines a song: one of this size is no set list.
constexpr std::size_t kMostSetListBytes = std::size_t{4} * 1024 * 1024;

QString ListFilter() {
    return SetListFeature::tr("Set lists (*.%1)")
        .arg(QString::fromLatin1(kSetListSuffix.data(), kSetListSuffix.size()));
}

}  // namespace

SetListFeature::SetListFeature(QMainWindow& window, UserPrompts& prompts)
    : QObject(&window),
      window_(window),
      prompts_(prompts),
      panel_(new SetListPanel),
      dock_(new QDockWidget(tr("Set list"), &window)) {
    dock_->setObjectName(QStringLiteral("setList"));
    dock_->setWidget(panel_);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock_);
    dock_->hide();
    viewAction_ = dock_->toggleViewAction();
    viewAction_->setText(tr("&Set list"));
    viewAction_->setStatusTip(tr("Show the songs of the set list, to step through them on stage"));

    open_ = AddWindowCommand(window, tr("Open Set &List..."),
                             tr("Open a set list: the songs of a gig in their order"));
    connect(open_, &QAction::triggered, this, &SetListFeature::OpenAsked);
    askListToOpen = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(&window_, tr("Open Set List"), folder, ListFilter());
    };
    askPdfFile = [this](const QString& suggested) {
        return AskSaveFileName(&window_, tr("Export Set to PDF"), tr("PDF Files (*.pdf)"),
                               QStringLiteral("pdf"), suggested);
    };

    connect(panel_, &SetListPanel::songClicked, this, [this](std::size_t index) {
        if (index != current_) {
            Choose(index);
        }
    });
    panel_->SetPlaysOn(OpenSettings().value(setting_keys::kSetListPlaysOn, false).toBool());
    connect(panel_, &SetListPanel::playsOnChanged, this,
            [](bool on) { OpenSettings().setValue(setting_keys::kSetListPlaysOn, on); });
    connect(panel_, &SetListPanel::nextClicked, this, &SetListFeature::Next);
    connect(panel_, &SetListPanel::previousClicked, this, &SetListFeature::Previous);
    connect(panel_, &SetListPanel::printClicked, this, [this] { emit printRequested(path_, list_); });
    connect(panel_, &SetListPanel::exportPdfClicked, this, [this] {
        const QFileInfo list(path_);
        const QString pdf = askPdfFile(list.dir().filePath(list.completeBaseName() + QStringLiteral(".pdf")));
        if (!pdf.isEmpty()) {
            emit exportPdfRequested(path_, list_, pdf);
        }
    });
    // Page Down and Page Up reach the set list wherever the focus is, the editor's too.
    qApp->installEventFilter(this);
}

SetListFeature::~SetListFeature() {
    qApp->removeEventFilter(this);
}

void SetListFeature::OpenAsked() {
    const QString path =
        askListToOpen(path_.isEmpty() ? StartFolder(QString()) : QFileInfo(path_).absolutePath());
    if (!path.isEmpty()) {
        Open(path);
    }
}

bool SetListFeature::Open(const QString& path) {
    const InputFile input =
        ReadWholeFile(QFile::encodeName(path).toStdString(), kMostSetListBytes, FileKinds::RegularOnly);
    if (!input.Read()) {
        prompts_.Tell(tr("Cannot open the set list %1: %2").arg(path, QString::fromStdString(input.error)),
                      MessageIcon::Exclamation);
        return false;
    }
    SetList list = ReadSetList(DecodeChartBytes(input.bytes).text);
    if (list.songs.empty()) {
        prompts_.Tell(tr("The set list %1 names no chart.").arg(path), MessageIcon::Exclamation);
        return false;
    }
    list_ = std::move(list);
    path_ = QFileInfo(path).absoluteFilePath();
    current_.reset();
    std::vector<std::string> titles;
    std::vector<bool> found;
    for (std::size_t i = 0; i < list_.songs.size(); ++i) {
        bool readable = false;
        titles.push_back(ChartFileTitle(QFile::encodeName(ChartPath(i)).toStdString(), readable));
        found.push_back(readable);
    }
    if (list_.title.empty()) {
        list_.title = QFileInfo(path).completeBaseName().toStdString();
    }
    panel_->Show(list_, titles, found);
    panel_->MarkCurrent(std::nullopt);
    dock_->show();
    if (!list_.problems.empty()) {
        QStringList problems;
        for (const Message& problem : list_.problems) {
            problems << Said(problem);
        }
        prompts_.Tell(tr("Some of the set list could not be read:\n%1").arg(problems.join('\n')),
                      MessageIcon::Information);
    }
    ListenToPedals();
    return true;
}

QString SetListFeature::ChartPath(std::size_t index) const {
    return QFile::decodeName(SongPath(QFile::encodeName(path_).toStdString(), list_.songs[index]).c_str());
}

void SetListFeature::Choose(std::size_t index, bool play) {
    if (index >= list_.songs.size()) {
        return;
    }
    current_ = index;
    panel_->MarkCurrent(index);
    emit songChosen(ChartPath(index), list_.songs[index], play);
}

void SetListFeature::Next() {
    const std::size_t next = current_ ? *current_ + 1 : 0;
    if (next < list_.songs.size()) {
        Choose(next);
    }
}

void SetListFeature::Previous() {
    if (current_ && *current_ > 0) {
        Choose(*current_ - 1);
    }
}

void SetListFeature::SongEnded() {
    if (panel_->PlaysOn() && current_ && *current_ + 1 < list_.songs.size()) {
        Choose(*current_ + 1, true);
    }
}

void SetListFeature::ListenToPedals() {
    if (pedalsTried_) {
        return;
    }
    pedalsTried_ = true;
    std::string reason;
    const DeviceModule* devices = LoadDeviceModule(reason);
    if (devices != nullptr) {
        // The presses come on the MIDI system's thread, and are taken on the window's.
        pedals_ = devices->openMidiPedalInput([this](PedalPress press) {
            QMetaObject::invokeMethod(
                this, [this, press] { Press(press); }, Qt::QueuedConnection);
        });
    }
    panel_->SetPedalNote(pedals_ != nullptr
                             ? tr("MIDI pedals: %1").arg(QString::fromStdString(pedals_->Names()))
                             : tr("No MIDI input for pedals: Page Down and Page Up turn the songs."));
}

void SetListFeature::Press(PedalPress press) {
    press == PedalPress::Next ? Next() : Previous();
}

bool SetListFeature::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || list_.songs.empty() ||
        QApplication::activeModalWidget() != nullptr) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool inWindow = widget != nullptr && widget->window() == &window_;
    if (inWindow && key->modifiers() == Qt::NoModifier &&
        (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp)) {
        Press(key->key() == Qt::Key_PageDown ? PedalPress::Next : PedalPress::Previous);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kaz
