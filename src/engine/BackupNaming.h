#pragma once

#include "RunOptions.h"

#include <QHash>
#include <QLocale>
#include <QString>

class Clock;
class FileSystem;
class FixedFolder;

// What a stamped name depends on besides base and extension.
struct StampSettings {
    WriteMode writeMode;
    const Clock& clock;
    QLocale locale;
};

// A stamped name.
// Create new: base Date Dec 6 2026 Time 09 05 03 PM.ext (the clock is read
// once for the date and again for the time). Overwrite: base Dec 6 2026.ext.
// Neither write mode: empty. No folder in the result.
QString stampedName(const QString& base, const QString& extension, const StampSettings& stamp);
// The fixed folder (separator ensured) followed by stampedName.
QString fixedFolderName(
    const QString& base, const QString& extension, FixedFolder& folder, const StampSettings& stamp);
// The unstamped shape: base Backup.ext, replaced by every run.
QString plainBackupName(const QString& base, const QString& extension);

// The name of a source's backup, or why it has none (the text and line of its message).
struct BackupName {
    QString path;
    QString problem;
    int label = 0;
};

// Where a run puts source's backup: in the fixed folder or beside the file,
// stamped or plain, shortened to fit its drive's name limit (each folder's
// limit asked once, kept in nameLimits).
BackupName backupNameOf(const QString& source, const RunOptions& options, FixedFolder& folder,
    const StampSettings& stamp, QHash<QString, int>& nameLimits, const FileSystem& files);
