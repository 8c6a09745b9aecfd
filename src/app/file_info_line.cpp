#include "app/file_info_line.h"

#include <cmath>

#include "base/strutil.h"

std::string SizeText(long long size, char thousandsSep) {
    return GroupThousands(size, thousandsSep) + (size < 2 ? "byte" : "bytes");
}

std::string InformationPrefix(const std::string& name, const std::string& date, const std::string& sizeText) {
    return " " + name + " " + date + " [" + Format("%15s", sizeText.c_str()) + "] ";
}

std::string ZoomText(double scale) {
    if (scale == 0) return "";
    std::string text = Format("%3d", static_cast<int>(std::trunc(scale * 100)));
    if (scale > 1) return text + "% Enlarged";
    if (scale < 1) return text + "% Reduced";
    return text + "%";
}

std::string LoadStatusText(bool partialRead, long long size, int limitKB) {
    const long long limit = static_cast<long long>(limitKB) * 1024;
    if (partialRead && size > limit) {
        return " " + Format("%.1f", static_cast<double>(limit) / static_cast<double>(size) * 100) + " % Loaded";
    }
    return " Full Loaded";
}
