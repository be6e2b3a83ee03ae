#include "engine/DatedCopies.h"

#include <QtTest>

// Only a name the program would make for that very source is a dated copy;
// names built to look like one are not.
class TestDatedCopies : public QObject {
    Q_OBJECT

private slots:
    void whatCountsAsADatedCopy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QDateTime>("stamp"); // invalid: not a dated copy
        const QString doc = "report.doc";
        const QDateTime none;
        const QDate day(2026, 12, 6);
        QTest::newRow("date and time") << "report.doc Date Dec 6 2026 Time 09 05 03 PM.doc" << doc << "doc"
                                       << QDateTime(day, QTime(21, 5, 3));
        QTest::newRow("midnight") << "report.doc Date Dec 6 2026 Time 12 00 00 AM.doc" << doc << "doc"
                                  << QDateTime(day, QTime(0, 0));
        QTest::newRow("noon") << "report.doc Date Dec 6 2026 Time 12 00 00 PM.doc" << doc << "doc"
                              << QDateTime(day, QTime(12, 0));
        QTest::newRow("daily") << "report.doc Dec 6 2026.doc" << doc << "doc" << QDateTime(day, QTime(0, 0));
        QTest::newRow("no extension") << "Makefile Dec 6 2026"
                                      << "Makefile"
                                      << "" << QDateTime(day, QTime(0, 0));
        QTest::newRow("the plain copy") << "report.doc Backup.doc" << doc << "doc" << none;
        QTest::newRow("another base sharing the prefix")
            << "report.docx Dec 6 2026.docx" << doc << "doc" << none;
        QTest::newRow("another extension") << "report.doc Dec 6 2026.docx" << doc << "doc" << none;
        QTest::newRow("an extension added") << "report.doc Dec 6 2026.doc.bak" << doc << "doc" << none;
        QTest::newRow("extension where none") << "Makefile Dec 6 2026.bak"
                                              << "Makefile"
                                              << "" << none;
        QTest::newRow("stamp-like text of the user")
            << "report.doc my notes Dec 6 2026.doc" << doc << "doc" << none;
        QTest::newRow("a zero the stamp never writes")
            << "report.doc Dec 06 2026.doc" << doc << "doc" << none;
        QTest::newRow("no such day") << "report.doc Feb 30 2026.doc" << doc << "doc" << none;
        QTest::newRow("no such hour")
            << "report.doc Date Dec 6 2026 Time 13 05 03 PM.doc" << doc << "doc" << none;
        QTest::newRow("time without date") << "report.doc Date Time 09 05 03 PM.doc" << doc << "doc" << none;
        QTest::newRow("a word after the stamp") << "report.doc Dec 6 2026 old.doc" << doc << "doc" << none;
        QTest::newRow("no stamp at all") << "report.doc .doc" << doc << "doc" << none;
        QTest::newRow("the source itself") << "report.doc" << doc << "doc" << none;
    }
    void whatCountsAsADatedCopy()
    {
        QFETCH(QString, name);
        QFETCH(QString, base);
        QFETCH(QString, extension);
        QFETCH(QDateTime, stamp);
        const std::optional<QDateTime> read
            = datedCopyStamp(name, base, extension, QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(read.value_or(QDateTime()), stamp);
    }

    // The stamp reads back under the locale that made it, and only that one.
    void stampsOfAnotherLocale()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(datedCopyStamp("a.txt Dez 6 2026.txt", "a.txt", "txt", german),
            QDateTime(QDate(2026, 12, 6), QTime(0, 0)));
        QVERIFY(!datedCopyStamp("a.txt Dez 6 2026.txt", "a.txt", "txt", english));
    }
};

QTEST_GUILESS_MAIN(TestDatedCopies)
#include "tst_datedcopies.moc"
