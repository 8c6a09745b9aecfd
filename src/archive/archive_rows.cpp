#include "archive/archive_rows.h"

#include <algorithm>
#include <cmath>

#include "base/sjis.h"
#include "base/strutil.h"

std::string ArchiveSizeText(std::uint64_t size) {
    // Unsigned, so that members of 2 GiB and more do not show as negative.
    return Format("%8llu", static_cast<unsigned long long>(size));
}

std::string ArchiveRatioText(std::uint16_t per_mille) {
    return Format("%-3.1f", per_mille / 10.0) + "%";
}

namespace {
// Civil date of a day count since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}
} // namespace

std::string ArchiveDateTimeText(double date_time) {
    // Whole milliseconds, rounded, as the calendar value's time of day is kept.
    const long long ms = std::llround(date_time * 86400000.0);
    long long days = ms / 86400000;
    long long rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    int y = 0, m = 0, d = 0;
    // 1899-12-30 is 25569 days before 1970-01-01.
    CivilFromDays(days - 25569, y, m, d);
    const long long secs = rest / 1000;
    return Format("%04d/%02d/%02d/ %02d:%02d:%02d", y, m, d, static_cast<int>(secs / 3600),
                  static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
}

void SortArchiveRows(std::vector<TArchiveRow>& rows, int column, bool ascending) {
    auto key = [column](const TArchiveRow& r) {
        if (column == 0) return SjisUpperCase(r.Caption);
        const std::size_t i = static_cast<std::size_t>(column - 1);
        return i < r.SubItems.size() ? SjisUpperCase(r.SubItems[i]) : std::string();
    };
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        keys.emplace_back(key(rows[i]), i);
    std::stable_sort(keys.begin(), keys.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? a.first < b.first : b.first < a.first;
    });
    std::vector<TArchiveRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& k : keys)
        sorted.push_back(std::move(rows[k.second]));
    rows.swap(sorted);
}
