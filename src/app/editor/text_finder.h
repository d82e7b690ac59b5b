#pragma once

#include <QString>

class QPlainTextEdit;

namespace kaz {

//! What Find and Replace look for.
struct FindQuery {
    QString text;
    bool matchCase = false;
    bool wholeWords = false;
    bool backward = false;
};

//! Select the next match of query after the selection (before it, backward), going round the text's end to
//! its start; false, with the selection unchanged, when the text holds none.
[[nodiscard]] bool FindNext(QPlainTextEdit& editor, const FindQuery& query);
//! Replace the selection with replacement when it is a match of query, then select the next match. False
//! when nothing was replaced.
bool ReplaceCurrent(QPlainTextEdit& editor, const FindQuery& query, const QString& replacement);
//! Replace every match of query in one change that one Undo takes back; the number replaced.
int ReplaceAll(QPlainTextEdit& editor, const FindQuery& query, const QString& replacement);

}  // namespace kaz
