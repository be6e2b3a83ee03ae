#include "FakeTrayShell.h"
#include "desktop/cSysTray.h"

#include <QPixmap>
#include <QtTest>

namespace {

TrayPicture iconPicture(QColor color = Qt::red)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return { TrayPicture::Icon, QIcon(pixmap) };
}

// The tray control with a fake shell, recording its events as text.
struct Tray {
    FakeTrayShell shell;
    QStringList events;
    QStringList changes;
    cSysTray tray { shell };

    Tray()
    {
        QObject::connect(&tray, &cSysTray::MouseMove,
            [this](qint32 id) { events << QStringLiteral("MouseMove %1").arg(id); });
        QObject::connect(&tray, &cSysTray::MouseDown, [this](qint16 button, qint32 id) {
            events << QStringLiteral("MouseDown %1 %2").arg(button).arg(id);
        });
        QObject::connect(&tray, &cSysTray::MouseUp, [this](qint16 button, qint32 id) {
            events << QStringLiteral("MouseUp %1 %2").arg(button).arg(id);
        });
        QObject::connect(&tray, &cSysTray::MouseDblClick, [this](qint16 button, qint32 id) {
            events << QStringLiteral("MouseDblClick %1 %2").arg(button).arg(id);
        });
        QObject::connect(&tray, &cSysTray::propertyChanged, [this](const QString& name) { changes << name; });
    }
};

} // namespace

class TestSysTray : public QObject {
    Q_OBJECT

private slots:
    void addsOnceRemovesAndReportsChanges()
    {
        Tray t;
        t.tray.applyProperties({}); // a newly placed control
        QCOMPARE(t.tray.TrayTip(), QStringLiteral("Telnet Server"));
        t.changes.clear();
        t.tray.setTrayIcon(iconPicture());
        t.tray.setInTray(true);
        t.tray.setInTray(true); // already there: nothing is called or reported
        QCOMPARE(t.shell.calls.size(), 1);
        const NotifyIconData added = t.shell.calls[0].data;
        QCOMPARE(t.shell.calls[0].message, NIM_ADD);
        QCOMPARE(added.cbSize, 88u);
        QCOMPARE(added.uID, 0u);
        QCOMPARE(added.uFlags, quint32(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        QCOMPARE(added.uCallbackMessage, 1125u);
        QCOMPARE(added.szTip, QStringLiteral("Telnet Server"));
        QCOMPARE(added.hWnd, &t.tray.window());
        QCOMPARE(t.changes, (QStringList { "TrayIcon", "InTray" }));

        t.tray.setInTray(false);
        QCOMPARE(t.shell.calls.size(), 2);
        QCOMPARE(t.shell.calls[1].message, NIM_DELETE);
        QCOMPARE(t.shell.calls[1].data.uFlags, 0u);
        // The window procedure is back: a late callback raises nothing.
        t.tray.window().sendMessage(cSysTray::CallbackMessage, 0, WM_LBUTTONUP);
        QVERIFY(t.events.isEmpty());
    }

    void addsWithoutIconOrTipWhenNoneIsSet()
    {
        Tray t;
        t.tray.setInTray(true);
        QCOMPARE(t.shell.calls.size(), 1);
        QCOMPARE(t.shell.calls[0].data.uFlags, quint32(NIF_MESSAGE));
        // On a design surface the icon never reaches the shell.
        FakeTrayShell shell;
        cSysTray designed(shell, false);
        designed.setInTray(true);
        QVERIFY(designed.InTray());
        QVERIFY(shell.calls.isEmpty());
    }

    void mouseMessagesRaiseEvents_data()
    {
        QTest::addColumn<quint32>("message");
        QTest::addColumn<QString>("event");
        QTest::newRow("move") << 512u << "MouseMove 0";
        QTest::newRow("left down") << 513u << "MouseDown 1 0";
        QTest::newRow("left up") << 514u << "MouseUp 1 0";
        QTest::newRow("left double") << 515u << "MouseDblClick 1 0";
        QTest::newRow("right down") << 516u << "MouseDown 2 0";
        QTest::newRow("right up") << 517u << "MouseUp 2 0";
        QTest::newRow("right double") << 518u << "MouseDblClick 2 0";
        QTest::newRow("middle down") << 519u << "";
        QTest::newRow("middle up") << 520u << "";
        QTest::newRow("key") << 256u << "";
    }
    void mouseMessagesRaiseEvents()
    {
        QFETCH(quint32, message);
        QFETCH(QString, event);
        Tray t;
        t.tray.setInTray(true);
        t.shell.mouse(message);
        QCOMPARE(t.events.join(','), event);
        // Other window messages pass through without an event.
        t.tray.window().sendMessage(message, 0, WM_LBUTTONUP);
        QCOMPARE(t.events.join(','), event);
    }

    void onlyIconsGoIntoTheTray()
    {
        Tray t;
        t.tray.setInTray(true);
        const TrayPicture first = iconPicture(Qt::red);
        t.tray.setTrayIcon(first);
        QCOMPARE(t.shell.calls.size(), 2);
        QCOMPARE(t.shell.calls[1].message, NIM_MODIFY);
        QCOMPARE(t.shell.calls[1].data.uFlags, quint32(NIF_ICON));
        t.changes.clear();
        QPixmap bitmap(16, 16);
        bitmap.fill(Qt::blue);
        t.tray.setTrayIcon({ TrayPicture::Bitmap, QIcon(bitmap) });
        t.tray.setTrayIcon({ TrayPicture::Icon, QIcon() });
        QCOMPARE(t.shell.calls.size(), 2);
        QVERIFY(t.changes.isEmpty());
        QCOMPARE(t.tray.TrayIcon().image.cacheKey(), first.image.cacheKey());
    }

    void tipsAreCutTo63Characters()
    {
        Tray t;
        t.tray.setInTray(true);
        const QString exact(63, QChar(u'a'));
        t.tray.setTrayTip(exact);
        QCOMPARE(t.shell.registered.szTip, exact);
        t.tray.setTrayTip(exact + "bcd");
        QCOMPARE(t.shell.registered.szTip, exact);
        QCOMPARE(t.tray.TrayTip(), exact + "bcd");
        t.tray.setTrayTip(QString()); // sent too: it clears the tooltip
        QCOMPARE(t.shell.calls.last().data.uFlags, quint32(NIF_TIP));
        QCOMPARE(t.shell.registered.szTip, QString());
        // A character of two UTF-16 units is never split.
        QCOMPARE(TrayTipField(QString(62, QChar(u'a')) + QString::fromUtf8("\U0001F600")),
            QString(62, QChar(u'a')));
    }

    void handlersMayTakeTheIconOut()
    {
        Tray t;
        t.tray.setInTray(true);
        QObject::connect(&t.tray, &cSysTray::MouseUp, [&t] { t.tray.setInTray(false); });
        t.shell.leftClick();
        QVERIFY(!t.tray.InTray());
        QCOMPARE(t.shell.calls.last().message, NIM_DELETE);
    }
};

QTEST_MAIN(TestSysTray)
#include "tst_cSysTray.moc"
