#pragma once

#include "Dialogs.h"

#include <QPointer>

class QMessageBox;
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
    QString browseForFolder(const QString& title, const QString& startFolder) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultReply) override;
    bool askYesNo(const QString& caption, const QString& text) override;

private:
    bool stopped() const;
    // Shows box until it is answered or stop is raised; its result, or -1 when cut short.
    int execUnlessStopped(QMessageBox& box);

    QPointer<QWidget> m_owner;
    const StopRequest* m_stop = nullptr;
};
