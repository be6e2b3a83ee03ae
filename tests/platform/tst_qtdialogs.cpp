#include "platform/QtDialogs.h"
#include "platform/StopRequest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    // The real Qt dialog, answered from inside its own event loop: files picked
    // from two folders each come back with their own folder.
    void openFilesKeepsEachFilesFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("docs") && QDir(dir.path()).mkpath("letters"));
        const QStringList picked { dir.filePath("docs/notes.txt"), dir.filePath("letters/h.txt") };
        for (const QString& path : picked) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QTimer::singleShot(0, this, [&picked] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(u'"' + picked.join(QStringLiteral("\" \"")) + u'"');
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as the Open button does
        });
        QtDialogs dialogs(nullptr);
        QCOMPARE(dialogs.openFiles(QStringLiteral("Add"), QStringLiteral("All Files (*.*)|*.*|")), picked);
    }

    // When the program starts closing, an open box closes by itself and no
    // new one opens: nothing may wait for an OK nobody will press.
    void messageBoxesGiveWayToAClose()
    {
        StopRequest stop;
        QtDialogs dialogs(nullptr);
        dialogs.setStopRequest(&stop);
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            seen = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
            stop.request();
        });
        // Should the box stay open, this closes it, and the test fails below.
        bool leftOpen = false;
        QTimer::singleShot(10000, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                leftOpen = true;
                box->close();
            }
        });
        dialogs.showMessage("Application Error", "File not found", MessageIcon::Exclamation);
        QVERIFY(seen);
        QVERIFY(!leftOpen);

        dialogs.showMessage("Application Error", "File not found", MessageIcon::Exclamation);
        QVERIFY(!leftOpen);
        QVERIFY(dialogs.openFiles("Add", "All Files (*.*)|*.*|").isEmpty());
    }

    // The question answers Yes to Enter and No to Escape, and a close gives No.
    void questionKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }
    void questionKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, yes);
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text();
            QTest::keyClick(box, Qt::Key(key));
        });
        QtDialogs dialogs(nullptr);
        QCOMPARE(dialogs.askYesNo("Restore", "Put it back?\r\nSure?"), yes);
        QCOMPARE(shown, QStringLiteral("Put it back?\nSure?"));
    }

    void questionGivesWayToAClose()
    {
        StopRequest stop;
        QtDialogs dialogs(nullptr);
        dialogs.setStopRequest(&stop);
        QTimer::singleShot(0, this, [&] { stop.request(); });
        QTimer::singleShot(10000, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        });
        QVERIFY(!dialogs.askYesNo("Restore", "Put it back?"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
