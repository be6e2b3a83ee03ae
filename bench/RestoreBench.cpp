// Getting a file back: listing the versions of a file with 10,000 copies;
// restoring a 256 MiB version against cp followed by sync; taking one file
// out of a 1 GiB archive against 7za e of that file.
#include "BenchFiles.h"
#include "Benches.h"
#include "Median.h"
#include "engine/CopyCatalog.h"
#include "engine/Restorer.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
constexpr int Repeats = 5;

struct RestoreRig {
    QString folder;
    LocalFileSystem files;
    SystemClock clock;
    const StopRequest neverStopped;
    CopyCatalog catalog { folder + "/prog/catalog.sqlite" };
    Restorer restorer { RestoreServices { files, clock, english, folder + "/prog",
        QCoreApplication::applicationDirPath(), neverStopped, &catalog,
        [this](const QString&) {
            return VersionPlaces { { folder + "/dest/" }, english };
        },
        [](const QString&) { return FileResult::success(); } } };

    explicit RestoreRig(const QString& where)
        : folder(where)
    {
        for (const char* sub : { "prog/temp", "dest", "docs", "out" })
            QDir().mkpath(folder + "/" + sub);
        catalog.open(clock.now());
    }
    // Records backup as a copy of source made by run.
    void record(qint64 run, const QList<MadeCopy>& made)
    {
        catalog.commit(run, clock.now(), { .made = made });
    }
};

void sync(const QString& path)
{
    QProcess::execute("sync", { "-f", path });
}

void versionsOfManyCopies(QTextStream& out, RestoreRig& rig)
{
    constexpr int Copies = 10000;
    const QString source = rig.folder + "/docs/notes.txt";
    QFile(source).open(QIODevice::WriteOnly);
    QList<MadeCopy> made;
    for (int i = 0; i < Copies; ++i) {
        const QString copy = rig.folder + QStringLiteral("/dest/notes.txt %1.txt").arg(i, 5, 10, QChar(u'0'));
        QFile file(copy);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::number(i));
        file.close();
        made << MadeCopy { source, copy, true, false, {}, *rig.files.regularFileFacts(copy) };
    }
    rig.record(1, made);
    rig.catalog.finishReading();
    std::vector<double> times;
    qsizetype listed = 0;
    for (int rep = 0; rep < Repeats; ++rep) {
        times.push_back(secondsOf([&] { listed = rig.restorer.versionsOf(source).size(); }));
        rig.catalog.finishReading();
    }
    out << "versions copies=" << Copies << " listed=" << listed
        << " seconds=" << QString::number(median(times), 'f', 3) << "\n";
}

void restoreLargeVersion(QTextStream& out, RestoreRig& rig)
{
    const QString version = makeFiles(rig.folder + "/big", { "big", 1, qint64(256) << 20 }).value(0);
    const FileVersion listed { FileVersion::Kind::Catalogued, version, {}, rig.clock.now(),
        *rig.files.regularFileFacts(version) };
    const QString target = rig.folder + "/out/restored.bin";
    const QString peerTarget = rig.folder + "/out/copied.bin";
    std::vector<double> ours, peer;
    for (int rep = 0; rep < Repeats; ++rep) {
        QFile::remove(target);
        sync(rig.folder);
        ours.push_back(secondsOf([&] { rig.restorer.restore(listed, target); }));
        QFile::remove(peerTarget);
        sync(rig.folder);
        peer.push_back(secondsOf([&] {
            QProcess::execute("cp", { "-p", version, peerTarget });
            sync(peerTarget);
        }));
    }
    for (const QString& done : { version, target, peerTarget })
        QFile::remove(done);
    out << "restore mb=256 ratio=" << QString::number(median(ours) / median(peer), 'f', 2)
        << " seconds=" << QString::number(median(ours), 'f', 3)
        << " peer=" << QString::number(median(peer), 'f', 3) << "\n";
}

void extractFromLargeArchive(QTextStream& out, RestoreRig& rig)
{
    // 1 GiB stored without packing (random bytes do not pack), and one small file.
    const QStringList parts = makeFiles(rig.folder + "/parts", { "parts", 4, qint64(256) << 20 });
    const QString small = rig.folder + "/parts/wanted.txt";
    QFile file(small);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(64 * 1024, 'w'));
    file.close();
    const QString archive = rig.folder + "/dest/Backup.zip";
    const QString sevenZip = QCoreApplication::applicationDirPath() + "/7za";
    QProcess::execute(sevenZip,
        QStringList { "a", "-tzip", "-mx0", "-bso0", "-bsp0", archive } + parts + QStringList { small });
    for (const QString& part : parts)
        QFile::remove(part); // room on a small benchmark drive
    const FileVersion entry { FileVersion::Kind::Catalogued, archive, "wanted.txt", rig.clock.now(),
        *rig.files.regularFileFacts(small) };
    const QString source = rig.folder + "/docs/wanted.txt";
    std::vector<double> ours, peer;
    for (int rep = 0; rep < Repeats; ++rep) {
        QFile::remove(rig.folder + "/out/wanted.txt");
        sync(rig.folder);
        ours.push_back(secondsOf([&] { rig.restorer.restoreTo(entry, source, rig.folder + "/out"); }));
        QDir(rig.folder + "/peer").removeRecursively();
        sync(rig.folder);
        peer.push_back(secondsOf([&] {
            QProcess::execute(sevenZip,
                { "e", "-bso0", "-bsp0", "-y", "-o" + rig.folder + "/peer", archive, "wanted.txt" });
        }));
    }
    if (!QFile::exists(rig.folder + "/out/wanted.txt"))
        out << "warning: the file did not come out of the archive\n";
    out << "extract archive_mb=1024 ratio=" << QString::number(median(ours) / median(peer), 'f', 2)
        << " seconds=" << QString::number(median(ours), 'f', 3)
        << " peer=" << QString::number(median(peer), 'f', 3) << "\n";
}

} // namespace

void runRestoreBench(QTextStream& out, const QString& folder)
{
    QTemporaryDir root(
        folder.isEmpty() ? QDir::tempPath() + "/restore-bench-XXXXXX" : folder + "/restore-bench-XXXXXX");
    RestoreRig rig(root.path());
    versionsOfManyCopies(out, rig);
    restoreLargeVersion(out, rig);
    extractFromLargeArchive(out, rig);
    out.flush();
}
