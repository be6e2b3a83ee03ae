#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// What kind of failure a file operation met, where the caller acts on it.
enum class FileProblem {
    Other,
    NoSpace, // the drive (or the user's quota on it) is full
    NameRefused, // the drive cannot store a name with these characters
};

// A file's size and modification time, to the nanosecond.
struct FileFacts {
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileFacts&) const = default;
};

// Outcome of a file operation: success, or the system's description of why it failed.
struct FileResult {
    bool ok = true;
    QString description;
    FileProblem problem = FileProblem::Other;
    // Of the file handled, where the operation says so.
    FileFacts facts = {};

    static FileResult success(FileFacts facts = {}) { return { true, {}, FileProblem::Other, facts }; }
    static FileResult failure(QString why, FileProblem problem = FileProblem::Other)
    {
        return { false, std::move(why), problem };
    }
    explicit operator bool() const { return ok; }
};

// One entry of a folder being walked.
struct WalkEntry {
    QString name;
    bool isFolder = false;
    // False when the name on disk is not valid text in the system encoding: no
    // file operation can reach it. name then shows U+FFFD for the bad bytes.
    bool nameable = true;
};

// Takes the entries of a folder one at a time; answering false ends the reading.
using WalkVisitor = std::function<bool(const WalkEntry&)>;

// Asked again and again while a copy runs (after every megabyte or so, a few
// times in every 50 ms of copying); answering false abandons the copy.
using KeepGoing = std::function<bool()>;

// Copies written under working names and put in place together. Each copy
// goes to a hidden working file beside its destination; commit makes all of
// them durable with one flush per file system, renames each over its
// destination and makes the renames durable. So after a crash or power cut at
// any moment a destination holds either its previous or its new content,
// whole. A copy that fails, is abandoned or is never committed leaves its
// destination untouched and no working file behind. Copies keep the source's
// modification time and permission bits; holes in a sparse source stay holes.
// What a group promises after a crash or power cut. Scratch copies (the
// archiver's temp copies, made again by every run) keep every other guarantee
// but skip the flushes, which are most of the cost of many small files; being
// the program's own, they replace an earlier copy whatever its mode: it is
// removed and the copy made as a new file under its name (a link there is
// removed, never written through). A scratch copy that fails leaves nothing.
enum class CopyDurability { Durable, Scratch };

class CopyGroup {
public:
    virtual ~CopyGroup() = default; // removes the working files of copies not committed

    // Copies source to a working file for destination; nothing is seen under
    // destination before commit. Its facts are the source's as copied. Only a regular file (or a link to one)
    // is copied. A read-only destination is replaced only when it is a copy of a read-only source (it has the
    // source's bits); one the user protected fails. Failures to read name the source, failures to write name
    // the destination.
    virtual FileResult add(const QString& source, const QString& destination, const KeepGoing& keepGoing) = 0;
    // True when the copies waiting should be committed before more are added.
    virtual bool isFull() const = 0;
    // True when an uncommitted copy goes to destination.
    virtual bool holds(const QString& destination) const = 0;
    // Puts every added copy in place; one result per copy, in the order added,
    // with a durable copy's facts as its drive stored them (coarser on some).
    // The group is empty afterwards. On a drive whose driver the file
    // system's flush does not reach (FUSE: exFAT and NTFS sticks, sshfs), each
    // copy is flushed on its own and so is its folder after the renames.
    virtual QList<FileResult> commit() = 0;
};

// A folder held open to look at many of its files: each look then skips the
// walk down the folder's path, which is most of its cost. It keeps seeing the
// folder it opened even when that is renamed or its drive unmounted: hold one
// for one task only.
class OpenFolder {
public:
    virtual ~OpenFolder() = default;
    // As FileSystem's, for a file of this folder named by name alone.
    virtual std::optional<FileFacts> regularFileFacts(const QString& name) const = 0;
    virtual std::optional<FileFacts> fileFacts(const QString& name) const = 0;
};

