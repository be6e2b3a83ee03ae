#pragma once

#include <QString>
#include <functional>

class Clock;
class Launcher;

// The occasional visit to the home page at start-up, and the draw that decides it.

// Opens the home page in the user's browser when draw() gives 7; draw()
// yields a whole number from 1 to 100. The browser is not waited for. The
// address is a build setting (QUILL_HOME_PAGE); without one, nothing opens.
void maybeVisitHomePage(const QString& address, const std::function<int()>& draw, Launcher& launcher);

// Draws from 1 to 100, uniformly, from a generator seeded with the clock's time of day.
std::function<int()> clockSeededDraw(const Clock& clock);
