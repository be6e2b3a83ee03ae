#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// Outcome of a file operation: success, or the system's description of why it failed.
struct FileResult {
    bool ok = true;
    QString description;

    static FileResult success() { return {}; }
    static FileResult failure(QString why) { return { false, std::move(why) }; }
    explicit operator bool() const { return ok; }
};

// Every file operation of the program goes through this interface, so the
// logic never calls the operating system itself.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Copies source to destination, replacing an existing destination file.
    // The old destination is replaced only once the new copy is complete; a
    // copy that fails leaves it untouched and leaves no partial file behind.
    // The copy keeps the source's modification time and permission bits.
    virtual FileResult copyFile(const QString& source, const QString& destination) = 0;
    // Appends bytes at the end of a file, creating it when missing.
    virtual FileResult appendToFile(const QString& path, const QByteArray& bytes) = 0;
    // Creates the file or empties an existing one, then writes bytes.
    virtual FileResult writeFile(const QString& path, const QByteArray& bytes) = 0;
    virtual FileResult removeFile(const QString& path) = 0;
    // Gives the file from the name to, replacing a file named to in one step.
    virtual FileResult renameFile(const QString& from, const QString& to) = 0;
    virtual FileResult makeFolder(const QString& path) = 0;

    virtual bool folderExists(const QString& path) const = 0;
    virtual bool fileExists(const QString& path) const = 0;
    // True when the system can report the attributes of path (file or folder);
    // false for a missing path or a name that cannot be expressed on disk.
    virtual bool queryAttributes(const QString& path) const = 0;
    virtual std::optional<QDateTime> modificationTime(const QString& path) const = 0;
    // Ordinary files in folder whose names match a wildcard pattern (* and ?):
    // no folders, no hidden files. Names only, sorted.
    virtual QStringList listFiles(const QString& folder, const QString& pattern) const = 0;
    // Visible immediate subfolders of folder. Names only, sorted.
    virtual QStringList listFolders(const QString& folder) const = 0;
};
