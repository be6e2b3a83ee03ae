#include "RunBench.h"
#include "engine/Archiver.h"
#include "engine/RunProgress.h"

#include <QtTest>

#include <algorithm>
#include <numeric>

Q_DECLARE_METATYPE(RunProgress)

namespace {

// What a run told of its progress, with the monotonic time of each report.
struct Told {
    QList<RunProgress> reports;
    QList<qint64> times;
};

RunRequest watched(RunBench& b, RunOptions options, const QStringList& entries, Told& told)
{
    RunRequest request = b.request(std::move(options), entries);
    request.progress = [&b, &told](const RunProgress& progress) {
        told.reports << progress;
        told.times << b.clock.monotonicMs();
    };
    return request;
}

// A stand-in for 7za that packs with the real one, then writes progress as
// the real one does: each line blanked out with backspaces before the next.
QByteArray progressScript(const QByteArray& end)
{
    return "\"$REAL\" \"$@\" >/dev/null || exit $?\n"
           "show() { printf '%s' \"$1\"; sleep 0.3; n=${#1}; i=0\n"
           "  while [ $i -lt $n ]; do printf '\\b'; i=$((i+1)); done\n"
           "  printf '%*s' $n ''; i=0; while [ $i -lt $n ]; do printf '\\b'; i=$((i+1)); done; }\n"
           "show '  5% 1 + a.txt'; show ' 42% 1 + 99% done.txt'; show '100% 2 + b.txt'\n"
        + end + "\n";
}

// The percentages seen, for a failure's message.
QString percentsText(const QList<int>& percents)
{
    QStringList texts;
    for (const int percent : percents)
        texts << QString::number(percent);
    return texts.join(u' ');
}

} // namespace

