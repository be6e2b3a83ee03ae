#include "Restorer.h"

#include <QCoreApplication>

#include "Archiver.h"
#include "DateText.h"
#include "HistoryLog.h"
#include "PathPieces.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "support/ProgramFolder.h"

namespace {

QString lost()
{
    return QCoreApplication::translate("Restorer", "The copy was lost");
}

} // namespace

Restorer::Restorer(RestoreServices services)
    : m_services(std::move(services))
{
}

QList<FileVersion> Restorer::versionsOf(const QString& source) const
{
    const VersionPlaces places = m_services.placesOf ? m_services.placesOf(source) : VersionPlaces {};
    return ::versionsOf(source, places, m_services.catalog, m_services.files);
}

FileResult Restorer::extract(const FileVersion& version, QString& path)
{
    FileSystem& files = m_services.files;
    // A folder of its own in temp/: the archiver's copies there have the
    // same names as the entries.
    const QString folder = tempFolderPath(m_services.programFolder) + QStringLiteral("/restore");
    if (FileResult made = files.makeFolders(folder); !made)
        return made;
    path = folder + NativeSeparator + version.entry;
    // Nothing of an earlier extraction may pass for this one.
    if (files.fileExists(path)) {
        if (FileResult removed = files.removeFile(path); !removed)
            return removed;
    }
    const ProgramCall call = extractionCall(m_services.archiverFolder, version.path, version.entry, folder);
    const RunResult ran = runAndWait(call, &m_services.stop);
    if (ran.end == RunResult::End::Exited && ran.result == 0 && files.fileExists(path))
        return FileResult::success();
    if (files.fileExists(path))
        files.removeFile(path); // whatever a failing archiver left is no version
    QString why;
    switch (ran.end) {
    case RunResult::End::NotStarted:
        why = QCoreApplication::translate("Restorer", "The archiver could not be started (%1): %2")
                  .arg(call.program, ran.failure);
        break;
    case RunResult::End::Killed:
        why = QCoreApplication::translate("Restorer", "The archiver was %1.").arg(ran.failure);
        break;
    case RunResult::End::Stopped:
        why = QCoreApplication::translate("Restorer", "The program is closing.");
        break;
    case RunResult::End::Exited:
        why = ran.result == 0
            ? QCoreApplication::translate("Restorer", "The archive does not hold \"%1\".").arg(version.entry)
            : QCoreApplication::translate("Restorer", "The archiver failed with exit code %1:")
                  .arg(ran.result);
        break;
    }
    if (const QString lines = archiverLines(ran.output); !lines.isEmpty())
        why += QStringLiteral("\r\n") + lines;
    return FileResult::failure(
        QCoreApplication::translate("Restorer", "\"%1\" could not be taken out of \"%2\". %3\r\nCommand: %4")
            .arg(version.entry, version.path, why, commandLineText(call)));
}

Restorer::Content::~Content()
{
    if (extracted)
        files.removeFile(path);
}

FileResult Restorer::contentOf(const FileVersion& version, Content& content)
{
    if (!version.inArchive()) {
        content.path = version.path;
        return FileResult::success();
    }
    FileResult extracted = extract(version, content.path);
    content.extracted = static_cast<bool>(extracted);
    return extracted;
}

FileResult Restorer::restore(const FileVersion& version, const QString& source)
{
    FileSystem& files = m_services.files;
    Content content(m_services.files);
    if (FileResult found = contentOf(version, content); !found)
        return found;
    if (FileResult made = files.makeFolders(sourceFolderOf(source)); !made)
        return made;
    // The version goes to its working file first: keeping the current file
    // may replace the very copy being put back (the plain "... Backup").
    const std::unique_ptr<CopyGroup> putBack = files.startCopies();
    if (FileResult added = putBack->add(content.path, source, {}); !added)
        return added;
    const std::optional<FileFacts> current = files.fileFacts(source);
    if (current && *current != files.fileFacts(content.path) && m_services.keepCurrent) {
        if (FileResult kept = m_services.keepCurrent(source); !kept)
            return kept;
    }
    if (FileResult done = putBack->commit().value(0, FileResult::failure(lost())); !done)
        return done;
    const QString line = restoredLine(
        fileNameOf(source), version.whereText(), generalDateText(m_services.clock.now(), m_services.locale));
    return appendHistory(files, m_services.programFolder, line);
}

FileResult Restorer::restoreTo(const FileVersion& version, const QString& source, const QString& folder)
{
    const QString target
        = (folder.endsWith(NativeSeparator) ? folder : folder + NativeSeparator) + fileNameOf(source);
    // Into the file's own folder it is a restore, and the current file is kept first.
    if (target == source)
        return restore(version, source);
    Content content(m_services.files);
    if (FileResult found = contentOf(version, content); !found)
        return found;
    return m_services.files.copyFile(content.path, target);
}

FileResult Restorer::temporaryCopy(const FileVersion& version, const QString& source, QString& path)
{
    Content content(m_services.files);
    if (FileResult found = contentOf(version, content); !found)
        return found;
    // Named for the version, so that an archive run's copies in temp/ never
    // take its name; in temp/ itself, so that it goes when the program ends.
    const QString temp = tempFolderPath(m_services.programFolder);
    if (FileResult made = m_services.files.makeFolders(temp); !made)
        return made;
    const QDateTime made = version.made.toLocalTime();
    path = temp + NativeSeparator
        + withExtension(fileNameOf(source) + QStringLiteral(" as of ")
                + stampDate(made.date(), m_services.locale) + u' '
                + stampTime(made.time(), m_services.locale),
            extensionOf(source));
    if (m_services.files.fileExists(path))
        m_services.files.removeFile(path);
    if (FileResult copied = m_services.files.copyFile(content.path, path, {}, CopyDurability::Scratch);
        !copied)
        return copied;
    return m_services.files.makeReadOnly(path);
}
