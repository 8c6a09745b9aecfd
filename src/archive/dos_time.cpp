#include "archive/dos_time.h"

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000ull;
constexpr std::uint64_t kTicksPerDay = 86400ull * kTicksPerSecond;
// Days from 1601-01-01 to 1899-12-30, the zero of a calendar date-time.
constexpr std::int64_t kDaysTo1899 = 109205;

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days from 1601-01-01 to the given date (proleptic Gregorian).
std::int64_t DaysFrom1601(int y, int m, int d) {
    std::int64_t years = y - 1601;
    std::int64_t days = years * 365 + years / 4 - years / 100 + years / 400;
    for (int i = 1; i < m; ++i)
        days += DaysInMonth(y, i);
    return days + d - 1;
}

} // namespace

std::uint64_t DosDateTimeToFileTime(std::uint16_t date, std::uint16_t time) {
    int year = 1980 + (date >> 9);
    int month = (date >> 5) & 15;
    int day = date & 31;
    int hour = time >> 11;
    int minute = (time >> 5) & 63;
    int second = (time & 31) * 2;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return 0;
    std::uint64_t days = static_cast<std::uint64_t>(DaysFrom1601(year, month, day));
    return days * kTicksPerDay +
           static_cast<std::uint64_t>(hour * 3600 + minute * 60 + second) * kTicksPerSecond;
}

double FileTimeToDateTime(std::uint64_t file_time) {
    std::int64_t days = static_cast<std::int64_t>(file_time / kTicksPerDay);
    std::uint64_t ms = (file_time % kTicksPerDay) / 10000;
    return static_cast<double>(days - kDaysTo1899) + static_cast<double>(ms) / 86400000.0;
}

void FileTimeToDosDateTime(std::uint64_t file_time, std::uint16_t* date, std::uint16_t* time) {
    std::int64_t days = static_cast<std::int64_t>(file_time / kTicksPerDay);
    std::uint64_t secs = (file_time % kTicksPerDay) / kTicksPerSecond;
    int y = 1601;
    while (true) {
        int len = IsLeap(y) ? 366 : 365;
        if (days < len) break;
        days -= len;
        ++y;
    }
    int m = 1;
    while (days >= DaysInMonth(y, m)) {
        days -= DaysInMonth(y, m);
        ++m;
    }
    int d = static_cast<int>(days) + 1;
    if (y < 1980 || y > 2107) {
        *date = static_cast<std::uint16_t>((0 << 9) | (1 << 5) | 1); // 1980-01-01
        *time = 0;
        return;
    }
    *date = static_cast<std::uint16_t>(((y - 1980) << 9) | (m << 5) | d);
    *time = static_cast<std::uint16_t>(((secs / 3600) << 11) | (((secs / 60) % 60) << 5) |
                                       ((secs % 60) / 2));
}
