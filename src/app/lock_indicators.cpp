#include "app/lock_indicators.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

namespace kaz {

namespace {

struct Lock {
    const char* indicator;  //!< the keyboard indicator's X11 name
    const char* pane;       //!< what the pane shows while it is on
};

constexpr std::array<Lock, 3> kLocks{{{"Caps Lock", "CAP"}, {"Num Lock", "NUM"}, {"Scroll Lock", "SCRL"}}};

//! Whether the named keyboard indicator is lit; false where it cannot be read.
bool IndicatorOn(const char* name);

}  // namespace

LockIndicators::LockIndicators(QStatusBar& statusBar) : QObject(&statusBar) {
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        auto* pane = new QLabel(&statusBar);
        pane->setAlignment(Qt::AlignCenter);
        // Wide enough for the text, so that the panes do not jump when a lock goes on.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        statusBar.addPermanentWidget(pane);
        panes_[i] = pane;
    }
    qApp->installEventFilter(this);
    Refresh();
}

bool LockIndicators::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease || type == QEvent::ApplicationStateChange) {
        Refresh();
    }
    return false;
}

void LockIndicators::Refresh() {
    for (std::size_t i = 0; i < kLocks.size(); ++i) {
        panes_[i]->setText(IndicatorOn(kLocks[i].indicator) ? tr(kLocks[i].pane) : QString());
    }
}

}  // namespace kaz

// X11's headers define names such as KeyRelease as macros, so they come after every use of Qt's.
#if defined(KAZ_HAVE_X11)
#include <X11/XKBlib.h>
#endif

namespace kaz {
namespace {

bool IndicatorOn(const char* name) {
#if defined(KAZ_HAVE_X11)
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        return false;
    }
    Display* display = x11->display();
    Bool on = False;
    return XkbGetNamedIndicator(display, XInternAtom(display, name, False), nullptr, &on, nullptr, nullptr) &&
           on;
#else
    static_cast<void>(name);
    return false;
#endif
}

}  // namespace
}  // namespace kaz
