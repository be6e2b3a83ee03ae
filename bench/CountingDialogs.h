#pragma once

#include "platform/Dialogs.h"

// Dialogs that show nothing: a benchmark only counts the messages it would
// have shown, so that nothing waits for a user.
class CountingDialogs : public Dialogs {
public:
    void showMessage(const QString&, const QString&, MessageIcon) override { ++messages; }
    QStringList openFiles(const QString&, const QString&) override { return {}; }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    bool askYesNo(const QString&, const QString&) override { return false; } // nothing is replaced unasked
    int messages = 0;
};
