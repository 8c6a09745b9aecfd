// Texts of the file information line above the preview.
#pragma once
#include <string>

// "1,234 bytes"; "byte" below 2. The separator is the locale's.
std::string SizeText(long long size, char thousandsSep = ',');
// " name date [     size text] "
std::string InformationPrefix(const std::string& name, const std::string& date, const std::string& sizeText);
// "%3d" of the truncated percentage with " Enlarged"/" Reduced"; empty for scale 0.
std::string ZoomText(double scale);
// Load status of a text preview: the share loaded, or " Full Loaded".
std::string LoadStatusText(bool partialRead, long long size, int limitKB);
