// One backup run over real files against `cp -p` copying the same files, in
// the same run: 2,000 files of 4 KiB, and 4 files of 64 MiB. A run returns
// with its backups on disk, so it is also measured against `cp -p` followed
// by `sync -f` on the destination, which makes the same promise. The run
// tells its progress as a run of the window does.
#include "BenchFiles.h"
#include "Benches.h"
#include "CountingDialogs.h"
#include "engine/BackupRun.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

Figures measure(const QString& work, const FileSet& set, QTextStream& out)
{
    const QString label = set.label;
    const QStringList sources = makeFiles(work + "/" + label + "-src", set);
    const QString runDest = work + "/" + label + "-run/";
    const QString cpDest = work + "/" + label + "-cp/";
    QDir().mkpath(runDest);
    QDir().mkpath(cpDest);
    QDir().mkpath(work + "/prog");

    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    const StopRequest neverStopped;
    BackupRun save(RunServices { files, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates),
        work + "/prog", neverStopped });
    // Its progress made into captions, as the window does with it.
    QString caption;
    const RunRequest request { RunOptions { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
                                   runDest },
        sources, [](const QString&) {}, [](const QString&) {}, {}, {},
        [&caption](const RunProgress& progress) {
            caption = progressCaption(QStringLiteral("Backing up files..."), progress);
        } };

    const Figures f = sideBySide(
        set, "run", [&] { save.run(request); }, "cp",
        [&] { QProcess::execute("cp", QStringList { "-p" } + sources + QStringList { cpDest }); }, out,
        [&] {
            QProcess::execute("sync", { "-f", cpDest });
        });
    if (dialogs.messages)
        out << "warning: " << dialogs.messages << " errors during the run\n";
    return f;
}

} // namespace

void runEngineBench(QTextStream& out, const QString& folder)
{
    QTemporaryDir work(folder.isEmpty() ? QString() : folder + QStringLiteral("/quillstead-bench-XXXXXX"));
    const Figures small = measure(work.path(), SmallFiles, out);
    const Figures large = measure(work.path(), LargeFiles, out);
    printRatios(out, "ratio", small, large);
    printRatios(out, "durable", small, large, true);
}
