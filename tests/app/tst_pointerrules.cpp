#include "app/HoverCursor.h"
#include "app/MainWindowLayout.h"
#include "app/PointerRules.h"
#include "platform/LocalFileSystem.h"

#include <QBuffer>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImageReader>
#include <QImageWriter>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtEndian>
#include <QtTest>

using Pointer = PointerRules::Pointer;

namespace {

// A cursor file as the program folder would hold it: an icon directory whose
// type says "cursor" and whose entry carries the hot spot.
QByteArray cursorFile(const QSize& size, const QPoint& hotSpot)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(QColor(200, 40, 40));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image))
        return {};
    QByteArray bytes = buffer.data();
    qToLittleEndian<quint16>(2, bytes.data() + 2);
    qToLittleEndian<quint16>(static_cast<quint16>(hotSpot.x()), bytes.data() + 10);
    qToLittleEndian<quint16>(static_cast<quint16>(hotSpot.y()), bytes.data() + 12);
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Moves the real mouse (through the window) to a point of a widget; the
// window hands the move to the widget under the point.
void moveOver(QWidget* widget, QPoint at = QPoint())
{
    QTest::mouseMove(widget, at.isNull() ? widget->rect().center() : at);
}

// Where each area is met: a point of the named widget with no child under it.
QWidget* area(MainWindowLayout& form, const QString& name, QPoint& at)
{
    at = QPoint();
    if (name == "background") {
        at = QPoint(3, form.height() / 3); // left of every frame
        return &form;
    }
    if (name == "intervalList.rows")
        return form.intervalList->viewport();
    if (name == "intervalList.header")
        return form.intervalList->header();
    if (name == "backupSetList.rows")
        return form.backupSetList->viewport();
    QWidget* control = form.findChild<QWidget*>(name);
    if (qobject_cast<QGroupBox*>(control))
        at = QPoint(4, 4); // the caption line, above the frame's controls
    return control;
}

struct PointerFixture {
    MainWindowLayout form;
    PointerRules* rules = new PointerRules(form);
    bool ready = (form.show(), QTest::qWaitForWindowExposed(&form));
};

} // namespace

class TestPointerRules : public QObject {
    Q_OBJECT

private slots:
    void movingOverAnAreaSetsOrKeepsThePointer_data()
    {
        QTest::addColumn<bool>("startHovering");
        QTest::addColumn<QString>("area");
        QTest::addColumn<Pointer>("expected");

        for (const char* button : { "chooseFolderButton", "viewFolderButton", "autoBackupButton",
                 "backupNowButton", "addFilesButton" })
            QTest::addRow("default, %s", button) << false << button << Pointer::Hover;
        for (const char* reset : { "background", "destinationFrame", "destinationEdit", "intervalList.rows",
                 "intervalList.header" })
            QTest::addRow("hover, %s", reset) << true << reset << Pointer::Default;
        // fixedFolderOption lies inside destinationFrame: its moves must not count as destinationFrame's.
        for (const char* other : { "viewHistoryButton", "addFolderButton", "copyHistoryButton",
                 "backupSetList.rows", "statusFrame", "optionsFrame", "backupSetFrame", "countdownBar",
                 "fixedFolderOption", "sourceFolderOption", "createNewOption", "overwriteOption",
                 "archiveModeBox", "startAtLoginBox", "stampBox", "startInTrayBox" })
            QTest::addRow("hover, %s", other) << true << other << Pointer::Hover;
    }

    void movingOverAnAreaSetsOrKeepsThePointer()
    {
        QFETCH(bool, startHovering);
        QFETCH(QString, area);
        QFETCH(Pointer, expected);

        PointerFixture f;
        QVERIFY(f.ready);
        moveOver(f.form.autoBackupButton);
        moveOver(&f.form, QPoint(3, 3));
        if (startHovering)
            moveOver(f.form.addFilesButton);
        QCOMPARE(f.rules->pointer(), startHovering ? Pointer::Hover : Pointer::Default);

        QPoint at;
        QWidget* target = ::area(f.form, area, at);
        QVERIFY(target);
        moveOver(target, at);
        QCOMPARE(f.rules->pointer(), expected);
    }

