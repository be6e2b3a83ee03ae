// One backup run over real files against `cp -p` copying the same files, in
// the same run: 2,000 files of 4 KiB, and 4 files of 64 MiB. A run returns
// with its backups on disk, so it is also measured against `cp -p` followed
// by `sync -f` on the destination, which makes the same promise.
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "engine/IntervalSave.h"
#include "platform/Dialogs.h"
#include "platform/LocalFileSystem.h"
#include "platform/SystemClock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr int Repetitions = 5;

QStringList makeFiles(const QString& folder, int count, qint64 size)
{
    QDir().mkpath(folder);
    QByteArray block(1 << 20, '\0');
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/file%1.dat").arg(i, 4, 10, QChar(u'0'));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        for (qint64 written = 0; written < size;) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            const qint64 chunk = std::min<qint64>(size - written, block.size());
            file.write(block.constData(), chunk);
            written += chunk;
        }
        paths << path;
    }
    return paths;
}

struct Figures {
    double run;
    double cp;
    double cpSynced; // cp -p, then sync -f on the destination
};

Figures measure(const QString& work, const QString& label, int count, qint64 size, QTextStream& out)
{
    const QStringList sources = makeFiles(work + "/" + label + "-src", count, size);
    const QString runDest = work + "/" + label + "-run/";
    const QString cpDest = work + "/" + label + "-cp/";
    QDir().mkpath(runDest);
    QDir().mkpath(cpDest);
    QDir().mkpath(work + "/prog");

    LocalFileSystem files;
    SystemClock clock;
    CountingDialogs dialogs;
    IntervalSave save(RunServices {
        files, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates), work + "/prog" });
    const RunRequest request { RunOptions { false, false, DestinationMode::FixedFolder, WriteMode::CreateNew,
                                   runDest },
        sources, [](const QString&) {}, [](const QString&) {} };

    // Each side starts with the other's writes flushed, so neither pays for
    // the other's writeback.
    const auto flush = [] { QProcess::execute("sync", {}); };
    std::vector<double> runTimes, cpTimes, cpSyncedTimes;
    for (int rep = 0; rep < Repetitions; ++rep) {
        flush();
        runTimes.push_back(secondsOf([&] { save.SaveAll(request); }));
        flush();
        cpTimes.push_back(secondsOf(
            [&] { QProcess::execute("cp", QStringList { "-p" } + sources + QStringList { cpDest }); }));
        cpSyncedTimes.push_back(cpTimes.back() + secondsOf([&] {
            QProcess::execute("sync", { "-f", cpDest });
        }));
        if (qEnvironmentVariableIsSet("QUILL_BENCH_VERBOSE"))
            out << "  rep " << rep << ": run=" << runTimes.back() << " cp=" << cpTimes.back()
                << " cp+sync=" << cpSyncedTimes.back() << "\n";
    }
    if (dialogs.messages)
        out << "warning: " << dialogs.messages << " errors during the run\n";
    const Figures f { median(runTimes), median(cpTimes), median(cpSyncedTimes) };
    out << label << ": " << count << " x " << size / 1024 << " KiB  run=" << f.run << " s  cp=" << f.cp
        << " s  cp+sync=" << f.cpSynced << " s  (median of " << Repetitions << ")\n";
    out.flush();
    return f;
}

} // namespace

void runEngineBench(QTextStream& out, const QString& folder)
{
    QTemporaryDir work(folder.isEmpty() ? QString() : folder + QStringLiteral("/quillstead-bench-XXXXXX"));
    const Figures small = measure(work.path(), "small", 2000, 4 * 1024, out);
    const Figures large = measure(work.path(), "large", 4, qint64(64) << 20, out);
    out << "ratio small=" << QString::number(small.run / small.cp, 'f', 2)
        << " large=" << QString::number(large.run / large.cp, 'f', 2) << "\n";
    out << "durable small=" << QString::number(small.run / small.cpSynced, 'f', 2)
        << " large=" << QString::number(large.run / large.cpSynced, 'f', 2) << "\n";
    out.flush();
}
