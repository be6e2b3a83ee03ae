// An archive-mode run against `7za a` packing the same files directly, in the
// same run: 2,000 files of 4 KiB, and 4 files of 64 MiB. The difference is
// the run's copies into the temp folder (and its list file).
#include "BenchFiles.h"
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "engine/IntervalSave.h"
#include "platform/LocalFileSystem.h"
#include "platform/SystemClock.h"
#include "platform/TempFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

Figures measure(const QString& work, const FileSet& set, const QString& sevenZip, QTextStream& out)
{
    const QString label = set.label;
    const QStringList sources = makeFiles(work + "/" + label + "-src", set);
    const QString prog = work + "/" + label + "-prog";
    const QString runDest = work + "/" + label + "-run/";
    const QString peerDest = work + "/" + label + "-7za/";
    for (const QString& folder : { prog, runDest, peerDest })
        QDir().mkpath(folder);
    QFile::link(sevenZip, prog + "/7za");
    // The peer reads the same sources from a list file of its own.
    const QString peerList = work + "/" + label + "-7za.txt";
    {
        QFile list(peerList);
        list.open(QIODevice::WriteOnly);
        list.write(QFile::encodeName(sources.join(u'\n')) + '\n');
    }

    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    IntervalSave save(
        RunServices { files, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates), prog });
    const RunRequest request { RunOptions {
                                   true, false, DestinationMode::FixedFolder, WriteMode::CreateNew, runDest },
        sources, [](const QString&) {}, [](const QString&) {} };
    const QString peerArchive = peerDest + "Backup.zip";

    const Figures f = sideBySide(
        set, "run", [&] { save.SaveAll(request); }, "7za",
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
                copies->add(source, TempFolderPath(prog) + "/" + QFileInfo(source).fileName(), {});
                if (copies->isFull())
                    copies->commit();
            }
            copies->commit();
        }));
    }
    out << "  of which temp copies: " << median(copyTimes) << " s\n";
    out.flush();
    return f;
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
    const Figures small = measure(work.path(), SmallFiles, sevenZip, out);
    const Figures large = measure(work.path(), LargeFiles, sevenZip, out);
    printRatios(out, "archive", small, large);
}
