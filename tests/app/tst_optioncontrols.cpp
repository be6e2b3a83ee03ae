#include "app/OptionControls.h"
#include "settings/Preferences.h"
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
        , preferences(store)
    {
        auto* layout = new QVBoxLayout(&widget);
        auto add = [&](auto* control, const char* name) {
            control->setObjectName(name);
            control->setText(name);
            layout->addWidget(control);
            all << control;
            return control;
        };
        w = { add(new QRadioButton, "fixedFolderOption"), add(new QRadioButton, "sourceFolderOption"),
            add(new QRadioButton, "createNewOption"), add(new QRadioButton, "overwriteOption"),
            add(new QCheckBox, "archiveModeBox"), add(new QCheckBox, "startAtLoginBox"),
            add(new QCheckBox, "stampBox"), add(new QCheckBox, "startInTrayBox"),
            add(new QLineEdit, "destinationEdit"), add(new QPushButton, "chooseFolderButton") };
        controls = std::make_unique<OptionControls>(w, preferences, [this] { return loading; });
        QObject::connect(controls.get(), &OptionControls::startWithLoginChanged,
            [this](bool on) { startWithLogin.append(on); });
        widget.show();
    }

    QString stored(const QString& key) const { return store.value(key, "<absent>"); }
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
    Preferences preferences;
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
        click(win.w.sourceFolderOption);
        QCOMPARE(win.disabled(), QString("destinationEdit chooseFolderButton"));
        click(win.w.archiveModeBox);
        QCOMPARE(win.checked(), QString("fixedFolderOption archiveModeBox"));
        QCOMPARE(win.disabled(), QString("sourceFolderOption"));
        QCOMPARE(win.stored("WhereOption"), QString("1"));
        QCOMPARE(win.stored("Check1"), QString("1"));
        click(win.w.sourceFolderOption); // disabled: the click goes nowhere
        QCOMPARE(win.checked(), QString("fixedFolderOption archiveModeBox"));

        click(win.w.archiveModeBox);
        QCOMPARE(win.checked(), QString("fixedFolderOption"));
        QCOMPARE(win.disabled(), QString());
        QCOMPARE(win.stored("Check1"), QString("0"));
    }

    void stampOffGreysOutWriteModes()
    {
        QTemporaryDir dir;
        Window win(dir.filePath("q.ini"));
        click(win.w.overwriteOption);
        QCOMPARE(win.stored("Backup Option"), QString("2"));
        click(win.w.stampBox);
        click(win.w.stampBox);
        QCOMPARE(win.disabled(), QString("createNewOption overwriteOption"));
        QCOMPARE(win.checked(), QString("overwriteOption"));
        QCOMPARE(win.stored("Include Date"), QString("Off"));
        click(win.w.stampBox);
        QCOMPARE(win.disabled(), QString());
        QCOMPARE(win.checked(), QString("overwriteOption stampBox"));
        QCOMPARE(win.stored("Include Date"), QString("On"));
    }

    void startWithLoginOffersStartInTray()
    {
        QTemporaryDir dir;
        Window win(dir.filePath("q.ini"));
        click(win.w.startAtLoginBox);
        click(win.w.startInTrayBox);
        QCOMPARE(win.stored("Minimized"), QString("On"));
        click(win.w.startAtLoginBox);
        QCOMPARE(win.checked(), QString());
        QVERIFY(win.w.startInTrayBox->isHidden());
        QCOMPARE(win.stored("Minimized"), QString("Off"));
        QCOMPARE(win.stored("Windows Startup"), QString("Off"));
        click(win.w.startAtLoginBox);
        QVERIFY(win.w.startInTrayBox->isVisible());
        QCOMPARE(win.checked(), QString("startAtLoginBox"));
        // One switch per click: the behaviours' own changes never run one twice.
        QCOMPARE(win.startWithLogin, (QList<bool> { true, false, true }));

        win.loading = true;
        click(win.w.startInTrayBox);
        click(win.w.startAtLoginBox);
        QCOMPARE(win.checked(), QString("startInTrayBox"));
        QVERIFY(win.w.startInTrayBox->isVisible());
        QCOMPARE(win.stored("Windows Startup"), QString("On"));
        QCOMPARE(win.startWithLogin.size(), 3);
    }

    void restoreFromSettings_data()
    {
        QTest::addColumn<QStringList>("stored"); // key=value, written before start-up
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QStringList>("after"); // the store afterwards

        QTest::newRow("first start") << QStringList() << "sourceFolderOption createNewOption stampBox"
                                     << "destinationEdit chooseFolderButton"
                                     << QStringList { "WhereOption=2", "Backup Option=1", "Check1=<absent>",
                                            "Include Date=On", "Windows Startup=<absent>",
                                            "Minimized=<absent>" };
        QTest::newRow("Backup Option 7")
            << QStringList { "Backup Option=7" } << "sourceFolderOption overwriteOption stampBox"
            << "destinationEdit chooseFolderButton" << QStringList { "Backup Option=2" };
        QTest::newRow("WhereOption 3") << QStringList { "WhereOption=3" } << "createNewOption stampBox"
                                       << "" << QStringList { "WhereOption=3" };
        QTest::newRow("archive mode with WhereOption 2")
            << QStringList { "WhereOption=2", "Check1=1" }
            << "fixedFolderOption createNewOption archiveModeBox stampBox"
            << "sourceFolderOption" << QStringList { "WhereOption=1", "Check1=1" };
        QTest::newRow("lower-case on, Yes")
            << QStringList { "Include Date=Yes", "Minimized=on" } << "sourceFolderOption createNewOption"
            << "destinationEdit chooseFolderButton" << QStringList { "Include Date=Yes", "Minimized=on" };
        QTest::newRow("start with login, in tray")
            << QStringList { "Windows Startup=On", "Minimized=On", "WhereOption=1" }
            << "fixedFolderOption createNewOption startAtLoginBox stampBox startInTrayBox"
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
            win.store.setValue(pair.section('=', 0, 0), pair.section('=', 1));
        win.loading = true;
        win.controls->restoreFromSettings();
        QCOMPARE(win.checked(), checked);
        QCOMPARE(win.disabled(), disabled);
        for (const QString& pair : after)
            QCOMPARE(pair.section('=', 0, 0) + "=" + win.stored(pair.section('=', 0, 0)), pair);
        // The start-in-tray box stays shown and the registration untouched.
        QVERIFY(win.w.startInTrayBox->isVisible());
        QVERIFY(win.startWithLogin.isEmpty());
    }
};

QTEST_MAIN(OptionControlsTest)
#include "tst_optioncontrols.moc"
