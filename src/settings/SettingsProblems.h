#pragma once

#include <QObject>

class Dialogs;
class SettingsStore;

// Tells the user when the settings file lets them down: once at start when
// the file found there could not be used, and at the first write of a
// session that does not reach the file.
class SettingsProblems : public QObject {
    Q_OBJECT
public:
    SettingsProblems(SettingsStore& store, Dialogs& dialogs, QObject* parent = nullptr);
    // Start-up calls this before it restores anything.
    void reportStartProblem();

private:
    void reportWriteFailure(const QString& filePath, const QString& reason);

    SettingsStore& m_store;
    Dialogs& m_dialogs;
};
