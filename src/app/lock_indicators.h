#pragma once

#include <QObject>
#include <array>

class QLabel;
class QStatusBar;

namespace kaz {

//! The status bar's Caps Lock, Num Lock and Scroll Lock panes, "CAP", "NUM" and "SCRL", each shown while its
//! lock is on. Qt cannot read the lock keys; under X11 the keyboard's indicators are read instead, after
//! every key and whenever the window becomes active. Elsewhere the panes stay empty.
class LockIndicators final : public QObject {
    Q_OBJECT

  public:
    explicit LockIndicators(QStatusBar& statusBar);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Refresh();

    std::array<QLabel*, 3> panes_{};
};

}  // namespace kaz
