#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace kaz {

class ChartDocument;

//! The requests to end the program that come from outside the window — SIGTERM, SIGHUP and the session
//! manager's request to save before a logout — keep the chart's unsaved changes in its recovery file first.
//! A signal then ends the program at once, as a terminal user expects, with the usual status 128 + signal.
class EndRequests final : public QObject {
    Q_OBJECT

  public:
    EndRequests(ChartDocument& document, QObject* parent);
    ~EndRequests() override;

  private:
    void OnSignal();

    ChartDocument& document_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kaz
