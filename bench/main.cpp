// quillstead-bench: measures the program's hot paths against a peer, side by
// side in one run. Not run by the test suite.
#include "Benches.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    runBackupSetBench(out);
    runEngineBench(out);
    return 0;
}
