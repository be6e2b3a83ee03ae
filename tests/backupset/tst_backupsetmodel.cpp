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
