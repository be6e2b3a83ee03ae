#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

// Puts the program's texts into the user's language: the program's own
// translation (translations/quillstead_<language>.qm, looked up in the
// program's folders) and Qt's (the standard buttons' captions). A language
// without a translation, or one whose file is missing, leaves the English
// texts. Returns the languages' files that were loaded, for the record.
QStringList installTranslations(
    QCoreApplication& application, const QLocale& locale, const QStringList& folders);