    void hoverStaysUntilAResetArea()
    {
        PointerFixture f;
        QVERIFY(f.ready);
        moveOver(f.form.backupNowButton);
        moveOver(f.form.backupSetList->viewport());
        QCOMPARE(f.rules->pointer(), Pointer::Hover);
        moveOver(f.form.destinationFrame, QPoint(4, 4));
        QCOMPARE(f.rules->pointer(), Pointer::Default);
        QCOMPARE(f.form.cursor().shape(), Qt::ArrowCursor);

        // A greyed-out button reports nothing: over it the mouse is over its frame.
        f.form.chooseFolderButton->setEnabled(false);
        moveOver(f.form.viewFolderButton);
        QCOMPARE(f.rules->pointer(), Pointer::Hover);
        moveOver(f.form.chooseFolderButton);
        QCOMPARE(f.rules->pointer(), Pointer::Default);
    }

    void busyPointerIsNeverReplaced()
    {
        PointerFixture f;
        QVERIFY(f.ready);
        f.rules->setHoverCursor(QCursor(QPixmap(16, 16), 2, 1));
        f.rules->setBusy(true);
        QCOMPARE(f.form.cursor().shape(), Qt::WaitCursor);
        moveOver(f.form.autoBackupButton);
        QCOMPARE(f.rules->pointer(), Pointer::Busy);
        moveOver(f.form.destinationFrame, QPoint(4, 4));
        moveOver(f.form.intervalList->viewport());
        QCOMPARE(f.rules->pointer(), Pointer::Busy);
        QCOMPARE(f.form.cursor().shape(), Qt::WaitCursor);

        f.rules->setBusy(false);
        QCOMPARE(f.rules->pointer(), Pointer::Default);
        QCOMPARE(f.form.cursor().shape(), Qt::ArrowCursor);
        moveOver(f.form.backupNowButton);
        QCOMPARE(f.rules->pointer(), Pointer::Hover);
    }

    void hoverPointerShowsTheCursorImageWhenThereIsOne()
    {
        PointerFixture f;
        QVERIFY(f.ready);
        moveOver(f.form.addFilesButton);
        // Without an image the hover pointer looks like the default one.
        QCOMPARE(f.rules->pointer(), Pointer::Hover);
        QCOMPARE(f.form.cursor().shape(), Qt::ArrowCursor);

        f.rules->setHoverCursor(QCursor(QPixmap(16, 16), 5, 3));
        QCOMPARE(f.form.cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(f.form.cursor().hotSpot(), QPoint(5, 3));
        moveOver(f.form.destinationEdit);
        QCOMPARE(f.form.cursor().shape(), Qt::ArrowCursor);
        moveOver(f.form.chooseFolderButton);
        QCOMPARE(f.form.cursor().shape(), Qt::BitmapCursor);
    }

    void hoverCursorIsLoadedFromTheProgramFolder()
    {
        QVERIFY(QImageReader::supportedImageFormats().contains("cur"));
        QTemporaryDir folder;
        const QString path = folder.filePath("HAND-M.CUR");
        LocalFileSystem files;
        QVERIFY(!loadHoverCursor(files, folder.path()).has_value());

        QVERIFY(writeFile(path, cursorFile(QSize(32, 32), QPoint(9, 2))));
        std::optional<QCursor> cursor = loadHoverCursor(files, folder.path());
        QVERIFY(cursor.has_value());
        QCOMPARE(cursor->pixmap().size(), QSize(32, 32));
        QCOMPARE(cursor->hotSpot(), QPoint(9, 2));

        // A hot spot beyond the image is ignored: the centre is used.
        QVERIFY(writeFile(path, cursorFile(QSize(16, 16), QPoint(40, 3))));
        cursor = loadHoverCursor(files, folder.path());
        QVERIFY(cursor.has_value());
        QCOMPARE(cursor->hotSpot(), QPoint(8, 8));

        // A file that is no cursor leaves the hover pointer plain; nothing fails.
        for (const QByteArray& broken :
            { QByteArray(), QByteArray("not a cursor"), cursorFile({ 32, 32 }, {}).left(30) }) {
            QVERIFY(writeFile(path, broken));
            QVERIFY(!loadHoverCursor(files, folder.path()).has_value());
        }
    }
};

QTEST_MAIN(TestPointerRules)
#include "tst_pointerrules.moc"
