// The settings of a text control in the environment data file: one
// section of keys (the main window uses "hedText") and a keyword-list
// section named after it ("hedTextKeyWordList").
#pragma once
#include <string>

class TIniFile;
class TTextEditorEx;

// Reads the keys in their order, each defaulting to what the control has
// now (so a first start keeps the designed look), through the setters of
// the settings objects (so their clamps apply); appends the keywords
// "Kw0Str" .. "Kw<maxKeywordIndex>Str" up to the first one that is missing
// or empty; then the search-hit colours. Nothing happens without a file.
void LoadTextViewSettings(TTextEditorEx& control, const TIniFile* file, const std::string& section,
                          int maxKeywordIndex = 100);
// Writes every key in the same order (the margins excepted), replaces the
// keyword-list section by the control's list, then the search-hit keys.
void SaveTextViewSettings(TTextEditorEx& control, TIniFile* file, const std::string& section);
