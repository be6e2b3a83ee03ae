#include "support/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramFolder : public QObject {
    Q_OBJECT
private slots:
    void buildFolderKeepsEverythingBesideTheProgram()
    {
        QTemporaryDir root;
        QDir().mkpath(root.filePath("build/bin"));
        const ProgramFolders folders
            = resolveProgramFolders(root.filePath("build/bin"), root.filePath("data"));
        QCOMPARE(folders.writable, root.filePath("build/bin"));
        QCOMPARE(folders.lookup, QStringList { root.filePath("build/bin") });
    }

    // Installed, nothing is written below the prefix; what is only read is
    // found in the user's folder first, then in the package's.
    void installedProgramWritesToTheUsersDataFolder()
    {
        QTemporaryDir root;
        const QString package = root.filePath("usr/lib/quillstead");
        QDir().mkpath(root.filePath("usr/bin"));
        QDir().mkpath(package);
        const QString user = root.filePath("data/Brookmere/Quillstead");
        const ProgramFolders folders = resolveProgramFolders(root.filePath("usr/bin"), root.filePath("data"));
        QCOMPARE(folders.writable, user);
        QCOMPARE(folders.lookup, (QStringList { user, package }));

        QCOMPARE(companionFolder(folders, "7za"), user); // found nowhere: the first folder
        QFile(package + "/7za").open(QIODevice::WriteOnly);
        QCOMPARE(companionFolder(folders, "7za"), package);
        QDir().mkpath(user);
        QFile(user + "/7za").open(QIODevice::WriteOnly);
        QCOMPARE(companionFolder(folders, "7za"), user);
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
