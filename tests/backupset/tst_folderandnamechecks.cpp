#include "backupset/HasBadCharacters.h"
#include "platform/LocalFileSystem.h"
#include "support/DialogHelpers.h"

#include "ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class FolderAndNameChecksTest : public QObject {
    Q_OBJECT
private slots:
    void badCharacters()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QString::fromUtf8("ünï €.txt"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.setPermissions(QFileDevice::ReadOwner);
        LocalFileSystem files;
        QVERIFY(!hasBadCharacters(files, file));
        QVERIFY(!hasBadCharacters(files, dir.path())); // a folder is a good name too
        QVERIFY(hasBadCharacters(files, dir.filePath("missing.txt")));
        QVERIFY(hasBadCharacters(files, dir.path() + "/bad" + QChar(0xD800) + ".txt"));
    }

    void browseForFolderPassesResultThrough()
    {
        ScriptedDialogs dialogs;
        dialogs.answers
            = QStringList { "/data/Backups", "", QStringLiteral("/data") + QChar(u'\0') + "junk" };
        QCOMPARE(browseForFolder(dialogs, "Please select folder to add:"), QString("/data/Backups"));
        QCOMPARE(browseForFolder(dialogs, "t"), QString(""));
        QCOMPARE(browseForFolder(dialogs, "t"), QString("/data"));
        QCOMPARE(dialogs.requests.at(0).title, QString("Please select folder to add:"));
    }
};

QTEST_GUILESS_MAIN(FolderAndNameChecksTest)
#include "tst_folderandnamechecks.moc"
