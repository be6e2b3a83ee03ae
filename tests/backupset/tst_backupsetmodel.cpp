#include "backupset/BackupSetModel.h"

#include <QSignalSpy>
#include <QtTest>

using Result = BackupSetModel::AppendResult;

class BackupSetModelTest : public QObject {
    Q_OBJECT
private slots:
    void removesSelectedRowOnly()
    {
        BackupSetModel model;
        for (const char* path : { "/1", " /Dup ", "/3", " /Dup ", "/5" })
            QCOMPARE(model.appendEntry(path), Result::Added);
        QSignalSpy selection(&model, &BackupSetModel::selectedRowChanged);
        model.removeSelectedEntry(); // nothing selected yet
        model.setSelectedRow(2);
        model.removeSelectedEntry();
        QCOMPARE(model.entries(), (QStringList { "/1", " /Dup ", " /Dup ", "/5" }));
        QCOMPARE(model.entryText(3), QString(" /Dup "));
        QCOMPARE(model.data(model.index(3)).toString(), QString("/5"));
        // Nothing stays selected, so a second double-click cannot take the row that moved up.
        QCOMPARE(model.selectedRow(), -1);
        QCOMPARE(selection.count(), 2);
        model.removeSelectedEntry();
        model.setSelectedRow(4);
        model.removeSelectedEntry();
        QCOMPARE(model.entryCount(), 4);
    }

    // An entry put in above the selected one leaves that one selected, so a
    // removal afterwards still takes the entry the user chose.
    void insertionKeepsTheSelectedEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("selected");
        QTest::newRow("above") << 0 << QStringList { "/new", "/1", "/2", "/3" } << 2;
        QTest::newRow("at its row") << 1 << QStringList { "/1", "/new", "/2", "/3" } << 2;
        QTest::newRow("below") << 2 << QStringList { "/1", "/2", "/new", "/3" } << 1;
        QTest::newRow("past the end") << 9 << QStringList { "/1", "/2", "/3", "/new" } << 1;
        QTest::newRow("before the start") << -4 << QStringList { "/new", "/1", "/2", "/3" } << 2;
    }
    void insertionKeepsTheSelectedEntry()
    {
        QFETCH(int, row);
        QFETCH(QStringList, after);
        QFETCH(int, selected);
        BackupSetModel model;
        model.appendEntries({ "/1", "/2", "/3" });
        model.setSelectedRow(1);
        QCOMPARE(model.insertEntry(row, "/new"), Result::Added);
        QCOMPARE(model.entries(), after);
        QCOMPARE(model.selectedRow(), selected);
        model.removeSelectedEntry();
        QVERIFY(!model.entries().contains("/2"));
    }

    void refusesSemicolonAndOverflow()
    {
        BackupSetModel model;
        QCOMPARE(model.appendEntry("/a;b.txt"), Result::RefusedSemicolon);
        QStringList many;
        for (int i = 0; i < 32766; ++i)
            many << QStringLiteral("/f%1").arg(i);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        const auto results = model.appendEntries(many + QStringList { "/x;y", "/last", "/one more" });
        QCOMPARE(inserted.count(), 1); // one insertion for the whole batch
        QCOMPARE(results.mid(32765),
            (QList<Result> { Result::Added, Result::RefusedSemicolon, Result::Added, Result::RefusedFull }));
        QCOMPARE(model.entryCount(), 32767);
        QCOMPARE(model.appendEntry("/again"), Result::RefusedFull);
        QCOMPARE(model.entryText(32767), QString("/last"));
    }

    void headerTextFromTheWindow()
    {
        BackupSetModel model;
        QVERIFY(model.setHeaderData(0, Qt::Horizontal, "Drag and drop files here."));
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Drag and drop files here."));
    }
};

QTEST_GUILESS_MAIN(BackupSetModelTest)
#include "tst_backupsetmodel.moc"
