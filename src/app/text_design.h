// The designed look of the main window's text controls, as far as the text
// engine sees it: tabs, marks, margins, the colouring rules and colours.
// Portable, so the benchmarks load text with the rules the program uses.
#pragma once

class TTextEditorModel;

void ApplyTextEngineDesign(TTextEditorModel& editor);
