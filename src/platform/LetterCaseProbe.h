#pragma once

// Whether the open folder takes names without letter case: from the file
// system's type where that tells, else by making a hidden probe file.
bool folderIgnoresLetterCase(int folder);
