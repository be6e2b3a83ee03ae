#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Records every dialog the program shows and answers from a script, so no
// test ever waits on a real modal dialog.
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        QString caption;
        QString text;
        MessageIcon icon;
    };
    struct Request {
        QString kind; // "openFiles", "browseForFolder", "inputBox" or "askYesNo"
        QString title; // an input box's or a question's caption
        QString filter;
        QString prompt; // an input box's prompt, or the question
        QString defaultReply;
        QString startFolder; // where a folder chooser opened
    };

    void showMessage(const QString& caption, const QString& text, MessageIcon icon) override
    {
        messages.append({ caption, text, icon });
        if (onMessage)
            onMessage(messages.back());
    }
    QStringList openFiles(const QString& title, const QString& filter) override
    {
        requests.append({ QStringLiteral("openFiles"), title, filter, QString(), QString(), QString() });
        return pickedFiles.isEmpty() ? QStringList() : pickedFiles.takeFirst();
    }
    QString browseForFolder(const QString& title, const QString& startFolder = QString()) override
    {
        requests.append(
            { QStringLiteral("browseForFolder"), title, QString(), QString(), QString(), startFolder });
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultReply) override
    {
        requests.append({ QStringLiteral("inputBox"), caption, QString(), prompt, defaultReply, QString() });
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    bool askYesNo(const QString& caption, const QString& text) override
    {
        requests.append({ QStringLiteral("askYesNo"), caption, QString(), text, QString(), QString() });
        return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Message& m : messages)
            texts.append(m.text);
        return texts;
    }

    QList<Message> messages;
    QList<Request> requests;
    QStringList answers; // the next folder choices, in order; "" = cancel
    QList<QStringList> pickedFiles; // the next open-dialog selections; none = cancel
    QList<bool> yesNoAnswers; // the next answers to questions; none = No
    // Runs while a message box would be open (a real box lets events run).
    std::function<void(const Message&)> onMessage;
};
