#pragma once

class Clock;
class StopRequest;

// Returns after n seconds, letting pending events run over and over meanwhile.
// Time is measured on the monotonic clock, so midnight or a clock change
// neither shortens nor stretches the wait. Returns at once when stop is
// raised (the program is closing).
void waitSeconds(int n, const Clock& clock, const StopRequest& stop);
