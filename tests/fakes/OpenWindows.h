#pragma once

#include "ProgramFixture.h"
#include "app/MainWindowLayout.h"
#include "app/MoreOptionsDialog.h"
#include "app/RestoreWindow.h"

#include <QPushButton>
#include <QTest>
#include <QTreeView>

// The main window, More Options and Restore of a program with one file in
// its set, opened as a user opens them.
struct OpenWindows : ProgramFixture {
    QList<QWidget*> windows;

    OpenWindows()
    {
        const QString file = root.filePath("notes.txt");
        QFile made(file);
        if (!made.open(QIODevice::WriteOnly))
            qFatal("cannot make %s", qPrintable(file));
        store("Files", file + ";");
        start();
        QTest::mouseClick(form().moreOptionsButton, Qt::LeftButton);
        form().backupSetList->setCurrentIndex(form().backupSetList->model()->index(0, 0));
        QTest::mouseClick(form().restoreButton, Qt::LeftButton);
        windows = { &form(), form().findChild<MoreOptionsDialog*>(), form().findChild<RestoreWindow*>() };
    }
};
