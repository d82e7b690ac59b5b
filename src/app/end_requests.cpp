#include "app/end_requests.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <csignal>

#include "app/document/chart_document.h"

namespace kaz {

namespace {

//! The two ends of the pipe a signal is written into: a signal handler may do next to nothing, so the
//! window's own loop reads the signal and does the work.
int signalPipe[2] = {-1, -1};

void WriteSignal(int signal) {
    const char number = static_cast<char>(signal);
    static_cast<void>(::write(signalPipe[1], &number, 1));
}

}  // namespace

EndRequests::EndRequests(ChartDocument& document, QObject* parent) : QObject(parent), document_(document) {
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { document_.KeepForRecovery(); });
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &EndRequests::OnSignal);
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

EndRequests::~EndRequests() {
    if (notifier_ != nullptr) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGHUP, SIG_DFL);
        notifier_.reset();
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void EndRequests::OnSignal() {
    char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1) {
        return;
    }
    document_.KeepForRecovery();
    QCoreApplication::exit(128 + number);
}

}  // namespace kaz
