// quillstead-bench: measures the program's hot paths against a peer, side by
// side in one run. Not run by the test suite.
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
    runHistoryBench(out, arguments.size() > 1 ? arguments.at(1) : QString());
    runBackupSetBench(out);
    runScanBench(out);
    // An optional folder argument measures the engine on another file system.
    runEngineBench(out, arguments.size() > 1 ? arguments.at(1) : QString());
    runArchiveBench(out, arguments.size() > 1 ? arguments.at(1) : QString());
    return 0;
}
