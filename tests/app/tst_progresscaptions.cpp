#include "ProgramFixture.h"
#include "RunBench.h"
#include "TestFiles.h"
#include "app/MainWindowLayout.h"
#include "schedule/AutoBackupSchedule.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

namespace {

constexpr int FileCount = 12;

// The window over a set of files backed up into one folder, with a clock
// that moves 100 ms at each reading, so that a run lasts long enough on it
// to tell its progress more than once.
struct Program : ProgramFixture {
    QStringList titles; // the status captions, as the window's events saw them
    QTimer sampler;

    // missing: the set ends with a file that is not there.
    explicit Program(bool archive = false, bool missing = false)
    {
        QStringList set;
        for (int i = 0; i < FileCount; ++i)
            set << file(QStringLiteral("f%1.txt").arg(i), QByteArray(1000 * (i + 1), 'x'));
        if (missing)
            set << root.filePath("docs/gone.txt");
        QDir().mkpath(root.filePath("dest"));
        store("Files", set.join(u';') + u';');
        store("WhereOption", "1");
        store("Path", root.filePath("dest") + "/");
        store("BackupSwitch", "On");
        store("OftenIndex", "1");
        if (archive) {
            store("Check1", "1"); // archive mode
            QDir().mkpath(folder + "/temp");
            // 7za as the real one, then its progress as the real one writes it.
            write(folder + "/7za",
                "#!/bin/sh\n'" + realArchiver().toUtf8()
                    + "' \"$@\" >/dev/null || exit $?\n"
                      "for p in '  5% 3 + f2.txt' ' 42% 6 + f5.txt' ' 93% 11 + f10.txt'; do\n"
                      "  printf '%s\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b\\b' \"$p\"; sleep "
                      "0.3\ndone\n",
                QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        clock.setMonotonicStep(100);
        sampler.setInterval(0);
        QObject::connect(&sampler, &QTimer::timeout, [this] {
            const QString title = form().statusFrame->title();
            if (titles.isEmpty() || titles.back() != title)
                titles << title;
        });
    }
    MainWindowLayout& startStill()
    {
        start();
        // The schedule ticks only when the test says so.
        form().countdownTimer->stop();
        return form();
    }
    // The captions from the first of the run on.
    QStringList runTitles(const QString& runCaption) const
    {
        for (qsizetype i = 0; i < titles.size(); ++i) {
            if (titles[i].startsWith(runCaption))
                return titles.mid(i);
        }
        return {};
    }
};

} // namespace

class TestProgressCaptions : public QObject {
    Q_OBJECT

private slots:
    // The run's own caption, then how far it has got, never going back,
    // then the captions after the run as they always were.
    void captionsDuringARun_data()
    {
        QTest::addColumn<QString>("run");
        QTest::addColumn<bool>("archive");
        QTest::addColumn<QString>("after"); // the caption the run leaves at last; "": the one before
        QTest::newRow("Backup Now") << "Backing up files..." << false << "";
        QTest::newRow("Backup Now, an archive") << "Backing up files..." << true << "";
        QTest::newRow("the schedule's run")
            << "Backup is running in background..." << false << "Next backup will occur in 00:04:59";
    }
    void captionsDuringARun()
    {
        QFETCH(QString, run);
        QFETCH(bool, archive);
        QFETCH(QString, after);
        if (archive && !QFileInfo(realArchiver()).isExecutable())
            QSKIP("no 7za beside the tests: install p7zip-full (scripts/setup.sh) and rebuild");
        Program p(archive);
        MainWindowLayout& form = p.startStill();
        if (after.isEmpty())
            after = form.statusFrame->title();
        p.sampler.start();
        if (run == "Backing up files...") {
            QTest::mouseClick(form.backupNowButton, Qt::LeftButton);
        } else {
            for (int tick = 0; tick <= 300; ++tick)
                p.window->schedule().tick();
        }
        QCoreApplication::processEvents();
        p.sampler.stop();
        QVERIFY(p.dialogs.messages.isEmpty());
        const QStringList titles = p.runTitles(run);
        QVERIFY2(titles.size() >= 4, qPrintable(p.titles.join('|')));

        static const QRegularExpression count("^ (\\d+) of 12$");
        static const QRegularExpression packing("^ packing (\\d+)%$");
        int counted = -1;
        int packed = -1;
        QStringList seen;
        qsizetype i = 0;
        for (; i < titles.size() && titles[i].startsWith(run); ++i) {
            const QString howFar = titles[i].mid(run.size());
            if (howFar.isEmpty())
                continue;
            seen << howFar;
            if (const QRegularExpressionMatch m = count.match(howFar); m.hasMatch()) {
                QVERIFY2(packed < 0 && m.captured(1).toInt() >= counted, qPrintable(seen.join('|')));
                counted = m.captured(1).toInt();
            } else {
                const QRegularExpressionMatch pm = packing.match(howFar);
                QVERIFY2(pm.hasMatch() && pm.captured(1).toInt() >= packed, qPrintable(seen.join('|')));
                packed = pm.captured(1).toInt();
            }
        }
        QVERIFY2(seen.size() >= 2, qPrintable(titles.join('|')));
        QVERIFY2(archive ? packed > 0 : counted > 0, qPrintable(seen.join('|')));
        QCOMPARE(titles.mid(i), (QStringList { runCompleted, after }));
    }

    // The tray says how far the run has got, then what it said before it,
    // unless the run leaves a warning of its own.
    void trayTipDuringARun_data()
    {
        QTest::addColumn<QString>("before"); // "warning": a run with failures noted came first
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QString>("tip");
        const QString warning
            = "Quillstead: 1 file could not be backed up in the last run, at 12/6/2026 9:05:03 PM.";
        QTest::newRow("a run without failures") << "" << false << "Quillstead";
        QTest::newRow("a run with failures noted") << "" << true << warning;
        QTest::newRow("the warning of an earlier run stays") << "warning" << false << warning;
    }
    void trayTipDuringARun()
    {
        QFETCH(QString, before);
        QFETCH(bool, failing);
        QFETCH(QString, tip);
        Program p(false, failing || !before.isEmpty());
        p.store("On Failure", "1");
        p.startStill();
        if (!before.isEmpty())
            QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Automatic));
        p.tray.calls.clear();
        // Backup Now shows its failures in boxes: the warning of an earlier
        // run is neither taken away nor made again.
        const auto kind = before.isEmpty() ? BackupTrigger::Kind::Automatic : BackupTrigger::Kind::Test;
        QVERIFY(p.window->backupTrigger().runBackup(kind));

        const QString run = before.isEmpty() ? "Backup is running in background..." : "Backing up files...";
        static const QRegularExpression going("^tip:(.*) (\\d+) of (\\d+) \\((\\d+)%\\)$");
        int lastPercent = -1;
        int shown = 0;
        for (const QString& call : std::as_const(p.tray.calls)) {
            const QRegularExpressionMatch m = going.match(call);
            if (!m.hasMatch())
                continue;
            ++shown;
            QCOMPARE(m.captured(1), run);
            QCOMPARE(m.captured(3).toInt(), p.window->backupSet().entries().size());
            QVERIFY(m.captured(4).toInt() >= lastPercent && m.captured(4).toInt() <= 100);
            lastPercent = m.captured(4).toInt();
        }
        QVERIFY2(shown >= 1, qPrintable(p.tray.calls.join('|')));
        QVERIFY(!going.match(p.tray.calls.back()).hasMatch());
        QCOMPARE(p.tray.toolTip, tip);
    }
};

QTEST_MAIN(TestProgressCaptions)
#include "tst_progresscaptions.moc"
