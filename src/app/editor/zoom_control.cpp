#include "app/editor/zoom_control.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QWheelEvent>
#include <algorithm>
#include <array>

#include "app/view_settings.h"
#include "app/window_command.h"

namespace kaz {

namespace {

constexpr std::array kSteps{50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};
constexpr int kActualSize = 100;

}  // namespace

ZoomControl::ZoomControl(QWidget& window, QPlainTextEdit& editor)
    : QObject(&window), editor_(editor), editorPointSize_(editor.font().pointSizeF()) {
    zoomIn_ = AddWindowCommand(window, tr("Zoom &in"), tr("Make the chart's type larger"),
                               QKeySequence::keyBindings(QKeySequence::ZoomIn)
                                   << QKeySequence(Qt::CTRL | Qt::Key_Equal));
    zoomOut_ = AddWindowCommand(window, tr("Zoom &out"), tr("Make the chart's type smaller"),
                                QKeySequence::keyBindings(QKeySequence::ZoomOut));
    // Ctrl+0 types the tenth chord snippet, so the actual size has a key of its own.
    actualSize_ = AddWindowCommand(window, tr("&Actual size"), tr("Show the chart's type at its usual size"),
                                   {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_0)});
    connect(zoomIn_, &QAction::triggered, this, [this] { Step(1); });
    connect(zoomOut_, &QAction::triggered, this, [this] { Step(-1); });
    connect(actualSize_, &QAction::triggered, this, [this] { SetPercent(kActualSize); });
    editor_.viewport()->installEventFilter(this);
    // Only read: writing it back would rewrite the settings file at every start.
    Apply(LoadZoomPercent());
}

void ZoomControl::Step(int steps) {
    const auto at = std::lower_bound(kSteps.begin(), kSteps.end(), percent_);
    const auto index = static_cast<int>(at - kSteps.begin());
    // A percent between two steps goes to the step beyond it in either direction.
    const int from = (steps < 0 || at == kSteps.end() || *at == percent_) ? index : index - 1;
    const int to = std::clamp(from + steps, 0, static_cast<int>(kSteps.size()) - 1);
    SetPercent(kSteps[static_cast<std::size_t>(to)]);
}

void ZoomControl::SetPercent(int percent) {
    Apply(percent);
    SaveZoomPercent(percent_);
}

void ZoomControl::Apply(int percent) {
    percent_ = std::clamp(percent, kSteps.front(), kSteps.back());
    QFont font = editor_.font();
    font.setPointSizeF(editorPointSize_ * percent_ / kActualSize);
    editor_.setFont(font);
    zoomIn_->setEnabled(percent_ < kSteps.back());
    zoomOut_->setEnabled(percent_ > kSteps.front());
    emit zoomChanged(percent_ / static_cast<double>(kActualSize));
}

bool ZoomControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int steps = wheel->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
            if (steps != 0) {
                Step(steps);
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kaz
