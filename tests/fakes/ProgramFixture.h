#pragma once

#include "FakeClock.h"
#include "FakeLauncher.h"
#include "FakeTrayIcon.h"
#include "ScriptedDialogs.h"
#include "app/MainWindow.h"
#include "platform/LocalFileSystem.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// The whole program on real widgets offscreen, with a program folder and a
// settings file of its own, and fakes only for the dialogs, the launcher,
// the clock and the tray.
struct ProgramFixture {
    QTemporaryDir root;
    QString folder = root.filePath("prog");
    LocalFileSystem files;
    FakeClock clock;
    ScriptedDialogs dialogs;
    FakeLauncher launcher;
    FakeTrayIcon tray;
    QString autostart = root.filePath("config/autostart");
    std::unique_ptr<SettingsStore> settings
        = std::make_unique<SettingsStore>(root.filePath("Quillstead.ini"));
    int ended = 0;
    std::function<int()> draw = [] { return 50; }; // the home-page draw, early in start-up
    std::unique_ptr<MainWindow> window;
    SleepInhibitor* sleepInhibitor = nullptr;

    ProgramFixture() { QDir().mkpath(folder); }
    void store(const QString& key, const QString& value) { settings->setValue(key, value); }
    MainWindow& start()
    {
        window = std::make_unique<MainWindow>(ProgramServices {
            .files = files,
            .clock = clock,
            .dialogs = dialogs,
            .launcher = launcher,
            .settings = *settings,
            .programFolder = folder,
            .locale = QLocale(QLocale::English, QLocale::UnitedStates),
            .homePageAddress = QString(),
            .drawHomePageVisit = draw,
            .endProcess = [this] { ++ended; },
            .trayIcon = &tray,
            .autostartFolder = autostart,
            .executablePath = folder + "/quillstead",
            .sleepInhibitor = sleepInhibitor,
        });
        window->startUp();
        return *window;
    }
    MainWindowLayout& form() { return window->form(); }
    QString stored(const QString& key) { return settings->value(key, QStringLiteral("<absent>")); }
    QStringList storedKeys() const
    {
        QSettings ini(root.filePath("Quillstead.ini"), QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Quillstead"));
        return ini.childKeys();
    }
    QString file(const QString& name, const QByteArray& content = "data")
    {
        QDir().mkpath(root.filePath("docs"));
        QFile f(root.filePath("docs/" + name));
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return f.fileName();
    }
};
