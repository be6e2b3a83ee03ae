#include "FakeClock.h"
#include "engine/BackupNaming.h"
#include "engine/DateText.h"
#include "engine/FixedFolder.h"
#include "engine/PathPieces.h"

#include <QtTest>

namespace {
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QDateTime evening(QDate(2026, 12, 6), QTime(21, 5, 3));
} // namespace

class TestNaming : public QObject {
    Q_OBJECT

private slots:
    void pathPieces_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("folder");
        QTest::newRow("several dots") << "/home/ann/notes.2026.txt"
                                      << "notes.2026.txt"
                                      << "txt"
                                      << "/home/ann/";
        QTest::newRow("no dot, dotted folder") << "/home/ann/v1.2/Makefile"
                                               << "Makefile"
                                               << ""
                                               << "/home/ann/v1.2/";
        QTest::newRow("no separator") << "report.doc"
                                      << "report.doc"
                                      << "doc"
                                      << "";
        QTest::newRow("root file") << "/a.txt"
                                   << "a.txt"
                                   << "txt"
                                   << "/";
    }
    void pathPieces()
    {
        QFETCH(QString, path);
        QFETCH(QString, fileName);
        QFETCH(QString, extension);
        QFETCH(QString, folder);
        QCOMPARE(fileNameOf(path), fileName);
        QCOMPARE(extensionOf(path), extension);
        QCOMPARE(sourceFolderOf(path), folder);
    }

    void generalDateText_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("text");
        QTest::newRow("evening") << evening << "12/6/2026 9:05:03 PM";
        QTest::newRow("midnight has no time") << QDateTime(QDate(2026, 1, 2), QTime(0, 0, 0)) << "1/2/2026";
        QTest::newRow("a second past midnight")
            << QDateTime(QDate(2026, 1, 2), QTime(0, 0, 1)) << "1/2/2026 12:00:01 AM";
        QTest::newRow("noon") << QDateTime(QDate(2026, 7, 14), QTime(12, 0, 0)) << "7/14/2026 12:00:00 PM";
    }
    void generalDateText()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, text);
        QCOMPARE(::generalDateText(when, english), text);
    }

    void cLocaleWritesUnitedStatesEnglish()
    {
        if (QLocale::system().language() != QLocale::C)
            QSKIP("needs the C locale, as the test runner sets it");
        QCOMPARE(programLocale().name(), QStringLiteral("en_US"));
        QCOMPARE(::generalDateText(evening, programLocale()), QStringLiteral("12/6/2026 9:05:03 PM"));
    }

    void otherLocalesKeepFourDigitYearAndNoZone()
    {
        const QString german = ::generalDateText(evening, QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(german, QStringLiteral("06.12.2026 21:05:03"));
        QCOMPARE(stampDate(evening.date(), QLocale(QLocale::German, QLocale::Germany)),
            QStringLiteral("Dez 6 2026"));
        QCOMPARE(stampDate(evening.date(), QLocale(QLocale::French, QLocale::France)),
            QStringLiteral("déc 6 2026"));
        const QLocale spanish(QLocale::Spanish, QLocale::Spain);
        QCOMPARE(::generalDateText(evening, spanish), QStringLiteral("6/12/2026 21:05:03"));
        QCOMPARE(stampTime(evening.time(), spanish), QStringLiteral("09 05 03 p m"));
    }

    // Over every locale Qt knows: stamps hold only letters, digits and single
    // blanks; the date and time text has no time zone nor what framed it, and
    // reads back to the same minute wherever Qt can parse the locale's format.
    void everyLocaleGivesCleanTexts()
    {
        static const QRegularExpression stampShape(
            QStringLiteral("^[\\p{L}\\p{M}\\p{N}]+( [\\p{L}\\p{M}\\p{N}]+)*$"));
        static const QRegularExpression zoneLeftovers(QStringLiteral("\\(\\s*\\)|\\[\\s*\\]|UTC|,$|\\s$"));
        const QDateTime when(evening.date(), evening.time(), Qt::UTC);
        const auto locales
            = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        int readBack = 0;
        for (const QLocale& locale : locales) {
            QStringList stamps { stampTime(QTime(9, 5, 3), locale), stampTime(QTime(21, 5, 3), locale) };
            for (int month = 1; month <= 12; ++month)
                stamps << stampDate(QDate(2026, month, 6), locale);
            for (const QString& stamp : stamps)
                QVERIFY2(stampShape.match(stamp).hasMatch(),
                    qPrintable(locale.name() + QStringLiteral(": ") + stamp));

            const QString text = ::generalDateText(when, locale);
            QVERIFY2(!text.contains(zoneLeftovers), qPrintable(locale.name() + QStringLiteral(": ") + text));
            const QDateTime back = locale.toDateTime(text, generalDateFormat(locale));
            if (!back.isValid())
                continue;
            ++readBack;
            QVERIFY2(back.date() == when.date() && back.time().hour() == 21 && back.time().minute() == 5,
                qPrintable(locale.name() + QStringLiteral(": ") + text));
        }
        QVERIFY2(readBack > locales.size() * 9 / 10, qPrintable(QString::number(readBack)));
    }

    void stamps_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("evening") << QTime(21, 5, 3) << "09 05 03 PM";
        QTest::newRow("after midnight") << QTime(0, 15, 20) << "12 15 20 AM";
        QTest::newRow("after noon") << QTime(12, 15, 20) << "12 15 20 PM";
        QTest::newRow("before noon") << QTime(11, 59, 59) << "11 59 59 AM";
    }
    void stamps()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QCOMPARE(stampTime(time, english), text);
        QCOMPARE(stampDate(QDate(2026, 12, 6), english), QStringLiteral("Dec 6 2026"));
    }

    void stampedNameShapes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("name");
        const int create = int(WriteMode::CreateNew), overwrite = int(WriteMode::Overwrite);
        QTest::newRow("create new") << create << "report.doc"
                                    << "doc"
                                    << "report.doc Date Dec 6 2026 Time 09 05 03 PM.doc";
        QTest::newRow("overwrite") << overwrite << "report.doc"
                                   << "doc"
                                   << "report.doc Dec 6 2026.doc";
        QTest::newRow("dotted base") << overwrite << "archive.tar.gz"
                                     << "gz"
                                     << "archive.tar.gz Dec 6 2026.gz";
        QTest::newRow("no extension, create") << create << "Makefile"
                                              << ""
                                              << "Makefile Date Dec 6 2026 Time 09 05 03 PM";
        QTest::newRow("no extension, overwrite") << overwrite << "Makefile"
                                                 << ""
                                                 << "Makefile Dec 6 2026";
        QTest::newRow("archive") << create << "Backup"
                                 << "zip"
                                 << "Backup Date Dec 6 2026 Time 09 05 03 PM.zip";
        QTest::newRow("no write mode") << int(WriteMode::None) << "report.doc"
                                       << "doc"
                                       << "";
    }
    void stampedNameShapes()
    {
        QFETCH(int, mode);
        QFETCH(QString, base);
        QFETCH(QString, extension);
        QFETCH(QString, name);
        FakeClock clock(evening);
        QCOMPARE(stampedName(base, extension, { WriteMode(mode), clock, english }), name);
        QCOMPARE(plainBackupName("Makefile", ""), QStringLiteral("Makefile Backup"));
        QCOMPARE(plainBackupName("report.doc", "doc"), QStringLiteral("report.doc Backup.doc"));
    }

    // The create-new stamp reads the clock twice; across midnight it joins
    // one day's date with the next day's time, and the name is still formed.
    void createNewReadsTheClockTwice()
    {
        FakeClock clock;
        clock.script({ QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)),
            QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)) });
        QCOMPARE(stampedName("a.txt", "txt", { WriteMode::CreateNew, clock, english }),
            QStringLiteral("a.txt Date Dec 6 2026 Time 12 00 00 AM.txt"));
        QCOMPARE(clock.readings(), 2);
    }

    void fixedFolderRepairsSeparatorOnce()
    {
        QStringList writtenBack;
        FixedFolder folder("/srv/new", [&](const QString& t) { writtenBack << t; });
        FakeClock clock(evening);
        const StampSettings stamp { WriteMode::Overwrite, clock, english };
        QCOMPARE(fixedFolderName("report.doc", "doc", folder, stamp),
            QStringLiteral("/srv/new/report.doc Dec 6 2026.doc"));
        QCOMPARE(
            fixedFolderName("b.txt", "txt", folder, stamp), QStringLiteral("/srv/new/b.txt Dec 6 2026.txt"));
        QCOMPARE(writtenBack, QStringList { "/srv/new/" });

        FixedFolder already("/srv/backup/", [&](const QString& t) { writtenBack << t; });
        QCOMPARE(already.text(), QStringLiteral("/srv/backup/"));
        QCOMPARE(writtenBack.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestNaming)
#include "tst_naming.moc"
