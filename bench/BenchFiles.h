#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

// The file sets the engine is measured on: many small files and a few large ones.
struct FileSet {
    const char* label;
    int count;
    qint64 size;
};
inline constexpr FileSet SmallFiles { "small", 2000, 4 * 1024 };
inline constexpr FileSet LargeFiles { "large", 4, qint64(64) << 20 };

// Makes the set's files of random bytes in folder; their paths.
QStringList makeFiles(const QString& folder, const FileSet& set);

// Median seconds of the program's side and of its peer.
struct Figures {
    double ours;
    double peer;
    double peerFinished = 0; // the peer followed by afterPeer, when given
};

// Times ours and the peer in turn, five times each, every time after the
// other's writes are flushed to disk; prints one line per set, named by
// oursName and peerName, and returns the medians. afterPeer, when given, is
// timed right after each peer run (a flush that makes the peer's promise
// match ours).
Figures sideBySide(const FileSet& set, const QString& oursName, const std::function<void()>& ours,
    const QString& peerName, const std::function<void()>& peer, QTextStream& out,
    const std::function<void()>& afterPeer = {});

// "name small=<ratio> large=<ratio>", ours against the peer, or against the
// peer followed by afterPeer when finished is true.
void printRatios(
    QTextStream& out, const QString& name, const Figures& small, const Figures& large, bool finished = false);
