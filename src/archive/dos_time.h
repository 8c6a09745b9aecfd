// MS-DOS date/time, 64-bit file time and calendar date-time conversions,
// done the way the platform does them (no time-zone shift: a DOS stamp is
// local time and stays local).
#pragma once
#include <cstdint>

// 100-ns ticks since 1601-01-01; 0 when the DOS fields are not a valid date.
std::uint64_t DosDateTimeToFileTime(std::uint16_t date, std::uint16_t time);
// Days since 1899-12-30 with the time of day as fraction, at millisecond
// resolution (the file time is taken through a system-time split first).
double FileTimeToDateTime(std::uint64_t file_time);
// The other way, for the libraries that fill records: 0 date before 1980.
void FileTimeToDosDateTime(std::uint64_t file_time, std::uint16_t* date, std::uint16_t* time);
