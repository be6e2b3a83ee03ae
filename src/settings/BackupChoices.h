#pragma once

// Where per-file backups go: one fixed folder, beside each source file, or
// (a stored choice the program does not know) nowhere.
enum class DestinationMode { None, FixedFolder, SourceFolder };
// How stamped backups are named: a new one every run, or one a day.
enum class WriteMode { None, CreateNew, Overwrite };
// What a failure during an automatic backup does.
enum class FailureHandling { ShowAndWait, NoteAndGoOn };
