#include "FakeClock.h"
#include "desktop/Splash.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "support/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

struct Start {
    QTemporaryDir root;
    QString folder = root.filePath("prog");
    LocalFileSystem files;
    FakeClock clock;
    StopRequest stop;
    SettingsStore settings { root.filePath("q.ini") };
    Preferences preferences { settings };
    Splash splash { preferences };

    Start()
    {
        QDir().mkpath(folder);
        clock.setMonotonicStep(250);
    }
    void picture(const QString& name, QSize size)
    {
        QDir().mkpath(folder + "/Splash");
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(folder + "/Splash/" + name, "PNG"));
    }
    void file(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(folder + "/Splash");
        QFile f(folder + "/Splash/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Runs the splash; true when it was up while events ran.
    bool show()
    {
        bool seen = false;
        QTimer::singleShot(0, &splash, [&] { seen = splash.isVisible(); });
        splash.showAtStartUp(files, clock, stop, folder);
        QCoreApplication::processEvents();
        return seen;
    }
};

int px(int twips, int dpi)
{
    return twipsToPixels(twips, dpi);
}

} // namespace

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void shownFramedAndCentredForFourSeconds()
    {
        Start s;
        s.picture("logo.png", QSize(300, 120));
        QRect frame;
        QRect check;
        QRect screen;
        QTimer::singleShot(0, &s.splash, [&] {
            frame = s.splash.frameGeometry();
            check = s.splash.hideNextTimeCheck->geometry();
            screen = s.splash.screen()->geometry();
            // Ticking hides the splash at the next start, not this one.
            QTest::mouseClick(s.splash.hideNextTimeCheck, Qt::LeftButton, {},
                QPoint(5, s.splash.hideNextTimeCheck->height() / 2));
        });
        const qint64 before = s.clock.monotonicMs();
        s.splash.showAtStartUp(s.files, s.clock, s.stop, s.folder);
        const qint64 waited = s.clock.monotonicMs() - before;
        QVERIFY2(waited >= 4000 && waited <= 4500, qPrintable(QString::number(waited)));
        QVERIFY(!s.splash.isVisible());
        QCOMPARE(s.settings.value("ShowAgain", "<absent>"), QStringLiteral("1"));

        const int dpiX = s.splash.logicalDpiX();
        const int dpiY = s.splash.logicalDpiY();
        const int h = 120 + px(300, dpiY);
        QCOMPARE(frame.size(), QSize(300, h));
        QCOMPARE(frame.center(), screen.center());
        QCOMPARE(s.splash.picture->geometry(), QRect(0, 0, 300, h));
        QCOMPARE(check.left(), px(120, dpiX));
        QCOMPARE(check.height(), px(375, dpiY));
        QCOMPARE(check.bottom() + 1, h - px(20, dpiY));
        QCOMPARE(s.splash.rightEdge->x(), 300 - px(10, dpiX));
        QCOMPARE(s.splash.bottomEdge->y(), h - px(10, dpiY));
        QCOMPARE(s.splash.windowTitle(), QStringLiteral("Quillstead"));

        Start next; // the next start, with the stored choice
        next.picture("logo.png", QSize(300, 120));
        next.settings.setValue("ShowAgain", "1");
        QVERIFY(!next.show());
    }

    void whenTheSplashIsSkipped_data()
    {
        QTest::addColumn<QString>("showAgain"); // "<absent>": never stored
        QTest::addColumn<QStringList>("files"); // "name.png" a picture, other names hold text
        QTest::addColumn<bool>("shown");
        const QStringList picture { "a.png" };
        QTest::newRow("absent") << "<absent>" << picture << true;
        QTest::newRow("0") << "0" << picture << true;
        QTest::newRow("1") << "1" << picture << false;
        QTest::newRow("2") << "2" << picture << false;
        QTest::newRow("0.5") << "0.5" << picture << false;
        QTest::newRow("not a number counts as 0") << "yes" << picture << true;
        QTest::newRow("no folder") << "0" << QStringList {} << false;
        QTest::newRow("not a picture first") << "0" << QStringList { "a.txt", "b.png" } << false;
        QTest::newRow("hidden file ignored") << "0" << QStringList { ".a.txt", "b.png" } << true;
    }
    void whenTheSplashIsSkipped()
    {
        QFETCH(QString, showAgain);
        QFETCH(QStringList, files);
        QFETCH(bool, shown);
        Start s;
        if (showAgain != "<absent>")
            s.settings.setValue("ShowAgain", showAgain);
        for (const QString& name : files) {
            if (name.endsWith(".png"))
                s.picture(name, QSize(40, 30));
            else
                s.file(name, "no picture here");
        }
        QCOMPARE(s.show(), shown);
        QCOMPARE(s.settings.value("ShowAgain", "<absent>"), showAgain);
    }

    void firstPictureByNameIsShown_data()
    {
        QTest::addColumn<QStringList>("names"); // each a PNG picture, the first one 50 x 40
        QTest::newRow("by name, not by age") << QStringList { "A.png", "b.png", "c.png" };
        QTest::newRow("no extension") << QStringList { "logo", "m.png" };
    }
    void firstPictureByNameIsShown()
    {
        QFETCH(QStringList, names);
        Start s;
        for (qsizetype i = names.size() - 1; i >= 0; --i) // the first one made last
            s.picture(names.at(i), i == 0 ? QSize(50, 40) : QSize(80, 60));
        QVERIFY(s.show());
        QCOMPARE(s.splash.picture->pixmap().size(), QSize(50, 40));
    }

    void aStopEndsTheWaitAtOnce()
    {
        Start s;
        s.picture("a.png", QSize(40, 30));
        s.clock.setMonotonicStep(1);
        QTimer::singleShot(0, &s.splash, [&] { s.stop.request(); });
        const qint64 before = s.clock.monotonicMs();
        s.splash.showAtStartUp(s.files, s.clock, s.stop, s.folder);
        QVERIFY(s.clock.monotonicMs() - before < 100);
        QVERIFY(!s.splash.isVisible());
    }
};

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
