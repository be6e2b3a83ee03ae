#include "platform/ProcessLauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The opener is looked up on PATH; a stand-in script in a temporary folder
// shows exactly what the real one would receive.
class TestProcessLauncher : public QObject {
    Q_OBJECT
private slots:
    void targetArrivesAsOneArgument()
    {
        QTemporaryDir bin;
        const QString received = bin.filePath("received");
        QFile script(bin.filePath("xdg-open"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"" + received.toUtf8() + "\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));

        const QString target = QStringLiteral("/data/My \"Backups\" $(rm -rf ~); 'é'/");
        ProcessLauncher launcher;
        const LaunchResult result = launcher.openWithDefaultProgram(target);
        qputenv("PATH", path);
        QVERIFY(result);
        const auto content = [&] {
            QFile got(received);
            return got.open(QIODevice::ReadOnly) ? QString::fromUtf8(got.readAll()) : QString();
        };
        QTRY_COMPARE(content(), "1|" + target + "|");
    }

    void missingOpenerIsReportedWithTheCommand()
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        ProcessLauncher launcher;
        const LaunchResult result = launcher.openWithDefaultProgram("/data/backups/");
        qputenv("PATH", path);
        QVERIFY(!result);
        QVERIFY2(result.description.startsWith("Cannot start \"xdg-open /data/backups/\": "),
            qPrintable(result.description));
        QVERIFY(result.description.size() > QString("Cannot start \"xdg-open /data/backups/\": ").size());
    }
};

QTEST_GUILESS_MAIN(TestProcessLauncher)
#include "tst_processlauncher.moc"
