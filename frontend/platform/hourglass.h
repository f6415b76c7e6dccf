#pragma once
// The hourglass cursor while a program runs: shown for the life of the
// object, so the default cursor comes back however the run ends.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;
};
