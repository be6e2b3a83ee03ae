#pragma once

#include "BackupSetModel.h"

#include <QString>
#include <QStringList>

class Dialogs;

// One user action's additions to the backup set (a dialog selection, a folder
// scan, a drop, the start-up restore). Every intake path adds through it, so
// refusals are told the same way everywhere: a path with ";" gets a message
// of its own; a full set gets one message for the whole action, and once the
// set was found full the action adds nothing more.
class BackupSetIntake {
public:
    BackupSetIntake(BackupSetModel& model, Dialogs& dialogs);

    BackupSetModel::AppendResult add(const QString& path);
    // Adds the paths in one insertion; returns how many were added.
    int addAll(const QStringList& paths);
    // addAll for the stored set at start-up: when it holds more entries than
    // fit, the message counts them and says they will not be kept (the next
    // store of the set leaves them out).
    int restoreAll(const QStringList& paths);

    int addedCount() const { return m_added; }
    int refusedCount() const { return m_refused; }
    // True when the set changed, so the caller stores it once for the action.
    bool changed() const { return m_added > 0; }

private:
    int addBatch(const QStringList& paths, bool restoring);
    void report(BackupSetModel::AppendResult result, const QString& path);

    BackupSetModel& m_model;
    Dialogs& m_dialogs;
    int m_added = 0;
    int m_refused = 0;
    bool m_full = false;
};
