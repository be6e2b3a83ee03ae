#pragma once

#include <QString>
#include <functional>

class Clock;
class Launcher;

// Module Main: small routines shared by start-up, the splash window and history viewing.

// The maker's home page, opened now and then at start-up.
inline constexpr char HomePageAddress[] = "https://www.brookmere.example/";

// Opens the home page in the user's browser when draw() gives 7; draw()
// yields a whole number from 1 to 100. The browser is not waited for.
void MaybeVisitHomePage(const std::function<int()>& draw, Launcher& launcher);

// Draws from 1 to 100, uniformly, from a generator seeded with the clock's time of day.
std::function<int()> ClockSeededDraw(const Clock& clock);
