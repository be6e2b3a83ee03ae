#include "ProgramFixture.h"
#include "app/CurrentRowOnFocus.h"
#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"

#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The part of after that differs from before.
QRect changedPart(const QImage& before, const QImage& after)
{
    QRect changed;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
        }
    }
    return changed;
}

QTreeView* listNamed(MainWindowLayout& form, const QString& name)
{
    return form.findChild<QTreeView*>(name);
}

} // namespace

class ListKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // Gaining the focus, a list makes its selected row current, else its
    // first, and leaves the selection alone.
    void focusMakesARowCurrent_data()
    {
        QTest::addColumn<int>("selected"); // -1: none
        QTest::addColumn<int>("current");
        QTest::newRow("nothing selected") << -1 << 0;
        QTest::newRow("a row selected") << 2 << 2;
    }
    void focusMakesARowCurrent()
    {
        QFETCH(int, selected);
        QFETCH(int, current);
        QWidget window;
        auto* other = new QPushButton(&window);
        auto* list = new QTreeWidget(&window);
        list->move(0, 40);
        markCurrentRowOnFocus(*list);
        for (const char* text : { "one", "two", "three" })
            list->addTopLevelItem(new QTreeWidgetItem({ QString::fromLatin1(text) }));
        if (selected >= 0)
            list->topLevelItem(selected)->setSelected(true);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QVERIFY(!list->currentIndex().isValid());
        list->setFocus(Qt::TabFocusReason);
        QCOMPARE(list->currentIndex().row(), current);
        QCOMPARE(list->selectedItems().size(), selected >= 0 ? 1 : 0);
    }

    // On the real window, Tab into a list draws a focus frame on its current
    // row; the backup set's list does so after it was emptied and filled
    // again, when Qt itself would leave it without a current row.
    void tabIntoAListShowsItsFocus_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("backup set") << "backupSetList";
        QTest::newRow("intervals") << "intervalList";
    }
    void tabIntoAListShowsItsFocus()
    {
        QFETCH(QString, list);
        ProgramFixture p;
        p.store("Files", "/x/a.txt;");
        MainWindowLayout& form = p.start().form();
        QTreeView* view = listNamed(form, list);
        if (view == form.backupSetList) {
            view->setCurrentIndex(view->model()->index(0, 0));
            p.window->removeSelectedEntry();
            p.dialogs.pickedFiles << QStringList { p.file("b.txt") };
            QTest::mouseClick(form.addFilesButton, Qt::LeftButton);
            QCOMPARE(view->model()->rowCount(), 1);
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QList<QWidget*> stops = form.tabOrder();
        QWidget* before = stops.at((stops.indexOf(view) + stops.size() - 1) % stops.size());
        before->setFocus(Qt::OtherFocusReason);
        const QImage unfocused = view->viewport()->grab().toImage();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view);
        QVERIFY(view->currentIndex().isValid());
        const QRect changed = changedPart(unfocused, view->viewport()->grab().toImage());
        QVERIFY(!changed.isEmpty());
        QVERIFY(view->visualRect(view->currentIndex()).contains(changed));
    }

    // On the backup set's list, Delete removes the selected entry and Undo
    // puts back the newest removal, double-clicked ones too; every change is
    // stored at once. Elsewhere in the window the keys leave the set alone.
    void deleteAndUndoOnTheBackupSetList()
    {
        ProgramFixture p;
        p.store("Files", "/x/a;/x/b;/x/c;");
        MainWindowLayout& form = p.start().form();
        QTreeView* list = form.backupSetList;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const auto entries = [&] { return p.window->backupSet().entries(); };
        const auto key = [&](QWidget* at, QKeySequence::StandardKey which) {
            at->setFocus(Qt::OtherFocusReason);
            const QKeyCombination pressed = QKeySequence(which)[0];
            QTest::keyClick(at, pressed.key(), pressed.keyboardModifiers());
        };

        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Down); // the first row is current: the second gets selected
        key(list, QKeySequence::Delete);
        QCOMPARE(entries(), (QStringList { "/x/a", "/x/c" }));
        QCOMPARE(p.stored("Files"), "/x/a;/x/c;");
        key(list, QKeySequence::Delete); // nothing is selected after a removal
        QCOMPARE(entries(), (QStringList { "/x/a", "/x/c" }));

        const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(entries(), QStringList { "/x/c" });

        key(form.addFilesButton, QKeySequence::Undo);
        QCOMPARE(entries(), QStringList { "/x/c" });
        key(list, QKeySequence::Undo);
        QCOMPARE(entries(), (QStringList { "/x/a", "/x/c" }));
        QCOMPARE(p.stored("Files"), "/x/a;/x/c;");
        key(list, QKeySequence::Undo);
        QCOMPARE(entries(), (QStringList { "/x/a", "/x/b", "/x/c" }));
        QCOMPARE(p.stored("Files"), "/x/a;/x/b;/x/c;");
        // What came back is selected, as before: Delete takes it out again.
        QCOMPARE(p.window->backupSet().selectedRow(), 1);
        key(form.addFilesButton, QKeySequence::Delete);
        QCOMPARE(entries().size(), 3);
        key(list, QKeySequence::Delete);
        QCOMPARE(entries(), (QStringList { "/x/a", "/x/c" }));
    }
};

QTEST_MAIN(ListKeyboardTest)
#include "tst_listkeyboard.moc"
