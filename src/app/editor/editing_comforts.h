#pragma once

#include <QObject>

class QAction;
class QMainWindow;

namespace kaz {

class ChartEditor;
class FindReplaceDialog;
class ZoomControl;

//! The editor's comforts: Redo, Find and Replace, and the zoom. Their actions
//! belong to the window, so their keys work wherever the focus is.
class EditingComforts final : public QObject {
    Q_OBJECT

  public:
    EditingComforts(QMainWindow& window, ChartEditor& editor);

    [[nodiscard]] QAction* RedoAction() const { return redo_; }
    [[nodiscard]] QAction* FindAction() const { return find_; }
    [[nodiscard]] QAction* ReplaceAction() const { return replace_; }
    [[nodiscard]] QAction* FindNextAction() const { return findNext_; }
    [[nodiscard]] ZoomControl& Zoom() const { return *zoom_; }
    [[nodiscard]] FindReplaceDialog& FindDialog() const { return *dialog_; }

    //! Whether the chart's text may change now: otherwise there is nothing to redo or replace.
    void SetEditable(bool editable);

  private:
    ChartEditor& editor_;
    FindReplaceDialog* dialog_;
    ZoomControl* zoom_;
    QAction* redo_;
    QAction* find_;
    QAction* replace_;
    QAction* findNext_;
    QAction* findPrevious_;
    bool editable_ = true;
};

}  // namespace kaz
