// An archive-mode run against `7za a` packing the same files directly, in the
// same run: 2,000 files of 4 KiB, and 4 files of 64 MiB. The difference is
// the run's copies into the temp folder (and its list file). Then the run
// against its own steps done by hand: `cp -p` of the set into a folder, then
// `7za a` of the copies with the run's switches; the difference is what the
// run does beyond those steps. The run flushes its archive, so the steps are
// also measured with `sync` of theirs.
#include "BenchFiles.h"
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "engine/Archiver.h"
#include "engine/BackupRun.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"
#include "support/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Against 7za alone, and against the run's steps by hand.
struct ArchiveFigures {
    Figures direct;
    Figures steps;
};

// Runs a program with its arguments and environment, as the run starts the archiver.
void execute(const ProgramCall& call)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : call.environment)
        environment.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    process.setProcessEnvironment(environment);
    process.start(call.program, call.arguments);
    process.waitForFinished(-1);
}

ArchiveFigures measure(const QString& work, const FileSet& set, const QString& sevenZip, QTextStream& out)
{
    const QString label = set.label;
    const QStringList sources = makeFiles(work + "/" + label + "-src", set);
    const QString prog = work + "/" + label + "-prog";
    const QString runDest = work + "/" + label + "-run/";
    const QString peerDest = work + "/" + label + "-7za/";
    const QString stepsCopies = work + "/" + label + "-steps-copies";
    const QString stepsDest = work + "/" + label + "-steps/";
    for (const QString& folder : { prog, runDest, peerDest, stepsCopies, stepsDest })
        QDir().mkpath(folder);
    QFile::link(sevenZip, prog + "/7za");
    // The peer reads the same sources from a list file of its own.
    const QString peerList = work + "/" + label + "-7za.txt";
    {
        QFile list(peerList);
        list.open(QIODevice::WriteOnly);
        list.write(QFile::encodeName(sources.join(u'\n')) + '\n');
    }
    const QString stepsList = work + "/" + label + "-steps.txt";
    {
        QFile list(stepsList);
        list.open(QIODevice::WriteOnly);
        for (const QString& source : sources)
            list.write(QFile::encodeName(stepsCopies + "/" + QFileInfo(source).fileName()) + "\r\n");
    }

    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    const StopRequest neverStopped;
    BackupRun save(RunServices {
        files, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates), prog, neverStopped });
    const RunRequest request { RunOptions {
                                   true, false, DestinationMode::FixedFolder, WriteMode::CreateNew, runDest },
        sources, [](const QString&) {}, [](const QString&) {} };
    const QString peerArchive = peerDest + "Backup.zip";

    const Figures direct = sideBySide(
        set, "run", [&] { save.run(request); }, "7za",
        [&] {
            QFile::remove(peerArchive);
            QProcess::execute(
                sevenZip, { "a", "-tzip", "-bso0", "-bsp0", "-y", peerArchive, "@" + peerList });
        },
        out);
    if (dialogs.messages)
        out << "warning: " << dialogs.messages << " errors during the run\n";

    // What the temp copies alone cost: the same copies the run makes, in
    // groups as the run makes them.
    std::vector<double> copyTimes;
    for (int rep = 0; rep < 5; ++rep) {
        copyTimes.push_back(secondsOf([&] {
            auto copies = files.startCopies(CopyDurability::Scratch);
            for (const QString& source : sources) {
                copies->add(source, tempFolderPath(prog) + "/" + QFileInfo(source).fileName(), {});
                if (copies->isFull())
                    copies->commit();
            }
            copies->commit();
        }));
    }
    out << "  of which temp copies: " << median(copyTimes) << " s\n";
    out.flush();

    dialogs.messages = 0;
    const QString stepsArchive = stepsDest + "Backup.zip";
    const ProgramCall stepsCall = archiverCall(prog, stepsArchive, stepsList);
    const Figures steps = sideBySide(
        set, "run", [&] { save.run(request); }, "steps",
        [&] {
            QFile::remove(stepsArchive);
            QProcess::execute("cp", QStringList { "-p" } + sources + QStringList { stepsCopies });
            execute(stepsCall);
        },
        out,
        // The run flushes its archive before the rename, for power cuts;
        // the steps with the same flush make the same promise.
        [&] { QProcess::execute("sync", { stepsArchive }); });
    if (dialogs.messages)
        out << "warning: " << dialogs.messages << " errors during the runs\n";
    return { direct, steps };
}

} // namespace

void runArchiveBench(QTextStream& out, const QString& folder)
{
    const QString sevenZip = QCoreApplication::applicationDirPath() + QStringLiteral("/7za");
    if (!QFileInfo(sevenZip).isExecutable()) {
        out << "archive: skipped, no 7za beside the benchmark\n";
        return;
    }
    QTemporaryDir work(folder.isEmpty() ? QString() : folder + QStringLiteral("/quillstead-bench-XXXXXX"));
    const ArchiveFigures small = measure(work.path(), SmallFiles, sevenZip, out);
    const ArchiveFigures large = measure(work.path(), LargeFiles, sevenZip, out);
    printRatios(out, "archive", small.direct, large.direct);
    printRatios(out, "archive-steps", small.steps, large.steps);
    printRatios(out, "archive-steps-durable", small.steps, large.steps, true);
}
