// "Copy History To Clipboard" on a log of 100 MB, against plainly reading the
// same file, with the memory the copy takes at its peak.
#include "Benches.h"
#include "CountingDialogs.h"
#include "Median.h"
#include "platform/Launcher.h"
#include "platform/LocalFileSystem.h"
#include "viewing/HistoryViewing.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

constexpr int Megabytes = 100;
constexpr int Repetitions = 3;

// Resident and peak resident memory of this process, in MiB.
std::pair<double, double> memoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double rss = 0;
    double peak = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            if (parts.size() >= 2 && parts[0] == "VmRSS:")
                rss = parts[1].toDouble() / 1024;
            if (parts.size() >= 2 && parts[0] == "VmHWM:")
                peak = parts[1].toDouble() / 1024;
        }
    }
    return { rss, peak };
}

class NoLauncher : public Launcher {
public:
    LaunchResult openWithDefaultProgram(const QString&, LaunchEnded) override { return {}; }
};

} // namespace

void runHistoryBench(QTextStream& out, const QString& folder)
{
    QTemporaryDir dir(folder.isEmpty() ? QDir::tempPath() + QStringLiteral("/quill-history-XXXXXX")
                                       : folder + QStringLiteral("/quill-history-XXXXXX"));
    QFile log(dir.filePath(QStringLiteral("history.txt")));
    if (!dir.isValid() || !log.open(QIODevice::WriteOnly)) {
        out << "copyhistory mb=" << Megabytes << " seconds=failed (no temporary folder)\n";
        return;
    }
    QByteArray block;
    for (int i = 0; block.size() < (1 << 20); ++i)
        block += QStringLiteral("report %1.doc was backup saved at 12/6/2026 9:05:03 PM\r\n").arg(i).toUtf8();
    block.truncate(1 << 20);
    for (int i = 0; i < Megabytes; ++i)
        log.write(block);
    log.close();

    QWidget window;
    auto* view = new QPushButton(&window);
    auto* copy = new QPushButton(&window);
    LocalFileSystem files;
    NoLauncher launcher;
    CountingDialogs dialogs;
    HistoryViewing history(view, copy, files, launcher, dialogs, dir.path());

    const auto [before, peakBefore] = memoryMb();
    std::vector<double> copies;
    std::vector<double> reads;
    double peakFirst = 0;
    for (int i = 0; i < Repetitions; ++i) {
        copies.push_back(secondsOf([&] { history.copyHistory(); }));
        if (i == 0)
            peakFirst = memoryMb().second;
        reads.push_back(secondsOf([&] {
            QFile file(log.fileName());
            if (file.open(QIODevice::ReadOnly))
                file.readAll();
        }));
    }
    const bool whole = QGuiApplication::clipboard()->text().size() == qsizetype(Megabytes) << 20;
    const auto [after, peakAll] = memoryMb();
    out << "history log of " << Megabytes << " MiB: copy " << median(copies) << " s, plain read "
        << median(reads) << " s; memory before " << before << " MiB, peak of the first copy "
        << std::max(peakFirst, peakBefore) - before << " MiB above it, of all " << peakAll - before
        << " MiB\n";
    out << "copyhistory mb=" << Megabytes << " seconds=" << median(copies)
        << " ratio=" << median(copies) / median(reads) << (whole ? "" : " (clipboard incomplete)") << "\n";
    Q_UNUSED(after);
}
