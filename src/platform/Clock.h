#pragma once
// The local time, behind an interface so tests can fix the time stamps.

struct LocalTime {
    int year = 0;  // full year, 2008
    int month = 0; // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalTime Now() = 0;
};

class CSystemClock : public IClock {
public:
    LocalTime Now() override;
};

class CFixedClock : public IClock {
public:
    explicit CFixedClock(const LocalTime& time) : time(time) {}
    LocalTime Now() override { return time; }
    LocalTime time;
};
