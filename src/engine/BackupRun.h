#pragma once

#include "DatedCopies.h"
#include "RunOptions.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Clock;
class CopyGroup;
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
    const StopRequest* stop = nullptr; // raised by shutdown: the run ends without further steps
    QString archiverFolder = {}; // the folder that holds 7za; empty: the program folder
};

// One request for a backup run: the options and the backup set as they stand
// when the run starts, where the status caption goes, and how the repaired
// folder text gets back into the folder box.
struct RunRequest {
    RunOptions options;
    QStringList entries;
    std::function<void(const QString&)> setStatus;
    std::function<void(const QString&)> setFolderText;
    // With failures noted: told at the end of the run how many files failed (0: none).
    std::function<void(int)> failuresNoted = {};
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

private:
    struct Written;

    // Both return false when shutdown stopped the run. putInPlace commits the
    // copies waiting, writes their history lines, then shows their failures.
    bool runPerFile(const RunRequest& request, const RunOptions& options);
    bool putInPlace(CopyGroup& copies, QList<Written>& waiting, QHash<QString, QString>& written);
    // Shows the error box, or notes the failure of subject (a file name) in
    // the history log; false when shutdown was asked for meanwhile.
    bool reportError(const QString& description, int lineLabel, const QString& subject);
    // Removes the dated copies of a source beyond the newest keep; false when shutdown stopped the run.
    bool pruneDatedCopies(const QString& folder, const QString& fileName, int keep);
    // True when the newest backup of source (destination, or the newest dated
    // copy when stamping) has the source's size and modification time.
    bool isUnchanged(const QString& source, const QString& destination, bool stamping);
    bool stopRequested() const;
    // Lets the window's events run when it is time again; false once shutdown was asked for.
    bool keepGoing();

    RunServices m_services;
    bool m_running = false;
    bool m_noteFailures = false;
    int m_failures = 0;
    std::unique_ptr<FolderListings> m_listings; // of the run under way
    qint64 m_lastEventPass = 0;
};
