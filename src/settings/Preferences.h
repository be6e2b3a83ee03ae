#pragma once

#include "BackupChoices.h"
#include "SettingKeys.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <optional>

class SettingsStore;

// The user's choices, typed: what the option controls, the destination box,
// the schedule and "More Options" show and edit, and what a run's options are
// built from. The settings store beneath stays the only persistence; every
// change reaches it at once, and when the file cannot be written the choices
// still hold for this session. How each choice is stored ("1", "2", "On", a
// number) and how a damaged stored value reads lives here alone.
//
// A setter stores its value every time (a damaged stored value is so
// repaired) and signals only when the value changed.
class Preferences : public QObject {
    Q_OBJECT
public:
    explicit Preferences(SettingsStore& store, QObject* parent = nullptr);

    // "WhereOption": 1 fixed folder, 2 beside each file; anything else: none.
    DestinationMode destination() const;
    void setDestination(DestinationMode mode);
    // "Backup Option": 1 create new; anything else overwrite.
    WriteMode writeMode() const;
    void setWriteMode(WriteMode mode);
    // "Check1": 1 on, anything else off.
    bool archiveMode() const;
    void setArchiveMode(bool on);
    // "Include Date", "Windows Startup", "Minimized": "On" on, anything else off.
    bool stamping() const;
    void setStamping(bool on);
    bool startAtLogin() const;
    void setStartAtLogin(bool on);
    bool startInTray() const;
    void setStartInTray(bool on);
    // "Path", as typed; by default the home folder and "/".
    QString destinationFolder() const;
    void setDestinationFolder(const QString& folder);
    // "BackupSwitch": "On" or "Off"; any other text is neither.
    std::optional<bool> autoBackup() const;
    void setAutoBackup(bool on);
    // "OftenIndex": the interval's 1-based position, 1 to 11 (damaged: 2).
    int intervalPosition() const;
    void setIntervalPosition(int position);
    // "More Options": "Keep Dated Copies" 0 (all) to 9999, "Keep Daily" and
    // "Keep Weekly" 0 to 999 (damaged: 0), "Skip Unchanged" "On"/"Off",
    // "On Failure" 0 (show and wait) or 1 (note and go on).
    int keepDatedCopies() const;
    void setKeepDatedCopies(int count);
    int keepDaily() const;
    void setKeepDaily(int days);
    int keepWeekly() const;
    void setKeepWeekly(int weeks);
    bool skipUnchanged() const;
    void setSkipUnchanged(bool on);
    FailureHandling onFailure() const;
    void setOnFailure(FailureHandling handling);
    // "Catch Up": "On"/"Off"; keeps to the schedule across restarts and sleep.
    bool catchUp() const;
    void setCatchUp(bool on);
    // "Last Backup": when the last run completed, in UTC
    // ("yyyy-MM-ddTHH:mm:ssZ"); nothing when never, or not such a time.
    std::optional<QDateTime> lastBackup() const;
    void setLastBackup(const QDateTime& when);
    // "ShowAgain": 0 shows the splash, any other number hides it.
    bool showSplash() const;
    void setShowSplash(bool show);
    // "Extension": the last one asked for when adding a folder.
    QString extension() const;
    void setExtension(const QString& extension);

signals:
    void destinationChanged(DestinationMode mode);
    void writeModeChanged(WriteMode mode);
    void archiveModeChanged(bool on);
    void stampingChanged(bool on);
    void startAtLoginChanged(bool on);
    void startInTrayChanged(bool on);
    void destinationFolderChanged(const QString& folder);
    void autoBackupChanged(bool on);
    void intervalPositionChanged(int position);
    // Any of the "More Options".
    void unattendedChanged();
    void lastBackupChanged(const QDateTime& when);

private:
    // A switch stored as "On"/"Off": anything else reads as off.
    bool isOn(Setting key) const;
    void setSwitch(Setting key, bool on, void (Preferences::*changed)(bool));
    // A count of "More Options" stored as a whole number.
    void setCount(Setting key, int count);

    SettingsStore& m_store;
};
