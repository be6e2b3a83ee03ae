// quillstead-bench: measures the program's hot paths against a peer, side by
// side in one run. Not run by the test suite.
#include "Benches.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    runBackupSetBench(out);
    // An optional folder argument measures the engine on another file system.
    const QStringList arguments = QCoreApplication::arguments();
    runEngineBench(out, arguments.size() > 1 ? arguments.at(1) : QString());
    runArchiveBench(out, arguments.size() > 1 ? arguments.at(1) : QString());
    return 0;
}
