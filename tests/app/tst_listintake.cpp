#include "ProgramFixture.h"
#include "app/MainWindow.h"
#include "app/MainWindowLayout.h"
#include "app/PointerRules.h"
#include "platform/LocalFileSystem.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QtTest>

namespace {

// The program started over a small tree of files.
struct Program : ProgramFixture {
    Program()
    {
        for (const char* name : { "one.txt", "Dir/a.txt", "Dir/Sub/b.txt" }) {
            QDir().mkpath(QFileInfo(path(name)).path());
            QFile file(path(name));
            file.open(QIODevice::WriteOnly);
        }
        start();
    }
    QString path(const QString& name) const { return root.filePath("tree/" + name); }
    QWidget& listArea() { return *window->form().backupSetList->viewport(); }
    QStringList rows() const { return window->backupSet().entries(); }
    QString storedFiles() { return stored("Files"); }
};

QMimeData* fileUrls(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

} // namespace

class ListIntakeTest : public QObject {
    Q_OBJECT
private slots:
    void onlyFilesMayBeDraggedOverTheList_data()
    {
        QTest::addColumn<bool>("files");
        QTest::addColumn<int>("actions");
        QTest::addColumn<int>("expected");
        QTest::newRow("files: a copy, never a move")
            << true << int(Qt::CopyAction | Qt::MoveAction) << int(Qt::CopyAction);
        QTest::newRow("files offered as a link") << true << int(Qt::LinkAction) << int(Qt::LinkAction);
        QTest::newRow("files offered only as a move") << true << int(Qt::MoveAction) << int(Qt::IgnoreAction);
        QTest::newRow("text") << false << int(Qt::CopyAction) << int(Qt::IgnoreAction);
    }
    void onlyFilesMayBeDraggedOverTheList()
    {
        QFETCH(bool, files);
        QFETCH(int, actions);
        QFETCH(int, expected);
        Program p;
        std::unique_ptr<QMimeData> data(files ? fileUrls({ p.path("one.txt") }) : new QMimeData);
        if (!files)
            data->setText(p.path("one.txt"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::DropActions(actions), data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(&p.listArea(), &enter);
        QCOMPARE(enter.isAccepted(), expected != Qt::IgnoreAction);
        QCOMPARE(int(enter.dropAction()), expected);
        QDropEvent drop(QPointF(5, 5), Qt::DropActions(actions), data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(&p.listArea(), &drop);
        QCoreApplication::processEvents();
        QCOMPARE(p.rows().size(), expected == Qt::IgnoreAction ? 0 : 1);
    }

    void droppedFilesAndFoldersAreAddedAndStoredOnce()
    {
        Program p;
        const std::unique_ptr<QMimeData> data(
            fileUrls({ p.path("one.txt"), p.path("Dir"), p.path("one.txt") }));
        // Qt delivers a drop only where the drag was accepted on entering.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(&p.listArea(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(&p.listArea(), &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(p.rows(),
            (QStringList {
                p.path("one.txt"), p.path("Dir/a.txt"), p.path("Dir/Sub/b.txt"), p.path("one.txt") }));
        QCOMPARE(p.storedFiles(), p.rows().join(';') + ';');
    }

    void folderCommandIsBusyWhileItScans()
    {
        Program p;
        p.dialogs.answers = { "*", p.path("Dir") };
        p.clock.setMonotonicStep(100);
        std::optional<PointerRules::Pointer> during;
        QTimer::singleShot(0, [&] { during = p.window->pointerRules().pointer(); });
        p.window->form().addFolderButton->click();
        QCOMPARE(during, PointerRules::Pointer::Busy);
        QCOMPARE(p.window->pointerRules().pointer(), PointerRules::Pointer::Default);
        QCOMPARE(p.rows(), (QStringList { p.path("Dir/a.txt"), p.path("Dir/Sub/b.txt") }));
        QCOMPARE(p.storedFiles(), p.rows().join(';') + ';');
        QCOMPARE(p.stored("Extension"), QString("*"));
    }

    void closingTheWindowDuringAScanEndsIt()
    {
        Program p;
        p.dialogs.answers = { "*", p.path("Dir") };
        p.clock.setMonotonicStep(100);
        QTimer::singleShot(0, [&] { p.window->form().close(); });
        p.window->form().addFolderButton->click();
        QCOMPARE(p.ended, 1);
        QVERIFY(p.rows().isEmpty());
        QCOMPARE(p.storedFiles(), QString(""));
    }
};

QTEST_MAIN(ListIntakeTest)
#include "tst_listintake.moc"
