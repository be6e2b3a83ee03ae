#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "viewing/DestinationFolder.h"

#include "FakeLauncher.h"
#include "ScriptedDialogs.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

struct Window {
    Window()
        : store(dir.filePath("q.ini"))
    {
        auto* layout = new QVBoxLayout(&widget);
        for (QWidget* control :
            std::initializer_list<QWidget*> { other, destinationEdit, chooseFolderButton, viewFolderButton })
            layout->addWidget(control);
    }

    QString storedPath() const { return SettingsStore(store.filePath()).value("Path", "<absent>"); }

    QTemporaryDir dir;
    QWidget widget;
    QLineEdit* other = new QLineEdit;
    QLineEdit* destinationEdit = new QLineEdit("Text1"); // the box's text before start-up
    QPushButton* chooseFolderButton = new QPushButton("...");
    QPushButton* viewFolderButton = new QPushButton("View This Folder");
    SettingsStore store;
    Preferences preferences { store };
    ScriptedDialogs dialogs;
    FakeLauncher launcher;
    DestinationFolder folder { destinationEdit, chooseFolderButton, viewFolderButton, preferences, dialogs,
        launcher };
};

} // namespace

class DestinationFolderTest : public QObject {
    Q_OBJECT
private slots:
    void everyChangeIsStoredAtOnce()
    {
        Window win;
        win.folder.restoreFromSettings();
        QCOMPARE(win.destinationEdit->text(), QDir::homePath() + "/");
        QCOMPARE(win.storedPath(), QDir::homePath() + "/");
        win.destinationEdit->clear();
        QCOMPARE(win.storedPath(), QString(""));
        QStringList seen;
        for (char c : { '/', 't', 'm' }) {
            QTest::keyClick(win.destinationEdit, c);
            seen << win.storedPath();
        }
        QCOMPARE(seen, (QStringList { "/", "/t", "/tm" }));
        // An empty stored path is an empty box; the home folder stands only for a missing key.
        win.store.setValue("Path", "");
        win.folder.restoreFromSettings();
        QCOMPARE(win.destinationEdit->text(), QString(""));
    }

    void focusSelectsAll()
    {
        Window win;
        win.destinationEdit->setText("/data/Backups/");
        win.widget.show();
        win.widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win.widget));
        win.other->setFocus();
        // A click places the cursor after the focus arrives; the selection must survive it.
        QTest::mouseClick(
            win.destinationEdit, Qt::LeftButton, {}, QPoint(10, win.destinationEdit->height() / 2));
        QVERIFY(win.destinationEdit->hasFocus());
        QCoreApplication::processEvents();
        QCOMPARE(win.destinationEdit->selectedText(), QString("/data/Backups/"));

        win.other->setFocus();
        win.destinationEdit->deselect();
        win.destinationEdit->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(win.destinationEdit->selectedText(), QString("/data/Backups/"));
    }

    void chosenFolderEndsWithOneSeparator()
    {
        Window win;
        win.destinationEdit->setText("/before");
        win.dialogs.answers = QStringList { "", "/data/My Backups", "/" };
        QTest::mouseClick(win.chooseFolderButton, Qt::LeftButton);
        QCOMPARE(win.destinationEdit->text(), QString("/before"));
        QTest::mouseClick(win.chooseFolderButton, Qt::LeftButton);
        QCOMPARE(win.destinationEdit->text(), QString("/data/My Backups/"));
        QCOMPARE(win.storedPath(), QString("/data/My Backups/"));
        QTest::mouseClick(win.chooseFolderButton, Qt::LeftButton);
        QCOMPARE(win.destinationEdit->text(), QString("/"));
        QCOMPARE(win.dialogs.requests.size(), 3);
        QCOMPARE(win.dialogs.requests.at(0).title, QString("Please select folder:"));
    }

    void viewFolderHandsTheTextOverAsOneArgument()
    {
        Window win;
        const QStringList texts { "/data/My Backups/", "/data/\"x\" $(rm -rf ~); 'y'/", "" };
        for (const QString& text : texts) {
            win.destinationEdit->setText(text);
            QTest::mouseClick(win.viewFolderButton, Qt::LeftButton);
        }
        QCOMPARE(win.launcher.opened, texts);
        QVERIFY(win.dialogs.messages.isEmpty());

        win.launcher.succeed = false;
        QTest::mouseClick(win.viewFolderButton, Qt::LeftButton);
        QCOMPARE(win.dialogs.messageTexts(), QStringList { "Cannot open \"\": no program to open it" });
    }
};

QTEST_MAIN(DestinationFolderTest)
#include "tst_destinationfolder.moc"
