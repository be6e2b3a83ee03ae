#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
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
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
