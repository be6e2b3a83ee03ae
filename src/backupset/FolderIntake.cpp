#include "FolderIntake.h"

#include <QCoreApplication>

#include "BackupSetIntake.h"
#include "FolderWalk.h"
#include "HasBadCharacters.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StopRequest.h"
#include "settings/Preferences.h"
#include "support/DialogHelpers.h"
#include "support/EventLoop.h"

#include <QMimeData>
#include <QUrl>

namespace {

// Busy from construction to the end of the scope, however the scope ends.
class BusyPointer {
public:
    explicit BusyPointer(const std::function<void(bool)>& setBusy)
        : m_setBusy(setBusy)
    {
        if (m_setBusy)
            m_setBusy(true);
    }
    ~BusyPointer()
    {
        if (m_setBusy)
            m_setBusy(false);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    const std::function<void(bool)>& m_setBusy;
};

} // namespace

bool addAllFilesInFolder(FolderIntakeServices services, Preferences& preferences, BackupSetIntake& intake,
    const std::function<void(bool busy)>& setBusy)
{
    const QString reply = services.dialogs.inputBox(QStringLiteral("Quillstead"),
        QCoreApplication::translate("FolderIntake",
            "Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all "
            "doc files, etc.)"),
        QStringLiteral("*"));
    // A dialog lets events run, shutdown among them.
    if (services.stop.requested())
        return false;
    if (reply.isEmpty())
        return true;
    preferences.setExtension(reply);
    const QString folder = browseForFolder(
        services.dialogs, QCoreApplication::translate("FolderIntake", "Please select folder to add:"));
    if (services.stop.requested())
        return false;
    if (folder.isEmpty())
        return true;
    BusyPointer busy(setBusy);
    EventPacer pacer(services.clock, services.stop);
    return addFolderTree(folder, QStringLiteral("*.") + reply, true, services.files, pacer, intake);
}

std::optional<QStringList> droppedFilePaths(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.isEmpty())
        return std::nullopt;
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            return std::nullopt;
        paths.append(url.toLocalFile());
    }
    return paths;
}

bool addDroppedPaths(const QStringList& paths, FolderIntakeServices services, BackupSetIntake& intake)
{
    EventPacer pacer(services.clock, services.stop);
    GatheredPaths gathered(intake.roomLeft());
    for (const QString& path : paths) {
        if (!pacer.keepGoing())
            return false;
        if (gathered.full())
            break;
        if (leftOutForName(intake, services.files, path))
            continue;
        if (!services.files.folderExists(path))
            gathered.add(path);
        else if (!collectFolderTree(
                     path, QStringLiteral("*.*"), false, services.files, pacer, intake, gathered))
            return false;
    }
    if (services.stop.requested())
        return false;
    intake.addAll(gathered);
    return true;
}
