#pragma once

#include "RunOptions.h"
#include "RunProgress.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

class Clock;
class CopyCatalog;
class Dialogs;
class FileSystem;
class StopRequest;

// The services a backup run works with, handed in once by whoever owns the run.
struct RunServices {
    FileSystem& files;
    const Clock& clock;
    Dialogs& dialogs; // shows the "Application Error" box and waits for OK
    QLocale locale; // month names, AM/PM, the general date format
    QString programFolder; // home of history.txt (and of the archiver's files)
    const StopRequest& stop; // raised by shutdown: the run ends without further steps
    QString archiverFolder = {}; // the folder that holds 7za; empty: the program folder
    // The record of the copies made, which alone proves a copy the program's
    // own. None: nothing is skipped as unchanged, trimmed or protected.
    CopyCatalog* catalog = nullptr;
};

// How a run ended, told to whoever asked for it.
struct RunOutcome {
    enum class End {
        Completed, // every file was backed up, skipped or reported
        NoFiles, // the backup set is empty
        DriveMissing, // the fixed folder or its drive was not there: nothing was written
    };
    End end = End::Completed;
    int failed = 0; // files that could not be backed up
    bool noted = false; // their failures went to the history log rather than into boxes
};

// One request for a backup run: the options and the backup set as they stand
// when the run starts, where the status caption goes, and how the repaired
// folder text gets back into the folder box.
struct RunRequest {
    RunOptions options;
    QStringList entries;
    std::function<void(const QString&)> setStatus;
    std::function<void(const QString&)> setFolderText;
    // Told at the end of every run that shutdown did not cut short.
    std::function<void(const RunOutcome&)> finished = {};
    // With failures noted: each history line of a failure, as it is written.
    std::function<void(const QString&)> failureNoted = {};
    // How far the run has got, as it goes (paced: see ProgressPacer).
    std::function<void(const RunProgress&)> progress = {};
};

// One backup run over the backup set.
class BackupRun {
public:
    explicit BackupRun(RunServices services);

    // Runs one backup. A call made while a run is in progress (possible while
    // an error box is open or a long copy lets events run) does nothing and
    // returns false at once. When shutdown is asked for during the run, the
    // copy under way is abandoned and the run ends without further steps.
    bool run(const RunRequest& request);
    bool isRunning() const { return m_running; }
    const RunServices& services() const { return m_services; }

private:
    RunServices m_services;
    bool m_running = false;
};