// Every file operation of the program goes through this interface, so the
// logic never calls the operating system itself.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual std::unique_ptr<CopyGroup> startCopies(CopyDurability durability = CopyDurability::Durable) = 0;
    // One copy with the guarantees of a group, put in place at once: source
    // to destination, replacing an existing destination file.
    FileResult copyFile(const QString& source, const QString& destination, const KeepGoing& keepGoing = {},
        CopyDurability durability = CopyDurability::Durable)
    {
        auto group = startCopies(durability);
        if (FileResult added = group->add(source, destination, keepGoing); !added)
            return added;
        return group->commit().value(0, FileResult::failure(QStringLiteral("The copy was lost")));
    }
    // The longest file name, in bytes, that folder's file system accepts.
    virtual int nameLengthLimit(const QString& folder) const = 0;
    // Writes bytes to a file, creating it when missing: in place of what it
    // held, or at its end.
    enum class Write { Replacing, Appending };
    virtual FileResult writeFile(const QString& path, const QByteArray& bytes, Write how = Write::Replacing)
        = 0;
    virtual FileResult removeFile(const QString& path) = 0;
    // Removes every entry of folder that is not a folder, hidden ones
    // included: files of any kind, and links as links (never what they point
    // to). Subfolders and their contents stay. A missing folder holds nothing
    // to remove. Goes on past a failure and reports the first one.
    virtual FileResult removeFilesIn(const QString& folder) = 0;
    // Puts a finished working file in place of to, in the same folder: writes
    // from's data out to the disk, renames it over to in one step and writes
    // the rename out too. After a crash or power cut at any moment, to holds
    // its previous content or from's, whole. On failure to is left as it was
    // (or, when only the last write-out failed, holds from's content).
    virtual FileResult replaceDurably(const QString& from, const QString& to) = 0;
    // Starts writing out what has been written to path so far, without
    // waiting for it, so that a later flush finds little left to do. A file
    // that is missing or cannot be opened is left alone.
    virtual void startWriteOut(const QString& path) = 0;
    virtual FileResult makeFolder(const QString& path) = 0;
    // Makes folder (a "/" at its end or not) and every missing folder above it.
    FileResult makeFolders(const QString& folder)
    {
        QString path = folder;
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        if (path.isEmpty() || folderExists(path))
            return FileResult::success();
        if (const qsizetype cut = path.lastIndexOf(QLatin1Char('/')); cut > 0) {
            if (FileResult above = makeFolders(path.left(cut)); !above)
                return above;
        }
        return makeFolder(path);
    }
    // Takes the write permission of everyone from a file, so that a copy
    // handed to another program for viewing is not changed by mistake.
    virtual FileResult makeReadOnly(const QString& path) = 0;

    virtual bool folderExists(const QString& path) const = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // True when the system can report the attributes of path (file or folder);
    // false for a missing path or a name that cannot be expressed on disk.
    virtual bool queryAttributes(const QString& path) const = 0;
    virtual std::optional<QDateTime> modificationTime(const QString& path) const = 0;
    // Of a regular file itself, a link not followed; nothing for anything else.
    virtual std::optional<FileFacts> regularFileFacts(const QString& path) const = 0;
    // Of the regular file that path names, following links; nothing otherwise.
    virtual std::optional<FileFacts> fileFacts(const QString& path) const = 0;
    // Nothing when folder cannot be opened.
    virtual std::unique_ptr<OpenFolder> openFolder(const QString& folder) const = 0;
    // The device path lies on (it changes when a drive is mounted over a
    // folder); nothing when path cannot be looked at. One stat.
    virtual std::optional<quint64> deviceOf(const QString& path) const = 0;
    // Ordinary files in folder whose names match a wildcard pattern (* and ?):
    // no folders, no hidden files. Names only, sorted.
    virtual QStringList listFiles(const QString& folder, const QString& pattern) const = 0;
    // Visible immediate subfolders of folder. Names only, sorted.
    virtual QStringList listFolders(const QString& folder) const = 0;
    // One folder of a folder walk, handed to take entry by entry in the order
    // the disk gives them, so a folder of any size costs the memory of one
    // name and the caller can let events run in between. Files: regular files
    // and links to regular files, hidden ones (leading ".") included; no pipes,
    // sockets or devices. Folders: subfolders that are neither hidden nor
    // links, so a walk never loops. A folder that cannot be listed has no
    // entries. False when take ended the reading.
    virtual bool walkFolder(const QString& folder, const WalkVisitor& take) const = 0;

    // The mount point of the file system that holds path ("/" for the root
    // file system); empty when path does not exist.
    virtual QString mountPointOf(const QString& path) const = 0;
    // True when folder's file system takes names that differ only in letter
    // case for one name (vfat, exFAT, some shares).
    virtual bool ignoresLetterCase(const QString& folder) const = 0;
};
