#pragma once

#include "Dialogs.h"

#include <QPointer>

class QWidget;

// Qt's own dialogs, modal to the owner window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner);
    // The window the dialogs are modal to.
    void setOwner(QWidget* owner);
    void showMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    QString openFiles(const QString& title, const QString& filter) override;
    QString browseForFolder(const QString& title) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& defaultReply) override;

private:
    QPointer<QWidget> m_owner;
};
