#include "backupset/BackupSetModel.h"
#include "backupset/RemovalUndo.h"

#include <QtTest>

class RemovalUndoTest : public QObject {
    Q_OBJECT
private slots:
    // Each step: "remove <row>" (selected, then removed), "add <path>", or
    // "undo"; undoRows are the rows the undos reported, in turn.
    void undoPutsRemovedEntriesBack_data()
    {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QList<int>>("undoRows");

        QTest::newRow("at its old row")
            << QStringList { "/a", "/b", "/c" } << QStringList { "remove 1", "undo" }
            << QStringList { "/a", "/b", "/c" } << QList<int> { 1 };
        QTest::newRow("the newest removal first")
            << QStringList { "/a", "/b", "/c" } << QStringList { "remove 0", "remove 1", "undo", "undo" }
            << QStringList { "/a", "/b", "/c" } << QList<int> { 1, 0 };
        QTest::newRow("files added since stay after it")
            << QStringList { "/a", "/b", "/c" } << QStringList { "remove 1", "add /d", "undo" }
            << QStringList { "/a", "/b", "/c", "/d" } << QList<int> { 1 };
        QTest::newRow("an entry added again is not doubled")
            << QStringList { "/a", "/b" } << QStringList { "remove 0", "add /a", "undo", "undo" }
            << QStringList { "/b", "/a" } << QList<int> { -1, -1 };
        QTest::newRow("the removal before it comes back instead")
            << QStringList { "/a", "/b", "/c" } << QStringList { "remove 0", "remove 0", "add /b", "undo" }
            << QStringList { "/a", "/c", "/b" } << QList<int> { 0 };
        QTest::newRow("a duplicate comes back as the copy it was")
            << QStringList { "/a", "/x", "/a" } << QStringList { "remove 2", "undo", "undo" }
            << QStringList { "/a", "/x", "/a" } << QList<int> { 2, -1 };
        QTest::newRow("nothing selected, nothing removed")
            << QStringList { "/a" } << QStringList { "remove -1", "undo" } << QStringList { "/a" }
            << QList<int> { -1 };
        QTest::newRow("the last entry, into an empty set")
            << QStringList { "/a" } << QStringList { "remove 0", "undo" } << QStringList { "/a" }
            << QList<int> { 0 };
    }
    void undoPutsRemovedEntriesBack()
    {
        QFETCH(QStringList, set);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, undoRows);
        BackupSetModel model;
        model.appendEntries(set);
        RemovalUndo undo;
        QList<int> reported;
        for (const QString& step : steps) {
            const QString argument = step.section(u' ', 1);
            if (step.startsWith("remove")) {
                model.setSelectedRow(argument.toInt());
                QCOMPARE(undo.removeSelected(model), argument.toInt() >= 0);
            } else if (step.startsWith("add")) {
                model.appendEntry(argument);
            } else {
                reported << undo.undo(model);
            }
        }
        QCOMPARE(model.entries(), after);
        QCOMPARE(reported, undoRows);
    }

    // Undo remembers the newest removals only; a full set keeps the removal
    // until there is room for it.
    void keepsTheNewestRemovalsAndWaitsForRoom()
    {
        BackupSetModel model(nullptr, RemovalUndo::Depth + 1);
        for (int i = 0; i <= RemovalUndo::Depth; ++i)
            model.appendEntry(QStringLiteral("/%1").arg(i));
        RemovalUndo undo;
        for (int i = 0; i <= RemovalUndo::Depth; ++i) {
            model.setSelectedRow(0);
            QVERIFY(undo.removeSelected(model));
        }
        model.appendEntries({ "/new", "/newer" });
        for (int i = 0; i < RemovalUndo::Depth - 1; ++i)
            QCOMPARE(undo.undo(model), 0);
        QCOMPARE(model.roomLeft(), 0);
        QCOMPARE(undo.undo(model), -1);
        QVERIFY(!undo.isEmpty());
        model.setSelectedRow(model.entryCount() - 1);
        model.removeSelectedEntry();
        QCOMPARE(undo.undo(model), 0);
        QVERIFY(undo.isEmpty());
        QCOMPARE(model.entryText(1), QStringLiteral("/1"));
        QCOMPARE(model.entryText(2), QStringLiteral("/2"));
    }
};

QTEST_GUILESS_MAIN(RemovalUndoTest)
#include "tst_removalundo.moc"
