#pragma once

// Lets pending window events run once, as the program does while it works or waits.
void letEventsRun();
