#pragma once

#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "engine/BackupRun.h"
#include "engine/CopyCatalog.h"
#include "platform/LocalFileSystem.h"
#include "platform/StopRequest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

inline const QLocale runLocale(QLocale::English, QLocale::UnitedStates);
// The caption of a run that ends at the fake clock's time.
inline const QString runCompleted = QStringLiteral("Auto Backup Complete at 12/6/2026 9:05:03 PM");

// The end of a run's error message: where the error happened.
inline QString runErrorEnd(int line)
{
    return QStringLiteral("\r\nin Quillkeep.IntervalSave.SaveAll at line %1").arg(line);
}

// The build links the system's 7za beside the test programs.
inline QString realArchiver()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/7za");
}

// A program folder, a source folder and a destination folder, all real, with
// a run wired to a scripted error box and a fixed clock.
struct RunBench {
    QTemporaryDir root;
    LocalFileSystem files;
    FakeClock clock;
    ScriptedDialogs dialogs;
    StopRequest stop;
    CopyCatalog catalog { prog("catalog.sqlite") };
    BackupRun run { RunServices { files, clock, dialogs, runLocale, prog(), stop, {}, &catalog } };
    QStringList captions;
    QStringList folderWrites;
    // What each run told at its end: how many files failed, negative when
    // they were shown rather than noted.
    QList<int> told;

    RunBench()
    {
        QDir(root.path()).mkpath("prog");
        QDir(root.path()).mkpath("docs");
        QDir(root.path()).mkpath("dest");
    }
    // The real archiver in the program folder, and its temp folder.
    void addArchiver()
    {
        QDir(root.path()).mkpath("prog/temp");
        QFile::link(realArchiver(), prog("7za"));
    }
    // Replaces the archiver by a script (it may call the real one as "$REAL").
    void archiverScript(const QByteArray& body)
    {
        QFile::remove(prog("7za"));
        write(prog("7za"), "#!/bin/sh\nREAL='" + realArchiver().toUtf8() + "'\n" + body + "\n",
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString prog(const QString& name = QString()) const
    {
        return root.filePath("prog") + (name.isEmpty() ? "" : "/" + name);
    }
    QString dest(const QString& name = QString()) const { return root.filePath("dest") + "/" + name; }
    // A source file below docs/; its content is its own name unless given.
    QString source(const QString& relative, const QByteArray& content = QByteArray())
    {
        const QString path = root.filePath("docs/" + relative);
        QDir().mkpath(QFileInfo(path).path());
        write(path, content.isNull() ? relative.toUtf8() : content);
        return path;
    }
    QString history() const { return QString::fromUtf8(readAll(prog("history.txt"))); }
    // What the destination folder holds, hidden files included.
    QStringList destFiles() const
    {
        return QDir(dest()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    RunOptions options(bool archive, bool stamping = false, WriteMode mode = WriteMode::CreateNew) const
    {
        return RunOptions { archive, stamping, DestinationMode::FixedFolder, mode, dest() };
    }
    RunRequest request(RunOptions options, const QStringList& entries)
    {
        return RunRequest { std::move(options), entries, [this](const QString& c) { captions << c; },
            [this](const QString& t) { folderWrites << t; },
            [this](const RunOutcome& outcome) { told << (outcome.noted ? outcome.failed : -outcome.failed); } };
    }
    bool saveAll(const QStringList& entries, RunOptions options)
    {
        return run.run(request(std::move(options), entries));
    }
};
