// quillstead-backup-once: one real backup run from the command line, for the
// checks that must run it as another user or cut the power under it.
// Usage: quillstead-backup-once [--archive] FOLDER PROGRAM_FOLDER SOURCE...
// Copies every SOURCE into FOLDER as "<name> Backup.<ext>", appending to
// PROGRAM_FOLDER/history.txt and recording them in PROGRAM_FOLDER/catalog.sqlite;
// with --archive, packs them into FOLDER/Backup.zip with PROGRAM_FOLDER/7za instead. Each error message goes
// to stderr; the exit status is the number of messages (at most 100).
#include "engine/BackupRun.h"
#include "engine/CopyCatalog.h"
#include "platform/Dialogs.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

class PrintedDialogs : public Dialogs {
public:
    void showMessage(const QString&, const QString& text, MessageIcon) override
    {
        QTextStream(stderr) << text << "\n";
        ++messages;
    }
    QStringList openFiles(const QString&, const QString&) override { return {}; }
    QString browseForFolder(const QString&, const QString&) override { return {}; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    bool askYesNo(const QString&, const QString&) override { return false; } // nothing is replaced unasked
    int messages = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    const bool archive = arguments.size() > 1 && arguments.at(1) == QStringLiteral("--archive");
    if (archive)
        arguments.removeAt(1);
    if (arguments.size() < 4) {
        QTextStream(stderr) << "usage: quillstead-backup-once [--archive] FOLDER PROGRAM_FOLDER SOURCE...\n";
        return 100;
    }
    LocalFileSystem files;
    SystemClock clock;
    PrintedDialogs dialogs;
    CopyCatalog catalog(arguments.at(2) + QStringLiteral("/catalog.sqlite"));
    const StopRequest neverStopped;
    BackupRun run(RunServices { files, clock, dialogs, QLocale(QLocale::English, QLocale::UnitedStates),
        arguments.at(2), neverStopped, {}, &catalog });
    QString folder = arguments.at(1);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    run.run(RunRequest {
        RunOptions { archive, false, DestinationMode::FixedFolder, WriteMode::CreateNew, folder },
        arguments.mid(3), [](const QString&) {}, [](const QString&) {} });
    return std::min(dialogs.messages, 100);
}
