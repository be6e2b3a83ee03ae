#pragma once

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtTest>

// Root ignores permission bits. A test about them starts with
// RUN_AS_UNPRIVILEGED_USER(): run as root, the test function runs again in a
// child process as the user "nobody" and takes that run's verdict.
#define RUN_AS_UNPRIVILEGED_USER()                                                                           \
    if (runsAsRoot()) {                                                                                      \
        runTestFunctionAsNobody();                                                                           \
        return;                                                                                              \
    }

// True when the files this process makes belong to root.
inline bool runsAsRoot()
{
    QTemporaryFile probe;
    return probe.open() && QFileInfo(probe.fileName()).ownerId() == 0;
}

inline void runTestFunctionAsNobody()
{
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        function += u':' + QString::fromLatin1(QTest::currentDataTag());
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        QTest::qSkip("needs setpriv to run as an unprivileged user (root ignores permission bits)", __FILE__,
            __LINE__);
        return;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(setpriv,
        { QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
            QCoreApplication::applicationFilePath(), function });
    QVERIFY(child.waitForFinished(120000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
        "the run as an unprivileged user failed; its output is above");
}
