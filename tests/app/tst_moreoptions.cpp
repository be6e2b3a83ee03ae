#include "ProgramFixture.h"
#include "app/MainWindowLayout.h"
#include "app/MoreOptionsDialog.h"

#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

class TestMoreOptions : public QObject {
    Q_OBJECT

private slots:
    // "Preview..." lists what the next run would delete with the counts the
    // dialog shows, before they are stored, and deletes nothing itself.
    void previewUsesTheCountsShown()
    {
        ProgramFixture p;
        const QString dest = p.root.filePath("dest");
        QDir().mkpath(dest);
        p.store("WhereOption", "1");
        p.store("Path", dest + "/");
        p.store("Include Date", "On");
        p.store("Backup Option", "2"); // one copy a day
        const QString report = p.file("report.doc");
        p.store("Files", report + ";");
        p.start();
        for (const int day : { 3, 4, 5 }) {
            p.clock.set(QDateTime(QDate(2026, 12, day), QTime(10, 0)));
            QVERIFY(p.window->backupTrigger().runBackup(BackupTrigger::Kind::Test));
        }
        const QStringList copies = QDir(dest).entryList(QDir::Files);
        QCOMPARE(copies.size(), 3);

        MainWindowLayout& form = p.form();
        QTest::mouseClick(form.moreOptionsButton, Qt::LeftButton);
        auto* dialog = form.findChild<MoreOptionsDialog*>();
        QVERIFY(dialog);
        dialog->preview->click();
        dialog->keepDaily->setValue(2);
        dialog->preview->click();
        QCOMPARE(p.dialogs.messages.size(), 2);
        QCOMPARE(p.dialogs.messages[0].caption, QStringLiteral("Preview"));
        QCOMPARE(p.dialogs.messages[0].text, QStringLiteral("The next backup would delete no copies."));
        QCOMPARE(p.dialogs.messages[1].text,
            "The next backup would delete 1 copy:\r\n\r\n" + report + ": 1 copy\r\n" + dest
                + "/report.doc Dec 3 2026.doc");
        QCOMPARE(QDir(dest).entryList(QDir::Files), copies);
        QCOMPARE(p.stored("Keep Daily"), QStringLiteral("<absent>"));
    }
};

QTEST_MAIN(TestMoreOptions)
#include "tst_moreoptions.moc"
