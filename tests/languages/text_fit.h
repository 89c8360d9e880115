// Whether a text fits the control that shows it, measured the way Wine's
// standard controls draw it: with the control's own font (WM_GETFONT), in
// the control's client area (its template rectangle in the dialog's own
// units), less what the control draws beside the text.
#pragma once

#include <windows.h>

#include <string>

struct TextFit {
    const char *kind = "";   // "label", "check box", "button", "list entry", ...
    int neededWidth = 0;     // pixels the text takes
    int availableWidth = 0;  // pixels the control leaves it
    int neededHeight = 0;    // word-wrapping labels only: the wrapped lines,
    int availableHeight = 0; // against the label's height; 0 elsewhere
    bool Fits() const { return neededWidth <= availableWidth && neededHeight <= availableHeight; }
};

// text as control would draw it as its own text; false for a control that
// draws no text (pictures, edits, lists).
bool MeasureControlText(HWND control, const std::wstring &text, TextFit *fit);

// text as the closed drop-down list shows it when it is the chosen entry.
bool MeasureListEntry(HWND list, const std::wstring &text, TextFit *fit);
