#pragma once

#include <QString>
#include <QStringView>

// How keys and values are written in the settings file and read back, in
// the escapes and quoting of QSettings::IniFormat.

// Key names: "/" becomes "\", anything but letters, digits, "_", "-" and "."
// becomes %XX or %UXXXX.
void appendEscapedKey(QString& out, QStringView key);
QString unescapedKey(QStringView key);

// Values: C-style escapes for control characters, quotes and backslashes; the
// whole value in quotes when it holds ";", "," or "=" or starts or ends with a blank.
void appendEscapedValue(QString& out, const QString& value);
// The text of one value: escapes resolved, quotes removed, unquoted blanks
// around it dropped. Comma-separated items come back joined by ",". Qt's
// reader takes any ";" outside quotes for the start of a comment. Qt's writer
// quotes every value holding ";", so in a value without quotes a ";" can only
// be typed by hand, and there it is text: Files=/a;/b; keeps every entry.
// After a quoted part it still starts a comment.
QString unescapedValue(QStringView value);

// Only blanks and tabs: other white space (a no-break space) belongs to the text.
QStringView trimmedBlanks(QStringView text);
