#include "settings/OptionControls.h"
#include "settings/SettingsStore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

// The option controls on a real window in their initial state: all enabled
// and visible, nothing selected or checked.
struct Window {
    explicit Window(const QString& iniPath)
        : store(iniPath)
    {
        auto* layout = new QVBoxLayout(&widget);
        auto add = [&](auto* control, const char* name) {
            control->setObjectName(name);
            control->setText(name);
            layout->addWidget(control);
            all << control;
            return control;
        };
        w = { add(new QRadioButton, "Option1"), add(new QRadioButton, "Option2"),
            add(new QRadioButton, "Option3"), add(new QRadioButton, "Option4"), add(new QCheckBox, "Check1"),
            add(new QCheckBox, "Check4"), add(new QCheckBox, "Check6"), add(new QCheckBox, "Check8"),
            add(new QLineEdit, "Text5"), add(new QPushButton, "PushButton1") };
        controls = std::make_unique<OptionControls>(w, store, [this] { return loading; });
        QObject::connect(controls.get(), &OptionControls::startWithLoginChanged,
            [this](bool on) { startWithLogin.append(on); });
        widget.show();
    }

    QString stored(const QString& key) const { return store.ReadSetting(key, "<absent>"); }
    // The names of the controls for which test() holds, in window order.
    template <typename Test> QString names(Test test) const
    {
        QStringList found;
        for (QWidget* control : all) {
            if (test(control))
                found << control->objectName();
        }
        return found.join(' ');
    }
    QString checked() const
    {
        return names(
            [](QWidget* c) { return qobject_cast<QAbstractButton*>(c) && c->property("checked").toBool(); });
    }
    QString disabled() const
    {
        return names([](QWidget* c) { return !c->isEnabled(); });
    }

    QWidget widget;
    QList<QWidget*> all;
    OptionWidgets w;
    SettingsStore store;
    bool loading = false;
    QList<bool> startWithLogin;
    std::unique_ptr<OptionControls> controls;
};

// Clicks on the indicator, where a user would.
void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

} // namespace

class OptionControlsTest : public QObject {
    Q_OBJECT
private slots:
    void archiveModeForcesTheFixedFolder()
    {
        QTemporaryDir dir;
        Window win(dir.filePath("q.ini"));
        click(win.w.Option2);
        QCOMPARE(win.disabled(), QString("Text5 PushButton1"));
        click(win.w.Check1);
        QCOMPARE(win.checked(), QString("Option1 Check1"));
        QCOMPARE(win.disabled(), QString("Option2"));
        QCOMPARE(win.stored("WhereOption"), QString("1"));
        QCOMPARE(win.stored("Check1"), QString("1"));
        click(win.w.Option2); // disabled: the click goes nowhere
        QCOMPARE(win.checked(), QString("Option1 Check1"));

        click(win.w.Check1);
        QCOMPARE(win.checked(), QString("Option1"));
        QCOMPARE(win.disabled(), QString());
        QCOMPARE(win.stored("Check1"), QString("0"));
    }

    void stampOffGreysOutWriteModes()
    {
        QTemporaryDir dir;
        Window win(dir.filePath("q.ini"));
        click(win.w.Option4);
        QCOMPARE(win.stored("Backup Option"), QString("2"));
        click(win.w.Check6);
        click(win.w.Check6);
        QCOMPARE(win.disabled(), QString("Option3 Option4"));
        QCOMPARE(win.checked(), QString("Option4"));
        QCOMPARE(win.stored("Include Date"), QString("Off"));
        click(win.w.Check6);
        QCOMPARE(win.disabled(), QString());
        QCOMPARE(win.checked(), QString("Option4 Check6"));
        QCOMPARE(win.stored("Include Date"), QString("On"));
    }

    void startWithLoginOffersStartInTray()
    {
        QTemporaryDir dir;
        Window win(dir.filePath("q.ini"));
        click(win.w.Check4);
        click(win.w.Check8);
        QCOMPARE(win.stored("Minimized"), QString("On"));
        click(win.w.Check4);
        QCOMPARE(win.checked(), QString());
        QVERIFY(win.w.Check8->isHidden());
        QCOMPARE(win.stored("Minimized"), QString("Off"));
        QCOMPARE(win.stored("Windows Startup"), QString("Off"));
        click(win.w.Check4);
        QVERIFY(win.w.Check8->isVisible());
        QCOMPARE(win.checked(), QString("Check4"));
        // One switch per click: the behaviours' own changes never run one twice.
        QCOMPARE(win.startWithLogin, (QList<bool> { true, false, true }));

        win.loading = true;
        click(win.w.Check8);
        click(win.w.Check4);
        QCOMPARE(win.checked(), QString("Check8"));
        QVERIFY(win.w.Check8->isVisible());
        QCOMPARE(win.stored("Windows Startup"), QString("On"));
        QCOMPARE(win.startWithLogin.size(), 3);
    }

    void restoreFromSettings_data()
    {
        QTest::addColumn<QStringList>("stored"); // key=value, written before start-up
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QStringList>("after"); // the store afterwards

        QTest::newRow("first start") << QStringList() << "Option2 Option3 Check6"
                                     << "Text5 PushButton1"
                                     << QStringList { "WhereOption=2", "Backup Option=1", "Check1=<absent>",
                                            "Include Date=On", "Windows Startup=<absent>",
                                            "Minimized=<absent>" };
        QTest::newRow("Backup Option 7") << QStringList { "Backup Option=7" } << "Option2 Option4 Check6"
                                         << "Text5 PushButton1" << QStringList { "Backup Option=2" };
        QTest::newRow("WhereOption 3") << QStringList { "WhereOption=3" } << "Option3 Check6"
                                       << "" << QStringList { "WhereOption=3" };
        QTest::newRow("Check1 with WhereOption 2")
            << QStringList { "WhereOption=2", "Check1=1" } << "Option1 Option3 Check1 Check6"
            << "Option2" << QStringList { "WhereOption=1", "Check1=1" };
        QTest::newRow("lower-case on, Yes")
            << QStringList { "Include Date=Yes", "Minimized=on" } << "Option2 Option3"
            << "Text5 PushButton1" << QStringList { "Include Date=Yes", "Minimized=on" };
        QTest::newRow("start with login, in tray")
            << QStringList { "Windows Startup=On", "Minimized=On", "WhereOption=1" }
            << "Option1 Option3 Check4 Check6 Check8"
            << "" << QStringList { "Windows Startup=On", "Minimized=On" };
    }
    void restoreFromSettings()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, checked);
        QFETCH(QString, disabled);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        Window win(dir.filePath("q.ini"));
        for (const QString& pair : stored)
            win.store.WriteSetting(pair.section('=', 0, 0), pair.section('=', 1));
        win.loading = true;
        win.controls->restoreFromSettings();
        QCOMPARE(win.checked(), checked);
        QCOMPARE(win.disabled(), disabled);
        for (const QString& pair : after)
            QCOMPARE(pair.section('=', 0, 0) + "=" + win.stored(pair.section('=', 0, 0)), pair);
        // The start-in-tray box stays shown and the registration untouched.
        QVERIFY(win.w.Check8->isVisible());
        QVERIFY(win.startWithLogin.isEmpty());
    }
};

QTEST_MAIN(OptionControlsTest)
#include "tst_OptionControls.moc"
