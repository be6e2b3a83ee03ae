#include "BenchFiles.h"

#include "Median.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

QStringList makeFiles(const QString& folder, const FileSet& set)
{
    QDir().mkpath(folder);
    QByteArray block(1 << 20, '\0');
    QStringList paths;
    for (int i = 0; i < set.count; ++i) {
        const QString path = folder + QStringLiteral("/file%1.dat").arg(i, 4, 10, QChar(u'0'));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        for (qint64 written = 0; written < set.size;) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            const qint64 chunk = std::min<qint64>(set.size - written, block.size());
            file.write(block.constData(), chunk);
            written += chunk;
        }
        paths << path;
    }
    return paths;
}

Figures sideBySide(const FileSet& set, const QString& oursName, const std::function<void()>& ours,
    const QString& peerName, const std::function<void()>& peer, QTextStream& out,
    const std::function<void()>& afterPeer)
{
    constexpr int Repetitions = 5;
    // Each side starts with the other's writes flushed, so neither pays for
    // the other's writeback.
    const auto flush = [] { QProcess::execute("sync", {}); };
    std::vector<double> oursTimes, peerTimes, finishedTimes;
    for (int rep = 0; rep < Repetitions; ++rep) {
        flush();
        oursTimes.push_back(secondsOf(ours));
        flush();
        peerTimes.push_back(secondsOf(peer));
        if (afterPeer)
            finishedTimes.push_back(peerTimes.back() + secondsOf(afterPeer));
        if (qEnvironmentVariableIsSet("QUILL_BENCH_VERBOSE"))
            out << "  rep " << rep << ": " << oursName << "=" << oursTimes.back() << " " << peerName << "="
                << peerTimes.back() << "\n";
    }
    const Figures f { median(oursTimes), median(peerTimes), afterPeer ? median(finishedTimes) : 0.0 };
    out << set.label << ": " << set.count << " x " << set.size / 1024 << " KiB  " << oursName << "=" << f.ours
        << " s  " << peerName << "=" << f.peer << " s";
    if (afterPeer)
        out << "  " << peerName << " finished=" << f.peerFinished << " s";
    out << "  (median of " << Repetitions << ")\n";
    out.flush();
    return f;
}

void printRatios(
    QTextStream& out, const QString& name, const Figures& small, const Figures& large, bool finished)
{
    const auto ratio = [finished](const Figures& f) {
        return QString::number(f.ours / (finished ? f.peerFinished : f.peer), 'f', 2);
    };
    out << name << " small=" << ratio(small) << " large=" << ratio(large) << "\n";
    out.flush();
}
