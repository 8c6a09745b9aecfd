// Guidance lines of the information pane, chosen by the file's extension.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TGuidance {
    std::vector<std::string> Lines;
    std::string ButtonCaption;  // empty: no launch button
};

// By the upper-cased extension of the path (dot included).
TGuidance GuidanceFor(std::string_view path);

// Lines joined as one text, as the pane compares them with what it shows.
std::string JoinLines(const std::vector<std::string>& lines);

// The pseudo-file whose guidance is the welcome text.
inline constexpr const char* kWelcomeGuidancePath = "Exprs.KVT_GUIDANCE";

// Lines of the notice shown when text hyperlinks are switched on or off.
std::vector<std::string> HyperlinkNoticeLines(bool on);

// How many guidance lines the information pane has labels for.
inline constexpr std::size_t kInformationLabels = 10;

// What the information pane shows for guidance lines and a launch-button
// caption: the title only with some text, the button only with a caption.
struct TInformationView {
    bool TitleShown = false;
    bool ButtonShown = false;
    std::string ButtonCaption;        // padded to 60 columns
    std::vector<std::string> Labels;  // the lines that fit the labels, in order
};
TInformationView InformationView(const std::vector<std::string>& lines, const std::string& caption);
