#include "HomePageVisit.h"
#include "MainWindow.h"
#include "MainWindowLayout.h"
#include "engine/DateText.h"
#include "platform/Platform.h"
#include "platform/QtDialogs.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "settings/SettingsStore.h"
#include "support/ProgramFolder.h"

#include <QApplication>

int main(int argc, char* argv[])
{
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

    window.startUp();
    // A close request while start-up waited has already shut the program down.
    if (window.hasShutDown())
        return 0;
    window.showAfterStartUp();
    return application.exec();
}
