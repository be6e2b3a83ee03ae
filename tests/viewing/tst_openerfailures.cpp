#include "FakeLauncher.h"
#include "ScriptedDialogs.h"
#include "platform/LocalFileSystem.h"
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
    // The launcher's own texts are checked with the real opener in
    // tst_processlauncher; here, that each button tells what it is told.
    void openerEndingWithAFailureIsTold_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("told"); // the opener's failure; "" for success
        for (const QString button : { "View History Log", "View This Folder" }) {
            QTest::addRow("%s, failed", qPrintable(button))
                << button << "\"xdg-open x\" ended with status 4: the action failed";
            QTest::addRow("%s, opened", qPrintable(button)) << button << "";
        }
    }
    void openerEndingWithAFailureIsTold()
    {
        QFETCH(QString, button);
        QFETCH(QString, told);
        FakeLauncher launcher;
        Window win(launcher);
        QTest::mouseClick(win.button(button), Qt::LeftButton);
        QCOMPARE(launcher.opened, QStringList { win.target(button) });
        QVERIFY(win.dialogs.messages.isEmpty()); // nothing until the opener ends
        launcher.endAll(told.isEmpty() ? LaunchResult {} : LaunchResult { false, told });
        QCOMPARE(win.dialogs.messageTexts(), told.isEmpty() ? QStringList() : QStringList { told });
        if (!told.isEmpty()) {
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
