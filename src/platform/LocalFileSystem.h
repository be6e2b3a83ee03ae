#pragma once

#include "FileSystem.h"

// The real file system: POSIX calls for copying and appending (speed and the
// safe replace), Qt for listing. Names pass as UTF-8, the system code page here.
class LocalFileSystem : public FileSystem {
public:
    LocalFileSystem();

    std::unique_ptr<CopyGroup> startCopies(CopyDurability durability) override;
    int nameLengthLimit(const QString& folder) const override;
    FileResult writeFile(const QString& path, const QByteArray& bytes, Write how = Write::Replacing) override;
    FileResult removeFile(const QString& path) override;
    FileResult removeFilesIn(const QString& folder) override;
    FileResult replaceDurably(const QString& from, const QString& to) override;
    void startWriteOut(const QString& path) override;
    FileResult makeFolder(const QString& path) override;
    FileResult makeReadOnly(const QString& path) override;

    bool folderExists(const QString& path) const override;
    bool fileExists(const QString& path) const override;
    bool queryAttributes(const QString& path) const override;
    std::optional<QDateTime> modificationTime(const QString& path) const override;
    std::optional<FileFacts> regularFileFacts(const QString& path) const override;
    std::optional<FileFacts> fileFacts(const QString& path) const override;
    std::unique_ptr<OpenFolder> openFolder(const QString& folder) const override;
    std::optional<quint64> deviceOf(const QString& path) const override;
    QStringList listFiles(const QString& folder, const QString& pattern) const override;
    QStringList listFolders(const QString& folder) const override;
    bool walkFolder(const QString& folder, const WalkVisitor& take) const override;
    QString mountPointOf(const QString& path) const override;
    bool ignoresLetterCase(const QString& folder) const override;
};
