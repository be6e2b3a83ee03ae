#pragma once

class Clock;

// Returns after n seconds, letting pending events run over and over meanwhile.
// Time is measured on the monotonic clock, so midnight or a clock change
// neither shortens nor stretches the wait.
void WaitSeconds(int n, const Clock& clock);
