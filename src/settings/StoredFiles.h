#pragma once

#include <QString>
#include <QStringList>

// The stored form of the backup set: every entry followed by ";", the empty
// set as the empty text. ";" is a pure separator, so no entry may contain it.
QString encodeFiles(const QStringList& entries);
// The entries of a stored backup set, in order. Pieces that are empty or made
// only of blanks are skipped; the others are kept exactly, blanks included.
QStringList decodeFiles(const QString& stored);
