// Texts of the member list's rows and the list's sorting by column text.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_operation_ports.h"

// "%8d" of a size.
std::string ArchiveSizeText(std::uint64_t size);
// Ratio in per mille as "%-3.1f" of the percentage, then "%".
std::string ArchiveRatioText(std::uint16_t per_mille);
// A calendar date-time (days since 1899-12-30) as yyyy/mm/dd/ hh:mm:ss.
std::string ArchiveDateTimeText(double date_time);

// Sorts by the upper-cased text of a column (0: the caption, c: sub-item
// c-1), compared byte by byte; equal keys keep their order.
void SortArchiveRows(std::vector<TArchiveRow>& rows, int column, bool ascending);
