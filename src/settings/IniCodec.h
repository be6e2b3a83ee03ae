#pragma once

#include <QSettings>

class QIODevice;

// The settings file's format: the INI syntax of QSettings::IniFormat (same
// escapes, quoting and percent-encoded keys, so either reader gives the same
// values), but written in one pass. Qt's own writer converts a value one
// character at a time, which takes a quarter of a second for a full backup set.
// Every value reads back as text; a hand-typed comma list reads as its items
// joined by ","; a ";" outside quotes (which Qt's writer never leaves) is
// part of the value, not the start of a comment.
QSettings::Format iniSettingsFormat();

bool readIniSettings(QIODevice& device, QSettings::SettingsMap& map);
// True when the file's text has a header opening the given section.
bool iniHasSection(const QByteArray& bytes, const QString& section);
bool writeIniSettings(QIODevice& device, const QSettings::SettingsMap& map);
