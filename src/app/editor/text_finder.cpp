#include "app/editor/text_finder.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace kaz {

namespace {

QTextDocument::FindFlags FlagsOf(const FindQuery& query) {
    QTextDocument::FindFlags flags;
    if (query.matchCase) {
        flags |= QTextDocument::FindCaseSensitively;
    }
    if (query.wholeWords) {
        flags |= QTextDocument::FindWholeWords;
    }
    if (query.backward) {
        flags |= QTextDocument::FindBackward;
    }
    return flags;
}

bool IsMatch(const QTextCursor& selection, const FindQuery& query) {
    return selection.hasSelection() &&
           selection.selectedText().compare(query.text,
                                            query.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

}  // namespace

bool FindNext(QPlainTextEdit& editor, const FindQuery& query) {
    if (query.text.isEmpty()) {
        return false;
    }
    const QTextDocument& document = *editor.document();
    QTextCursor found = document.find(query.text, editor.textCursor(), FlagsOf(query));
    if (found.isNull()) {
        // Round the end (or the start, backward) to the other side.
        QTextCursor from(editor.document());
        from.movePosition(query.backward ? QTextCursor::End : QTextCursor::Start);
        found = document.find(query.text, from, FlagsOf(query));
    }
    if (found.isNull()) {
        return false;
    }
    editor.setTextCursor(found);
    return true;
}

bool ReplaceCurrent(QPlainTextEdit& editor, const FindQuery& query, const QString& replacement) {
    QTextCursor selection = editor.textCursor();
    const bool replaced = !editor.isReadOnly() && IsMatch(selection, query);
    if (replaced) {
        selection.insertText(replacement);
        editor.setTextCursor(selection);
    }
    static_cast<void>(FindNext(editor, query));
    return replaced;
}

int ReplaceAll(QPlainTextEdit& editor, const FindQuery& query, const QString& replacement) {
    if (query.text.isEmpty() || editor.isReadOnly()) {
        return 0;
    }
    FindQuery forward = query;
    forward.backward = false;
    int count = 0;
    QTextCursor edit(editor.document());
    edit.beginEditBlock();
    QTextCursor found = editor.document()->find(forward.text, 0, FlagsOf(forward));
    while (!found.isNull()) {
        found.insertText(replacement);
        ++count;
        // From past the replacement, so a replacement that holds the text is not found again.
        found = editor.document()->find(forward.text, found.position(), FlagsOf(forward));
    }
    edit.endEditBlock();
    return count;
}

}  // namespace kaz
