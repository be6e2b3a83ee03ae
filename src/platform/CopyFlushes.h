#pragma once

#include "PendingCopy.h"

#include <vector>

// The flushes that make a group of copies durable: the data of every working
// file before any of them takes a backup's name, and the renames after them.
// Each returns the error of each copy's flush, 0 for none.
std::vector<int> flushData(const std::vector<PendingCopy>& pending);
std::vector<int> flushRenames(const std::vector<PendingCopy>& pending, const std::vector<bool>& renamed);

// Whether the open file lies on a drive served by a FUSE driver.
bool onFuseDrive(int fd);
