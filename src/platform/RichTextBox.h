#pragma once

#include "FileSystem.h"

#include <QString>
#include <QWidget>

// The copy carrier of the history log: a text control that is never seen. It
// holds a file's text as plain text with a selection, and copies the
// selection to the system clipboard. It keeps no text layout, so a log of a
// hundred megabytes loads in a fraction of a second.
class RichTextBox : public QWidget {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Replaces the content with the file's text, read as plain text in the
    // system code page; the selection is cleared. On failure the content stays.
    FileResult LoadFile(const QString& path);
    const QString& Text() const { return m_text; }

    qsizetype SelStart() const { return m_selStart; }
    qsizetype SelLength() const { return m_selLength; }
    void setSelStart(qsizetype start);
    void setSelLength(qsizetype length);
    QString SelText() const;

    // What WM_COPY does: the selected text replaces the clipboard's content.
    void copy() const;

private:
    QString m_text;
    qsizetype m_selStart = 0;
    qsizetype m_selLength = 0;
};
