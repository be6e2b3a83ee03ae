#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

class FileSystem;

// When name is exactly the name of a dated copy the program makes of a
// source (base: the source's file name, extension included; extension: its
// extension), in either stamped shape ("base Date <date> Time <time>.ext" or
// "base <date>.ext"): the time its stamp reads back as. The stamp must read
// back under the stamp formats of locale; anything else is no dated copy.
std::optional<QDateTime> datedCopyStamp(
    const QString& name, const QString& base, const QString& extension, const QLocale& locale);

// One dated copy found in a folder.
struct DatedCopy {
    QString name;
    QDateTime stamped;
};

// The regular files (not links, not folders) of the folders a run looks at,
// each folder listed once per run.
class FolderListings {
public:
    explicit FolderListings(const FileSystem& files)
        : m_files(files)
    {
    }
    // The dated copies of a source in folder (ending in "/"), newest first.
    QList<DatedCopy> datedCopies(
        const QString& folder, const QString& base, const QString& extension, const QLocale& locale);
    // Keeps a listed folder up to date with a file the run made or removed.
    void made(const QString& folder, const QString& name);
    void removed(const QString& folder, const QString& name);

private:
    const QStringList& namesIn(const QString& folder);

    const FileSystem& m_files;
    QHash<QString, QStringList> m_names; // sorted
};
