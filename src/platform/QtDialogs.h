#pragma once

#include "Dialogs.h"

#include <QPointer>

class QWidget;
class StopRequest;

// Qt's own dialogs, modal to the owner window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner);
    // The window the dialogs are modal to.
    void setOwner(QWidget* owner);
    // Once stop is raised (the program is closing) no dialog opens, and an
    // open message box closes.
    void setStopRequest(const StopRequest* stop);
    void showMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    QStringList openFiles(const QString& title, const QString& filter) override;
    QString browseForFolder(const QString& title) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultReply) override;

private:
    bool stopped() const;

    QPointer<QWidget> m_owner;
    const StopRequest* m_stop = nullptr;
};