class TestRunProgress : public QObject {
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("run");
        QTest::addColumn<RunProgress>("progress");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Backup Now under way") << "Backing up files..." << RunProgress { 120, 2000, 37, 100 }
                                              << "Backing up files... 120 of 2000"
                                              << "Backing up files... 120 of 2000 (37%)";
        QTest::newRow("an automatic run, just begun")
            << "Backup is running in background..." << RunProgress { 0, 3, 0, 4096 }
            << "Backup is running in background... 0 of 3"
            << "Backup is running in background... 0 of 3 (0%)";
        QTest::newRow("100% only when every byte is done")
            << "Backing up files..." << RunProgress { 1999, 2000, 999999, 1000000 }
            << "Backing up files... 1999 of 2000"
            << "Backing up files... 1999 of 2000 (99%)";
        QTest::newRow("bytes beyond 32 bits")
            << "Backing up files..." << RunProgress { 1, 2, qint64(3) << 40, qint64(4) << 40 }
            << "Backing up files... 1 of 2"
            << "Backing up files... 1 of 2 (75%)";
        QTest::newRow("empty files go by their count")
            << "Backing up files..." << RunProgress { 1, 4, 0, 0 } << "Backing up files... 1 of 4"
            << "Backing up files... 1 of 4 (25%)";
        QTest::newRow("packing") << "Backing up files..." << RunProgress { 5, 5, 10, 10, 42 }
                                 << "Backing up files... packing 42%"
                                 << "Backing up files... packing 42%";
    }
    void texts()
    {
        QFETCH(QString, run);
        QFETCH(RunProgress, progress);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        QCOMPARE(progressCaption(run, progress), caption);
        QCOMPARE(progressTip(run, progress), tip);
    }

    // Only a percentage that begins a progress line counts, never one in a
    // file's name or in a warning.
    void packedPercent_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("percent"); // -1: none
        QTest::newRow("lines blanked out")
            << QByteArray("  0%\b\b\b\b    \b\b\b\b 42% 13 + a.txt") << 0 << 42;
        QTest::newRow("a name with a percentage")
            << QByteArray("\b\b 42% 13 + 99%.txt\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b") << 0 << 42;
        QTest::newRow("blank and digits in a name") << QByteArray(" 42% 13 + 7% off.txt") << 0 << 42;
        QTest::newRow("at the very start") << QByteArray("100% 3 + c.txt") << 0 << 100;
        QTest::newRow("carriage returns") << QByteArray("\r 10%\r 20% 2 + d") << 0 << 20;
        QTest::newRow("only what is new") << QByteArray("  7%\b\b\b\b    \b\b\b\b 63% 2 + b") << 12 << 63;
        QTest::newRow("nothing new") << QByteArray("  7% 1 + a\b\b\b\b\b\b\b\b\b\bERROR: x") << 5 << -1;
        QTest::newRow("a warning") << QByteArray("\nWARNING: disk 50% full\n") << 0 << -1;
        QTest::newRow("no more than 100") << QByteArray("\b512% x") << 0 << -1;
        QTest::newRow("nothing written") << QByteArray() << 0 << -1;
    }
    void packedPercent()
    {
        QFETCH(QByteArray, output);
        QFETCH(int, from);
        QFETCH(int, percent);
        QCOMPARE(::packedPercent(output, from).value_or(-1), percent);
    }

    // The messages of a run that shows its progress are those of one that does not.
    void archiverLinesLeaveTheProgressOut()
    {
        RunBench b;
        b.addArchiver();
        QStringList entries;
        for (int i = 0; i < 30; ++i)
            entries << b.source(QStringLiteral("f%1.bin").arg(i), QByteArray(200000, char('a' + i % 26)));
        write(
            b.prog("list.txt"), (entries.join('\n') + "\n" + b.root.filePath("missing.bin") + "\n").toUtf8());
        ProgramCall call = archiverCall(b.prog(), b.dest("with.zip"), b.prog("list.txt"));
        QVERIFY(call.arguments.contains("-bsp1"));
        const RunResult withProgress = runAndWait(call);
        call.arguments.replace(call.arguments.indexOf("-bsp1"), "-bsp0");
        call.arguments.replace(call.arguments.indexOf(b.dest("with.zip")), b.dest("without.zip"));
        const RunResult without = runAndWait(call);
        QCOMPARE(withProgress.result, 1);
        QVERIFY2(withProgress.output.contains('\b'), qPrintable(withProgress.output));
        QVERIFY(archiverLines(without.output).contains("missing.bin"));
        QCOMPARE(archiverLines(withProgress.output), archiverLines(without.output));
    }

    // Over real files: the start, then at most one report per 250 ms of the
    // monotonic clock; the bytes done are those of the files taken, a
    // missing file taken as an empty one.
    void reportsArePaced_data()
    {
        QTest::addColumn<bool>("archive");
        QTest::addColumn<int>("step"); // ms the clock moves at each reading
        for (const bool archive : { false, true }) {
            const char* mode = archive ? "archive" : "per file";
            QTest::addRow("%s, the clock stands", mode) << archive << 0;
            QTest::addRow("%s, 100 ms a reading", mode) << archive << 100;
            QTest::addRow("%s, 300 ms a reading", mode) << archive << 300;
        }
    }
    void reportsArePaced()
    {
        QFETCH(bool, archive);
        QFETCH(int, step);
        RunBench b;
        b.addArchiver();
        QStringList entries;
        QList<qint64> sizes;
        for (int i = 0; i < 8; ++i) {
            const qint64 size = i == 5 ? 0 : 1000 * (i + 1);
            entries << (i == 5 ? b.root.filePath("gone.txt")
                               : b.source(QStringLiteral("f%1.txt").arg(i), QByteArray(size, 'x')));
            sizes << size;
        }
        b.clock.setMonotonicStep(step);
        RunOptions options = b.options(archive);
        options.noteFailures = true;
        Told told;
        QVERIFY(b.run.run(watched(b, options, entries, told)));
        QCOMPARE(b.told, QList<int> { 1 });

        QVERIFY(!told.reports.isEmpty());
        QCOMPARE(told.reports.front().filesDone, 0);
        QCOMPARE(told.reports.front().bytesTotal, 36000 - 6000);
        for (qsizetype i = 1; i < told.times.size(); ++i)
            QVERIFY2(told.times[i] - told.times[i - 1] >= 250, qPrintable(QString::number(i)));
        QList<qsizetype> counted;
        std::optional<int> lastPacked;
        for (const RunProgress& report : std::as_const(told.reports)) {
            QCOMPARE(report.filesTotal, 8);
            QCOMPARE(report.bytesDone,
                std::accumulate(sizes.begin(), sizes.begin() + report.filesDone, qint64(0)));
            if (report.packingPercent) {
                QVERIFY(archive);
                QCOMPARE(report.filesDone, 8);
                QVERIFY(*report.packingPercent >= lastPacked.value_or(0) && *report.packingPercent <= 100);
                lastPacked = report.packingPercent;
            } else {
                QVERIFY(!lastPacked);
                counted << report.filesDone;
            }
        }
        if (step == 0)
            QCOMPARE(told.reports.size(), 1);
        if (step >= 250) {
            QCOMPARE(counted, (QList<qsizetype> { 0, 1, 2, 3, 4, 5, 6, 7, 8 }));
            QCOMPARE(lastPacked.has_value(), archive);
        }
    }

    // What came too soon is told with the next call once due, and nothing
    // is told twice.
    void toldOnceDue()
    {
        RunBench b;
        const QStringList entries { b.source("a.txt", QByteArray(10, 'a')),
            b.source("b.txt", QByteArray(30, 'b')) };
        QList<RunProgress> told;
        ProgressPacer pacer(
            [&told](const RunProgress& progress) { told << progress; }, b.clock, b.files, entries);
        QCOMPARE(told.size(), 1);
        b.clock.advanceMonotonic(100);
        pacer.entriesDone(1);
        QCOMPARE(told.size(), 1);
        b.clock.advanceMonotonic(150);
        pacer.packing(0);
        QCOMPARE(told.size(), 2);
        QCOMPARE(told.back().filesDone, 1);
        QCOMPARE(told.back().bytesDone, 10);
        QCOMPARE(told.back().packingPercent, 0);
        b.clock.advanceMonotonic(1000);
        pacer.packing(0);
        pacer.entriesDone(1);
        QCOMPARE(told.size(), 2);
        pacer.packing(42);
        QCOMPARE(told.size(), 3);
        b.clock.advanceMonotonic(249);
        pacer.packing(43);
        QCOMPARE(told.size(), 3);
        b.clock.advanceMonotonic(1);
        pacer.packing(43);
        QCOMPARE(told.size(), 4);
        QCOMPARE(told.back().packingPercent, 43);
    }

    // While 7za packs, its own percentages; its messages stay as they were.
    void packingWithTheArchiversProgress_data()
    {
        QTest::addColumn<QByteArray>("end"); // how the stand-in ends
        QTest::addColumn<QString>("message"); // how the box begins; "" for none
        QTest::newRow("packed") << QByteArray("exit 0") << "";
        QTest::newRow("failed")
            << QByteArray("echo 'ERROR: cannot write the archive' >&2\nexit 2")
            << "The archiver failed with exit code 2:\r\nERROR: cannot write the archive\r\n"
               "No archive was made; \"Backup.zip\" was left as it was.\r\nCommand: ";
    }
    void packingWithTheArchiversProgress()
    {
        QFETCH(QByteArray, end);
        QFETCH(QString, message);
        RunBench b;
        b.addArchiver();
        b.archiverScript(progressScript(end));
        b.clock.setMonotonicStep(300);
        Told told;
        QVERIFY(b.run.run(watched(b, b.options(true), { b.source("a.txt"), b.source("b.txt") }, told)));
        QCOMPARE(b.dialogs.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(b.dialogs.messages.front().text.startsWith(message),
                qPrintable(b.dialogs.messages.front().text));
        QList<int> packed;
        for (const RunProgress& report : std::as_const(told.reports)) {
            if (report.packingPercent && (packed.isEmpty() || packed.back() != *report.packingPercent))
                packed << *report.packingPercent;
        }
        QVERIFY2(packed.size() >= 2 && packed.front() == 0, qPrintable(percentsText(packed)));
        for (const int percent : std::as_const(packed))
            QVERIFY2(QList<int>({ 0, 5, 42, 100 }).contains(percent), qPrintable(percentsText(packed)));
        QVERIFY(std::is_sorted(packed.begin(), packed.end()));
    }
};

QTEST_GUILESS_MAIN(TestRunProgress)
#include "tst_runprogress.moc"
