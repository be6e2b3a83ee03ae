#include "ScriptedBackup.h"

#include "WindowBackupTrigger.h"
#include "engine/CopyCatalog.h"
#include "engine/DateText.h"
#include "platform/Dialogs.h"
#include "platform/LocalFileSystem.h"
#include "platform/SingleInstance.h"
#include "platform/SleepInhibitor.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"
#include "platform/TerminationSignals.h"
#include "settings/Preferences.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "settings/StoredFiles.h"
#include "support/ProgramFolder.h"

#include <QCoreApplication>
#include <QTextStream>

QByteArray ScriptAnswer::encoded() const
{
    QByteArray bytes = QByteArray::number(status) + '\n';
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

ScriptAnswer ScriptAnswer::decoded(const QByteArray& bytes)
{
    QList<QByteArray> pieces = bytes.split('\n');
    if (!pieces.isEmpty() && pieces.last().isEmpty())
        pieces.removeLast();
    bool ok = false;
    const int status = pieces.isEmpty() ? -1 : pieces.front().toInt(&ok);
    if (!ok || status < AllBackedUp || status > NothingRan)
        return { NothingRan, { QStringLiteral("The running copy of Quillstead gave no answer.") } };
    ScriptAnswer answer { status, {} };
    for (qsizetype i = 1; i < pieces.size(); ++i)
        answer.lines << QString::fromUtf8(pieces[i]);
    return answer;
}

QString whyNothingCanRun(const Preferences& preferences, const QStringList& entries)
{
    if (entries.isEmpty())
        return QStringLiteral("No files added to backup.");
    const bool fixedFolder
        = preferences.archiveMode() || preferences.destination() == DestinationMode::FixedFolder;
    if (!fixedFolder && preferences.destination() != DestinationMode::SourceFolder)
        return QStringLiteral("No destination is chosen for the backups.");
    if (fixedFolder && preferences.destinationFolder().isEmpty())
        return QStringLiteral("No destination folder is set.");
    return {};
}

ScriptAnswer answerFor(const std::optional<RunOutcome>& outcome, const QStringList& failureLines)
{
    if (!outcome)
        return { ScriptAnswer::NothingRan,
            { QStringLiteral("The backup was cut short: Quillstead is closing.") } };
    switch (outcome->end) {
    case RunOutcome::End::NoFiles:
        return { ScriptAnswer::NothingRan, { QStringLiteral("No files added to backup.") } };
    case RunOutcome::End::DriveMissing:
        return { ScriptAnswer::NothingRan, failureLines };
    case RunOutcome::End::Completed:
        break;
    }
    return { outcome->failed > 0 ? ScriptAnswer::SomeFailed : ScriptAnswer::AllBackedUp, failureLines };
}

namespace {

// A script's run shows no boxes: its failures are noted, and anything else
// the run would say goes to stderr.
class PrintedDialogs : public Dialogs {
public:
    void showMessage(const QString&, const QString& text, MessageIcon) override
    {
        QTextStream(stderr) << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")) << "\n";
    }
    QStringList openFiles(const QString&, const QString&) override { return {}; }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    bool askYesNo(const QString&, const QString&) override { return false; } // nothing is replaced unasked
};

// The run itself, in this process.
ScriptAnswer backUpHere()
{
    SettingsStore settings;
    if (const auto& problem = settings.startProblem())
        return { ScriptAnswer::NothingRan,
            { QStringLiteral("The settings file \"%1\" cannot be used: %2")
                    .arg(settings.filePath(), problem->reason) } };
    Preferences preferences(settings);
    const QStringList entries = decodeFiles(readSetting(settings, Setting::Files));
    if (const QString why = whyNothingCanRun(preferences, entries); !why.isEmpty())
        return { ScriptAnswer::NothingRan, { why } };

    LocalFileSystem files;
    SystemClock clock;
    PrintedDialogs dialogs;
    StopRequest stop;
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [&stop] { stop.request(); });
    const ProgramFolders folders = runningProgramFolders();
    CopyCatalog catalog(folders.writable + QStringLiteral("/catalog.sqlite"));
    BackupRun run(RunServices { files, clock, dialogs, programLocale(), folders.writable, stop,
        companionFolder(folders, QStringLiteral("7za")), &catalog });
    SleepInhibitor inhibitor;
    const SleepHold noSleep(&inhibitor, SleepWhy);
    QStringList lines;
    std::optional<RunOutcome> ended;
    run.run(
        RunRequest { runOptionsOf(preferences, BackupTrigger::Kind::Script), entries, [](const QString&) {},
            [&preferences](const QString& folder) { preferences.setDestinationFolder(folder); },
            [&ended](const RunOutcome& outcome) { ended = outcome; },
            [&lines](const QString& line) { lines << line; } });
    if (ended)
        rememberCompletedRun(preferences, *ended, clock.now());
    return answerFor(ended, lines);
}

void print(const ScriptAnswer& answer)
{
    QTextStream err(stderr);
    for (const QString& line : answer.lines)
        err << line << "\n";
}

} // namespace

int backUpForScript(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString folder = SingleInstance::sessionFolder();
    // The running copy of this user makes the run, whatever its display: a
    // timer's script may have none.
    QStringList names { SingleInstance::sessionName() };
    for (const QString& name : SingleInstance::namesOfThisUser(folder)) {
        if (!names.contains(name))
            names << name;
    }
    constexpr int Day = 24 * 3600 * 1000;
    const auto askRunningCopy = [&]() -> std::optional<ScriptAnswer> {
        for (const QString& name : names) {
            if (const auto reply = SingleInstance::ask(folder, name, "backup now", Day))
                return ScriptAnswer::decoded(*reply);
        }
        return std::nullopt;
    };
    std::optional<ScriptAnswer> answer = askRunningCopy();
    if (!answer) {
        SingleInstance instance(folder, SingleInstance::sessionName());
        // Held while the run goes on, so no window starts a second writer.
        answer = instance.claim(false) ? backUpHere() : askRunningCopy();
    }
    if (!answer)
        answer = ScriptAnswer { ScriptAnswer::NothingRan,
            { QStringLiteral("Another copy of Quillstead is starting and did not answer.") } };
    print(*answer);
    return answer->status;
}
