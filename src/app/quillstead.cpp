#include "HomePageVisit.h"
#include "MainWindow.h"
#include "MainWindowLayout.h"
#include "ScriptedBackup.h"
#include "engine/DateText.h"
#include "platform/Platform.h"
#include "platform/QtDialogs.h"
#include "platform/SingleInstance.h"
#include "platform/SleepInhibitor.h"
#include "platform/TerminationSignals.h"
#include "settings/SettingsStore.h"
#include "support/ProgramFolder.h"
#include "support/Translations.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char* const Usage = R"(Usage: quillstead [--backup-now | --help]

Without options, opens the window (or brings the running one forward).

  --backup-now  Runs one backup with the stored settings and ends. When the
                window is running, that copy makes the run. Failures are
                noted in the history log, none waits for a click, and each
                is written to stderr, one line each. Exit status: 0 every
                file was backed up or unchanged, 1 some files failed, 2
                nothing could run (no files in the set, no destination, the
                backup drive missing, the settings unreadable).
  --help        Shows this text.
)";

bool hasArgument(int argc, char* argv[], const char* wanted)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], wanted) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if (hasArgument(argc, argv, "--help")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    // No window, no display needed: a timer's script may run without one.
    if (hasArgument(argc, argv, "--backup-now"))
        return backUpForScript(argc, argv);
    QApplication application(argc, argv);
    // One copy per user and display. A later start brings the running window
    // forward and ends here, before it reads or writes anything.
    SingleInstance instance(SingleInstance::sessionFolder(), SingleInstance::sessionName());
    if (!instance.claim())
        return 0;
    Platform platform = makePlatform();
    SettingsStore settings;
    QtDialogs dialogs(nullptr);
    const ProgramFolders folders = runningProgramFolders();
    installTranslations(application, programLocale(), folders.lookup);
    SleepInhibitor sleepInhibitor;
    MainWindow window(ProgramServices {
        .files = *platform.files,
        .clock = *platform.clock,
        .dialogs = dialogs,
        .launcher = *platform.launcher,
        .settings = settings,
        .programFolder = folders.writable,
        .locale = programLocale(),
        .homePageAddress = QStringLiteral(QUILL_HOME_PAGE),
        .drawHomePageVisit = clockSeededDraw(*platform.clock),
        .endProcess = [] { QCoreApplication::quit(); },
        .readFolders = folders.lookup,
        .trayIcon = platform.tray.get(),
        .sleepInhibitor = &sleepInhibitor,
    });
    dialogs.setOwner(&window.form());
    dialogs.setStopRequest(&window.stopRequest());

    // A termination signal or the end of the desktop session closes the
    // window, so the ordinary shutdown runs.
    TerminationSignals termination;
    QObject::connect(
        &termination, &TerminationSignals::terminationRequested, &window.form(), &QWidget::close);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window.form(),
        [&window] { window.form().close(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &window, &MainWindow::shutdown);

    QObject::connect(&instance, &SingleInstance::anotherStartRequested, &window, &MainWindow::bringToFront);
    QObject::connect(&instance, &SingleInstance::requestReceived, &window, &MainWindow::answerRequest);

    window.startUp();
    // A close request while start-up waited has already shut the program down.
    if (window.hasShutDown())
        return 0;
    window.showAfterStartUp();
    return application.exec();
}
