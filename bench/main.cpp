// quillstead-bench: measures the program's hot paths against a peer, side by
// side in one run. Not run by the test suite.
// Usage: quillstead-bench [FOLDER [NAME]]: the files go below FOLDER; NAME
// (history, backupset, scan, engine, archive, unattended, restore) runs that one only.
#include "Benches.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The clipboard copy needs a GUI; without a display it runs offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList arguments = QCoreApplication::arguments();
    const QString folder = arguments.value(1);
    const QString only = arguments.value(2);
    const auto wanted = [&](const char* name) { return only.isEmpty() || only == QLatin1String(name); };
    if (wanted("history"))
        runHistoryBench(out, folder);
    if (wanted("backupset"))
        runBackupSetBench(out);
    if (wanted("scan"))
        runScanBench(out);
    // A folder argument measures the engine on another file system.
    if (wanted("engine"))
        runEngineBench(out, folder);
    if (wanted("archive"))
        runArchiveBench(out, folder);
    if (wanted("unattended"))
        runUnattendedBench(out, folder);
    if (wanted("restore"))
        runRestoreBench(out, folder);
    return 0;
}
