#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Clock;
class FileSystem;

// How far a run has got: the files of the run taken so far (backed up,
// skipped or failed alike) and their bytes; while the archiver packs, the
// share of its work it says is done.
struct RunProgress {
    qsizetype filesDone = 0;
    qsizetype filesTotal = 0;
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
    std::optional<int> packingPercent = {};
};

// The run's own caption with how far it has got: "Backing up files... 120 of
// 2000", or "Backing up files... packing 42%" while the archiver packs.
QString progressCaption(const QString& runCaption, const RunProgress& progress);
// The same for the tray, with the share of the bytes copied:
// "Backing up files... 120 of 2000 (37%)".
QString progressTip(const QString& runCaption, const RunProgress& progress);

// Tells a run's progress to whoever asked for it: once as the run starts,
// then what has changed at most once every IntervalMs on the monotonic
// clock. A file taken costs one look at that clock, so thousands of small
// files go no slower. What came too soon is told by the next call once due.
class ProgressPacer {
public:
    static constexpr qint64 IntervalMs = 250;

    // With nothing to tell, the pacer neither reads sizes nor tells anything.
    ProgressPacer(std::function<void(const RunProgress&)> told, const Clock& clock, const FileSystem& files,
        const QStringList& entries);

    // The first count entries of the run are taken.
    void entriesDone(qsizetype count);
    // The archiver has packed percent of the archive (the same again: only
    // what came too soon before is told, once due).
    void packing(int percent);

private:
    void tellWhenDue();

    const std::function<void(const RunProgress&)> m_told;
    const Clock& m_clock;
    QList<qint64> m_sizes; // of the entries, as the run began
    RunProgress m_progress;
    std::optional<qint64> m_lastTold;
    bool m_changed = true; // since it was last told
};
