#include "FakeLauncher.h"
#include "ScriptedDialogs.h"
#include "platform/LocalFileSystem.h"
#include "viewing/HistoryViewing.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window {
    QTemporaryDir dir;
    QString folder = dir.filePath("prog");
    QString log = folder + "/history.txt";
    QWidget widget;
    QPushButton* viewHistoryButton = new QPushButton("View History Log", &widget);
    QPushButton* copyHistoryButton = new QPushButton("Copy History To Clipboard", &widget);
    LocalFileSystem files;
    FakeLauncher launcher;
    ScriptedDialogs dialogs;
    HistoryViewing history { viewHistoryButton, copyHistoryButton, files, launcher, dialogs, folder };

    Window() { QDir().mkpath(folder); }
    void writeLog(const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
    {
        QFile f(log);
        QVERIFY(f.open(mode));
        f.write(bytes);
    }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
};

const QByteArray Lines = "report.doc was backup saved at 12/6/2026 9:05:03 PM\r\n"
                         "r\xc3\xa9sum\xc3\xa9 2.doc was backup saved at 12/6/2026 9:05:04 PM\r\n";

} // namespace

class TestHistoryViewing : public QObject {
    Q_OBJECT

private slots:
    void viewingWithoutALogSaysSo()
    {
        Window w;
        QGuiApplication::clipboard()->setText("before");
        QTest::mouseClick(w.viewHistoryButton, Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].caption, QStringLiteral("Quillstead"));
        QCOMPARE(w.dialogs.messages[0].text,
            QStringLiteral("There isn't a history to view because actions have not been performed yet."));
        QVERIFY(w.launcher.opened.isEmpty());
        // Copying without a log does nothing at all.
        QTest::mouseClick(w.copyHistoryButton, Qt::LeftButton);
        QCOMPARE(w.clipboard(), QStringLiteral("before"));
        QCOMPARE(w.dialogs.messages.size(), 1);
    }

    void viewingOpensTheLogEvenWhenEmpty()
    {
        Window w;
        w.writeLog("");
        QTest::mouseClick(w.viewHistoryButton, Qt::LeftButton);
        QCOMPARE(w.launcher.opened, QStringList { w.log });
        QVERIFY(w.dialogs.messages.isEmpty());
        // No program to open it: the user is told what failed and why.
        w.launcher.succeed = false;
        QTest::mouseClick(w.viewHistoryButton, Qt::LeftButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.messages[0].text.contains(w.log));
    }

    void copyPutsTheWholeLogOnTheClipboard()
    {
        Window w;
        w.writeLog(Lines);
        QTest::mouseClick(w.copyHistoryButton, Qt::LeftButton);
        QCOMPARE(w.clipboard(), QString::fromUtf8(Lines));
        QGuiApplication::clipboard()->setText("something else");
        QTest::mouseClick(w.copyHistoryButton, Qt::LeftButton);
        QCOMPARE(w.clipboard(), QString::fromUtf8(Lines));
        // Lines appended in between are in the next copy.
        w.writeLog("notes.txt was backup saved at 12/6/2026 9:15:00 PM\r\n", QIODevice::Append);
        QTest::mouseClick(w.copyHistoryButton, Qt::LeftButton);
        QCOMPARE(w.clipboard(),
            QString::fromUtf8(Lines + "notes.txt was backup saved at 12/6/2026 9:15:00 PM\r\n"));
        QVERIFY(w.dialogs.messages.isEmpty());
    }

    void unreadableLogIsToldAndLeavesTheClipboard()
    {
        Window w;
        QDir().mkpath(w.log); // a folder where the log belongs: it exists but cannot be read
        QGuiApplication::clipboard()->setText("before");
        QTest::mouseClick(w.copyHistoryButton, Qt::LeftButton);
        QCOMPARE(w.clipboard(), QStringLiteral("before"));
        QCOMPARE(w.dialogs.messages.size(), 1);
        QVERIFY(w.dialogs.messages[0].text.contains(w.log));
    }
};

QTEST_MAIN(TestHistoryViewing)
#include "tst_historyviewing.moc"
