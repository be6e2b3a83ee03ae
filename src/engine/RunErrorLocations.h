#pragma once

#include <QString>

// Where a backup run's error messages say the error happened: "in <routine>
// at line <label>". Stable texts: users quote them in reports, so they never
// change, whatever the code is called.
namespace RunErrorLocation {

inline const QString Routine = QStringLiteral("Quillkeep.IntervalSave.SaveAll");

enum Line : int {
    CheckEmptySet = 102,
    MakeTempFolder = 106,
    CopyToTemp = 156,
    ListEntry = 158,
    WriteList = 164,
    NameStamped = 168,
    RunStamped = 170,
    ReplacePlain = 172,
    RunPlain = 174,
    NameFixedStamped = 198,
    NameFixedPlain = 200,
    NameSourceStamped = 206,
    NameSourcePlain = 208,
    CopyFile = 210,
    WriteHistory = 212,
    PruneCopies = 214,
};

} // namespace RunErrorLocation
