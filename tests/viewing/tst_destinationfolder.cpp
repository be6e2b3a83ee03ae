#include "settings/Preferences.h"
#include "settings/SettingsStore.h"
#include "viewing/DestinationFolder.h"

#include "FakeLauncher.h"
#include "ScriptedDialogs.h"
#include "platform/LocalFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFocusEvent>
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

    // Leaves the box for reason, as the focus moving away from it would.
    void leaveBox(Qt::FocusReason reason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(destinationEdit, &out);
        QCoreApplication::processEvents();
    }
    QStringList questions() const
    {
        QStringList asked;
        for (const ScriptedDialogs::Request& request : dialogs.requests) {
            if (request.kind == "askYesNo")
                asked << request.title + ": " + request.prompt;
        }
        return asked;
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
    LocalFileSystem files;
    DestinationFolder folder { destinationEdit, chooseFolderButton, viewFolderButton, files, preferences,
        dialogs, launcher };
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

    void chooserOpensAtAFolderThatExists_data()
    {
        QTest::addColumn<QString>("text"); // "<tmp>" stands for a folder that exists
        QTest::addColumn<QString>("start");
        QTest::newRow("folder") << "<tmp>/"
                                << "<tmp>/";
        QTest::newRow("missing folder") << "<tmp>/gone/"
                                        << "";
        QTest::newRow("a file") << "<tmp>/q.ini"
                                << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void chooserOpensAtAFolderThatExists()
    {
        QFETCH(QString, text);
        QFETCH(QString, start);
        Window win;
        win.folder.restoreFromSettings(); // writes q.ini
        win.destinationEdit->setText(text.replace("<tmp>", win.dir.path()));
        QTest::mouseClick(win.chooseFolderButton, Qt::LeftButton);
        QCOMPARE(win.dialogs.requests.size(), 1);
        QCOMPARE(win.dialogs.requests[0].startFolder, start.replace("<tmp>", win.dir.path()));
    }

    void leavingATypedFolderThatDoesNotExistOffersToCreateIt_data()
    {
        QTest::addColumn<QString>("typed"); // below the test's folder; "/" at the start: as it is
        QTest::addColumn<int>("leave"); // a focus reason, or -1 for Enter
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("made");
        QTest::addColumn<QString>("message"); // how the message starts; "" for none

        QTest::newRow("yes makes the folders above too")
            << "new/a/b/" << int(Qt::TabFocusReason) << true << true << true << "";
        QTest::newRow("no keeps the text")
            << "new/" << int(Qt::MouseFocusReason) << false << true << false << "";
        QTest::newRow("left with Enter") << "new" << -1 << true << true << true << "";
        QTest::newRow("other window takes the focus")
            << "new/" << int(Qt::ActiveWindowFocusReason) << true << false << false << "";
        QTest::newRow("menu takes the focus")
            << "new/" << int(Qt::PopupFocusReason) << true << false << false << "";
        QTest::newRow("existing folder") << "." << int(Qt::TabFocusReason) << true << false << true << "";
        QTest::newRow("a file there") << "q.ini" << int(Qt::TabFocusReason) << true << false << false << "";
        QTest::newRow("empty box") << "/" << int(Qt::TabFocusReason) << true << false << false << "";
        QTest::newRow("relative name")
            << "/backups" << int(Qt::TabFocusReason) << true << false << false << "";
        QTest::newRow("cannot be made")
            << "q.ini/sub/" << int(Qt::TabFocusReason) << true << true << false << "Cannot create folder";
    }

    void leavingATypedFolderThatDoesNotExistOffersToCreateIt()
    {
        QFETCH(QString, typed);
        QFETCH(int, leave);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(bool, made);
        QFETCH(QString, message);
        Window win;
        win.folder.restoreFromSettings(); // writes q.ini
        const QString text = typed.startsWith('/') ? typed.mid(1) : win.dir.filePath(typed);
        win.dialogs.yesNoAnswers = { yes };
        win.destinationEdit->setText(text);
        if (leave < 0)
            QTest::keyClick(win.destinationEdit, Qt::Key_Return);
        else
            win.leaveBox(Qt::FocusReason(leave));

        const QStringList question { "Quillstead: The folder \"" + text + "\" does not exist. Create it?" };
        QCOMPARE(win.questions(), asked ? question : QStringList());
        QCOMPARE(QFileInfo(text).isDir(), made);
        QCOMPARE(win.destinationEdit->text(), text);
        QCOMPARE(win.dialogs.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(
                win.dialogs.messages[0].text.startsWith(message), qPrintable(win.dialogs.messages[0].text));
            QVERIFY(win.dialogs.messages[0].text.contains(win.dir.filePath("q.ini")));
        }
    }

    void eachTextLeftIsAskedAboutOnce()
    {
        Window win;
        win.widget.show();
        win.widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&win.widget));
        const QString first = win.dir.filePath("first/");
        win.destinationEdit->setFocus();
        win.destinationEdit->setText(first);
        for (int i = 0; i < 3; ++i) {
            win.other->setFocus(Qt::TabFocusReason);
            win.destinationEdit->setFocus(Qt::TabFocusReason);
        }
        QTest::keyClick(win.destinationEdit, Qt::Key_Return);
        QTRY_COMPARE(win.questions().size(), 1);
        // Another text is asked about again, and so is the first once more.
        win.destinationEdit->setText(win.dir.filePath("second/"));
        win.leaveBox(Qt::TabFocusReason);
        win.destinationEdit->setText(first);
        win.leaveBox(Qt::TabFocusReason);
        QCOMPARE(win.questions().size(), 3);
        // A folder the program put in the box, stored or chosen, was not typed.
        win.store.setValue("Path", win.dir.filePath("stored/"));
        win.folder.restoreFromSettings();
        win.leaveBox(Qt::TabFocusReason);
        win.dialogs.answers = QStringList { win.dir.filePath("chosen") };
        QTest::mouseClick(win.chooseFolderButton, Qt::LeftButton);
        win.leaveBox(Qt::TabFocusReason);
        QCOMPARE(win.questions().size(), 3);
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
