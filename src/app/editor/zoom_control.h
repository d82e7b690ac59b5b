#pragma once

#include <QObject>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace kaz {

//! View > Zoom in, Zoom out and Actual size, and Ctrl with the wheel over the editor: one zoom for the
//! editor's type and the chart view, in steps from half to four times, remembered between runs.
class ZoomControl final : public QObject {
    Q_OBJECT

  public:
    //! The actions are added to window, so their keys work wherever the focus is.
    ZoomControl(QWidget& window, QPlainTextEdit& editor);

    [[nodiscard]] QAction* ZoomInAction() const { return zoomIn_; }
    [[nodiscard]] QAction* ZoomOutAction() const { return zoomOut_; }
    [[nodiscard]] QAction* ActualSizeAction() const { return actualSize_; }
    [[nodiscard]] int Percent() const { return percent_; }
    //! Steps up (positive) or down from the zoom now, within the steps there are.
    void Step(int steps);
    void SetPercent(int percent);

  signals:
    void zoomChanged(double zoom);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    //! Size the type to percent, clamped to the steps there are; the settings keep what the user chooses.
    void Apply(int percent);

    QPlainTextEdit& editor_;
    double editorPointSize_;
    int percent_ = 100;
    QAction* zoomIn_;
    QAction* zoomOut_;
    QAction* actualSize_;
};

}  // namespace kaz
