#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "desktop/AutostartEntry.h"
#include "desktop/LoginStart.h"
#include "platform/LocalFileSystem.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString execLine(const QByteArray& entry)
{
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    }
    return {};
}

// What a desktop runs for an Exec line: the string escapes undone first, then
// "%%", then the quoting, which follows the shell's double-quote rules.
QString commandOf(const QString& exec)
{
    QString unescaped;
    for (int i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) {
            const QChar next = exec[++i];
            unescaped += next == u'n' ? QChar(u'\n')
                : next == u't'        ? QChar(u'\t')
                : next == u'r'        ? QChar(u'\r')
                : next == u's'        ? QChar(u' ')
                                      : next;
        } else {
            unescaped += exec[i];
        }
    }
    unescaped.replace(QStringLiteral("%%"), QStringLiteral("%"));
    QProcess shell;
    shell.start(
        QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("printf '%s' ") + unescaped });
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAllStandardOutput());
}

struct Place {
    QTemporaryDir root;
    LocalFileSystem files;
    ScriptedDialogs dialogs;
    QString autostart = root.filePath("config/autostart");
    LoginStartPlace place(const QString& executable) { return { files, autostart, executable }; }
};

} // namespace

class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void execLineStartsTheProgramItself_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::newRow("plain") << "/opt/quill/quillstead";
        QTest::newRow("blanks") << "/home/a b/my  programs/quillstead";
        QTest::newRow("quotes") << "/home/\"q\"/it's/quillstead";
        QTest::newRow("percent") << "/srv/100%/%f%%/quillstead";
        QTest::newRow("backslash") << "/srv/back\\slash\\\\/quillstead";
        QTest::newRow("shell characters") << "/srv/$HOME/`id`/a;b|c&d*?~#()<>/quillstead";
        QTest::newRow("non-ASCII") << QString::fromUtf8("/home/zoë/Ünïcode/quillstead");
    }
    void execLineStartsTheProgramItself()
    {
        QFETCH(QString, executable);
        Place p;
        enableLoginStart(p.place(executable), p.dialogs);
        QVERIFY(p.dialogs.messages.isEmpty());
        const QByteArray entry = readAll(p.autostart + "/quillstead.desktop");
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nType=Application\n"));
        QVERIFY(entry.contains("\nName=Quillstead\n"));
        QCOMPARE(commandOf(execLine(entry)), executable);
        // Only the entry itself is left: no working file.
        QCOMPARE(
            QDir(p.autostart).entryList(QDir::Files | QDir::Hidden), QStringList { "quillstead.desktop" });
    }

    void entryPassesTheDesktopValidator()
    {
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
        Place p;
        enableLoginStart(p.place("/home/a b/100% \"odd\" $dir\\x/quillstead"), p.dialogs);
        QProcess check;
        check.start(validator, { p.autostart + "/quillstead.desktop" });
        QVERIFY(check.waitForFinished());
        const QByteArray said = check.readAllStandardOutput() + check.readAllStandardError();
        QVERIFY2(check.exitCode() == 0 && !said.contains("error"), said.constData());
    }

    void clearingRemovesOnlyThatEntry()
    {
        Place p;
        QDir().mkpath(p.autostart);
        for (const char* other : { "7za.desktop", "other.desktop" }) {
            QFile f(p.autostart + "/" + other);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        enableLoginStart(p.place("/opt/q/quillstead"), p.dialogs);
        enableLoginStart(p.place("/opt/q/quillstead"), p.dialogs); // replaced, not doubled
        disableLoginStart(p.place("/opt/q/quillstead"), p.dialogs);
        QCOMPARE(QDir(p.autostart).entryList(QDir::Files | QDir::Hidden),
            (QStringList { "7za.desktop", "other.desktop" }));
        disableLoginStart(p.place("/opt/q/quillstead"), p.dialogs); // nothing left to remove: no complaint
        QVERIFY(p.dialogs.messages.isEmpty());
    }

    void failuresAreToldOnce()
    {
        Place p;
        // A file where the autostart folder belongs: nothing can be written.
        QDir().mkpath(p.root.filePath("config"));
        QFile blocker(p.autostart);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        enableLoginStart(p.place("/opt/q/quillstead"), p.dialogs);
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.dialogs.messages[0].caption, QStringLiteral("Quillstead"));
        QVERIFY2(p.dialogs.messages[0].text.contains(p.autostart), qPrintable(p.dialogs.messages[0].text));

        // An entry that cannot be deleted (a folder in its place).
        Place q;
        QDir().mkpath(q.autostart + "/quillstead.desktop/inside");
        disableLoginStart(q.place("/opt/q/quillstead"), q.dialogs);
        QCOMPARE(q.dialogs.messages.size(), 1);
        QVERIFY2(q.dialogs.messages[0].text.contains(q.autostart + "/quillstead.desktop"),
            qPrintable(q.dialogs.messages[0].text));
        QVERIFY(QFileInfo::exists(q.autostart + "/quillstead.desktop/inside"));
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_loginstart.moc"
