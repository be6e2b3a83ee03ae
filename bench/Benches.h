#pragma once

#include <QTextStream>

// Each benchmark prints its figures and one summary line to out.
void runEngineBench(QTextStream& out);
void runBackupSetBench(QTextStream& out);
