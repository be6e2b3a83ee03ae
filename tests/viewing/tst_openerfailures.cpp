#include "FakeLauncher.h"
#include "ScriptedDialogs.h"
#include "StandInOpener.h"
#include "platform/LocalFileSystem.h"
#include "platform/ProcessLauncher.h"
#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "viewing/DestinationFolder.h"
#include "viewing/HistoryViewing.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The real launcher with a stand-in xdg-open first on PATH; it counts the
// openers that ended, so a test knows when a message would have come.
class StandInLauncher : public Launcher {
public:
    explicit StandInLauncher(const QByteArray& body)
        : opener(body)
    {
    }
    LaunchResult openWithDefaultProgram(const QString& target, LaunchEnded ended) override
    {
        return opener.open(real, target, [this, ended](const LaunchResult& end) {
            ++ends;
            ended(end);
        });
    }
    StandInOpener opener;
    ProcessLauncher real;
    int ends = 0;
};

// Both buttons that hand something to the desktop, on one window.
struct Window {
    explicit Window(Launcher& launcher)
        : launcher(launcher)
    {
        QDir().mkpath(folder);
        QFile log(folder + "/history.txt");
        if (log.open(QIODevice::WriteOnly))
            log.write("report.doc was backup saved at 12/6/2026 9:05:03 PM\r\n");
        destinationEdit->setText(dir.filePath("backups/"));
    }
    ~Window()
    {
        delete history;
        delete destination;
    }
    QPushButton* button(const QString& caption) const
    {
        return caption == viewHistoryButton->text() ? viewHistoryButton : viewFolderButton;
    }
    QString target(const QString& caption) const
    {
        return caption == viewHistoryButton->text() ? folder + "/history.txt" : destinationEdit->text();
    }

    QTemporaryDir dir;
    QString folder = dir.filePath("prog");
    QWidget widget;
    QPushButton* viewHistoryButton = new QPushButton("View History Log", &widget);
    QPushButton* copyHistoryButton = new QPushButton("Copy History To Clipboard", &widget);
    QLineEdit* destinationEdit = new QLineEdit(&widget);
    QPushButton* chooseFolderButton = new QPushButton("...", &widget);
    QPushButton* viewFolderButton = new QPushButton("View This Folder", &widget);
    LocalFileSystem files;
    SettingsStore store { dir.filePath("q.ini") };
    Preferences preferences { store };
    ScriptedDialogs dialogs;
    Launcher& launcher;
    HistoryViewing* history
        = new HistoryViewing(viewHistoryButton, copyHistoryButton, files, launcher, dialogs, folder);
    DestinationFolder* destination = new DestinationFolder(
        destinationEdit, chooseFolderButton, viewFolderButton, files, preferences, dialogs, launcher);
};

} // namespace

class TestOpenerFailures : public QObject {
    Q_OBJECT
private slots:
    void openerEndingWithAFailureIsTold_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("body"); // the stand-in xdg-open
        QTest::addColumn<QString>("told"); // after the target's command; "" for no message
        for (const QString button : { "View History Log", "View This Folder" }) {
            QTest::addRow("%s, action failed", qPrintable(button))
                << button
                << QByteArray("echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 4\n")
                << " ended with status 4: xdg-open: no method available for opening '%1'";
            QTest::addRow("%s, tool missing", qPrintable(button))
                << button << QByteArray("exit 3\n")
                << " ended with status 3: a required tool could not be found";
            QTest::addRow("%s, opened", qPrintable(button)) << button << QByteArray("exit 0\n") << "";
        }
    }

    // The openers that ended go with the next pass of the event loop; a test
    // ends before that pass would come.
    void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void openerEndingWithAFailureIsTold()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, body);
        QFETCH(QString, told);
        StandInLauncher launcher(body);
        Window win(launcher);
        QTest::mouseClick(win.button(button), Qt::LeftButton);
        QTRY_COMPARE(launcher.ends, 1);
        const QString target = win.target(button);
        const QStringList expected = told.isEmpty()
            ? QStringList()
            : QStringList { "\"xdg-open " + target + "\"" + told.arg(target) };
        QCOMPARE(win.dialogs.messageTexts(), expected);
        if (!expected.isEmpty()) {
            QCOMPARE(win.dialogs.messages[0].caption, QString("Quillstead"));
            QCOMPARE(win.dialogs.messages[0].icon, MessageIcon::Exclamation);
        }
    }

    void failureAfterTheButtonsAreGoneIsNotTold()
    {
        FakeLauncher launcher;
        Window win(launcher);
        QTest::mouseClick(win.viewHistoryButton, Qt::LeftButton);
        QTest::mouseClick(win.viewFolderButton, Qt::LeftButton);
        delete std::exchange(win.history, nullptr);
        delete std::exchange(win.destination, nullptr);
        launcher.endAll({ false, "\"xdg-open x\" ended with status 4: the action failed" });
        QVERIFY(win.dialogs.messages.isEmpty());
    }
};

QTEST_MAIN(TestOpenerFailures)
#include "tst_openerfailures.moc"
