#pragma once

#include <QString>
#include <QStringList>

enum class MessageIcon { Information, Exclamation, Critical };

// Modal dialogs. The real one shows Qt dialogs over the main window; tests
// use a scripted fake that records what was shown and answers as told.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a message with an OK button and returns when the user presses it.
    virtual void showMessage(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // Multi-select open dialog. Returns the full path of every picked file, in
    // the dialog's order (files may come from several folders); empty on cancel.
    virtual QStringList openFiles(const QString& title, const QString& filter) = 0;
    // Folder chooser, opened at startFolder (the dialog's own choice when
    // empty). Returns the chosen folder as the system reports it (the root
    // keeps its separator, other folders have none), or "" on cancel.
    virtual QString browseForFolder(const QString& title, const QString& startFolder = QString()) = 0;
    // One-line input box with OK and Cancel. Returns the typed text (which
    // starts as defaultReply), or "" on cancel. Line breaks in the prompt are
    // carriage returns, as in messages.
    virtual QString inputBox(const QString& caption, const QString& prompt, const QString& defaultReply) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
};
