#pragma once

#include <QSet>
#include <QString>

// The names already given in the temp folder during one archive run, and the
// rule that gives a repeated name a free one: report.doc, report_1.doc,
// report_1_2.doc; x.tar.gz, x.tar_1.gz; a name without a dot takes the
// number at its end (Makefile, Makefile_1). Letter case counts.
class TempNameSet {
public:
    // The name itself when it is new, otherwise the first free renaming of it.
    QString claim(const QString& name);

private:
    QSet<QString> m_used;
};
