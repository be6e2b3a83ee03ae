#include "PerFileRun.h"

#include "DateText.h"
#include "HistoryLog.h"
#include "OwnCopies.h"
#include "PathPieces.h"
#include "RunErrorLocations.h"
#include "RunFailures.h"
#include "platform/Clock.h"

using namespace RunErrorLocation;

namespace {

// How often a run lets the window's events run, so it repaints and reacts.
constexpr qint64 EventPassMs = 50;

QString filesText(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

} // namespace

PerFileRun::PerFileRun(const RunRequest& request, const RunServices& services, RunFailures& failures,
    OwnCopies& own, ProgressPacer& progress)
    : m_request(request)
    , m_options(request.options)
    , m_services(services)
    , m_folder(request.options.folderText, request.setFolderText)
    , m_stamp { request.options.writeMode, services.clock, services.locale }
    , m_failures(failures)
    , m_own(own)
    , m_progress(progress)
    , m_pacer(services.clock, services.stop, EventPassMs)
    , m_keepGoingWhileCopying([this] { return m_pacer.keepGoing(); })
    , m_copies(services.files.startCopies())
{
}

PerFileRun::~PerFileRun() = default;

bool PerFileRun::run()
{
    if (m_options.destination == DestinationMode::FixedFolder && m_folder.isSet()) {
        m_fixedFolder = m_folder.text();
        m_mountPoint = m_services.files.mountPointOf(m_fixedFolder);
    }
    while (m_next < m_request.entries.size() && !m_ended) {
        if (m_failures.stopRequested())
            return false;
        if (!backUp(m_request.entries.at(m_next++)) || !keepGoing())
            return !m_failures.stopRequested();
        m_progress.entriesDone(m_next);
    }
    if (m_ended)
        return true;
    return putInPlace() && trimDatedCopies() && !m_failures.stopRequested();
}

bool PerFileRun::backUp(const QString& source)
{
    const BackupName name
        = backupNameOf(source, m_options, m_folder, m_stamp, m_nameLimits, m_services.files);
    if (!name.problem.isEmpty())
        return report(name.problem, name.label, source);
    const QString& destination = name.path;
    const QString folder = sourceFolderOf(destination);
    // A copy kept unchanged needs no note here: the catalog holds it, which
    // keeps a file of the same name from replacing it (below).
    if (m_options.skipUnchanged && m_own.isUnchanged(source, folder))
        return true;
    const Verdict verdict = mayWrite(source, destination);
    if (!verdict.reason.isEmpty())
        return report(verdict.reason, CopyFile, source);
    if (m_copies->holds(destination) && !putInPlace())
        return false;
    FileResult copied = copy(source, destination);
    // A full drive may have room once the copies waiting replace their old
    // backups: put them in place and try once more.
    if (!copied && copied.problem == FileProblem::NoSpace && !m_waiting.isEmpty()
        && !m_failures.stopRequested()) {
        if (!putInPlace() || m_ended)
            return !m_failures.stopRequested();
        copied = copy(source, destination);
    }
    if (m_failures.stopRequested())
        return false;
    if (!copied) {
        if (const QString gone = folderGone(); !gone.isEmpty()) {
            reportFolderGone(gone, { source });
            return !m_failures.stopRequested();
        }
        return report(copied.description, CopyFile, source);
    }
    m_written.insert(m_own.nameKey(destination), source);
    m_waiting.append({ source, destination, copied.facts, verdict.recorded });
    if (m_options.stamping && keepCountsOf(m_options).thins() && !m_trimmed.contains({ source, folder })) {
        m_trimmed.insert({ source, folder });
        m_datedCopies.append({ source, folder });
    }
    return !m_copies->isFull() || putInPlace();
}

FileResult PerFileRun::copy(const QString& source, const QString& destination)
{
    return m_copies->add(source, destination, m_keepGoingWhileCopying);
}

PerFileRun::Verdict PerFileRun::mayWrite(const QString& source, const QString& destination)
{
    // The same entry twice may replace its own backup (made earlier in this
    // run, so recorded by now); another file whose backup name comes out the
    // same (letter case aside, where the drive ignores it) may not.
    const QString key = m_own.nameKey(destination);
    if (const auto earlier = m_written.constFind(key); earlier != m_written.cend())
        return { *earlier == source
                ? QString()
                : QStringLiteral("The backup of \"%1\" was not written: its name \"%2\" is "
                                 "the name of the backup of \"%3\" made earlier in this run.")
                      .arg(source, destination, *earlier),
            true };
    // Nor may it replace another file's copy from an earlier run.
    const OwnCopies::NameHolder holder = m_own.holderOf(destination, source);
    if (holder.otherSource)
        return { QStringLiteral("The backup of \"%1\" was not written: \"%2\" holds the backup of \"%3\", "
                                "which it would replace.")
                     .arg(source, destination,
                         holder.otherSource->isEmpty() ? QStringLiteral("the backup set")
                                                       : *holder.otherSource),
            true };
    return { QString(), holder.recorded };
}

bool PerFileRun::putInPlace()
{
    if (m_waiting.isEmpty())
        return true;
    // A drive pulled or unmounted meanwhile: a rename now would put the copies
    // into whatever folder took the name, or fail one by one.
    if (const QString gone = folderGone(); !gone.isEmpty()) {
        reportFolderGone(gone, {});
        return !m_failures.stopRequested();
    }
    const auto reportRecording = [this](const QString& description, const QString& subject) {
        return m_failures.report(description, WriteHistory, subject);
    };
    QStringList names;
    for (const Waiting& waiting : std::as_const(m_waiting)) {
        if (waiting.replacesRow)
            names << waiting.destination;
    }
    // Should this fail, the next commit still replaces those rows.
    m_own.replacing(names, reportRecording);
    const QList<FileResult> results = m_copies->commit();
    const QList<Waiting> done = std::exchange(m_waiting, {});
    // Every copy of the group is recorded and logged before the first of its
    // failures is shown, for the same reason as in report(); the boxes keep
    // the list's order.
    struct Failure {
        QString description;
        int line;
        QString source;
    };
    QList<Failure> failures;
    QStringList lost; // copies that could not be put in place
    QList<qsizetype> placed;
    for (qsizetype i = 0; i < done.size(); ++i) {
        const FileResult& result = results.value(i, FileResult::failure(QStringLiteral("The copy was lost")));
        if (result) {
            m_own.made(
                done[i].source, done[i].destination, m_options.stamping, done[i].sourceFacts, result.facts);
            placed << i;
            continue;
        }
        m_written.remove(m_own.nameKey(done[i].destination));
        lost << done[i].source;
        const QString description = result.problem != FileProblem::NameRefused
            ? result.description
            : QStringLiteral("The backup name \"%1\" holds characters that the drive at \"%2\" cannot store.")
                  .arg(fileNameOf(done[i].destination), sourceFolderOf(done[i].destination));
        failures.append({ description, CopyFile, done[i].source });
    }
    if (!m_fixedFolder.isEmpty() && !placed.isEmpty())
        m_own.reached(m_fixedFolder, m_mountPoint);
    // The rows are durable before the history lines that they back.
    const FileResult recorded = m_own.commit(reportRecording);
    if (!recorded)
        failures.prepend({ recorded.description, WriteHistory, m_own.catalogName() });
    for (const qsizetype i : placed) {
        const QString line = historyLine(
            fileNameOf(done[i].source), generalDateText(m_services.clock.now(), m_services.locale));
        if (FileResult logged = appendHistory(m_services.files, m_services.programFolder, line); !logged)
            failures.append({ logged.description, WriteHistory, done[i].source });
    }
    if (!lost.isEmpty()) {
        if (const QString gone = folderGone(); !gone.isEmpty()) {
            reportFolderGone(gone, lost);
            return !m_failures.stopRequested();
        }
    }
    for (const Failure& failure : failures) {
        if (!m_failures.report(failure.description, failure.line, fileNameOf(failure.source)))
            return false;
    }
    return true;
}

bool PerFileRun::report(const QString& description, int lineLabel, const QString& source)
{
    return putInPlace() && !m_ended && m_failures.report(description, lineLabel, fileNameOf(source));
}

QString PerFileRun::folderGone()
{
    if (m_fixedFolder.isEmpty())
        return {};
    if (!m_services.files.folderExists(m_fixedFolder))
        return QStringLiteral("The backup folder \"%1\" does not exist or is not a folder")
            .arg(m_fixedFolder);
    if (!m_mountPoint.isEmpty() && m_services.files.mountPointOf(m_fixedFolder) != m_mountPoint)
        return QStringLiteral("The backup folder \"%1\" is no longer on the drive mounted at \"%2\"")
            .arg(m_fixedFolder, m_mountPoint);
    return {};
}

void PerFileRun::reportFolderGone(const QString& why, QStringList notBackedUp)
{
    m_ended = true;
    // Copies still waiting are in that folder too: they cannot be put in place.
    for (const Waiting& waiting : std::exchange(m_waiting, {}))
        notBackedUp << waiting.source;
    m_copies = m_services.files.startCopies(); // the old group removes its working files
    notBackedUp << m_request.entries.mid(m_next);
    if (!m_failures.noted()) {
        m_failures.report(
            QStringLiteral("%1; %2 of this run were not backed up.").arg(why, filesText(notBackedUp.size())),
            CopyFile, {}, int(notBackedUp.size()));
        return;
    }
    for (const QString& source : std::as_const(notBackedUp)) {
        if (!m_failures.report(why + u'.', CopyFile, fileNameOf(source)))
            return;
    }
}

bool PerFileRun::trimDatedCopies()
{
    for (const auto& [source, folder] : std::as_const(m_datedCopies))
        m_own.chooseSurplus(source, folder, keepCountsOf(m_options), m_request.entries);
    return m_own.trimSurplus([this](const QString& description, const QString& subject) {
        return m_failures.report(description, PruneCopies, subject);
    });
}
