#include "tests/languages/text_fit.h"

namespace {

// What a control draws besides its text, in pixels; taken from how Wine's
// user32 paints its buttons, statics and combo boxes.
const int GroupBoxInset = 7;  // the frame's caption starts this far in on either side...
const int LabelShift = 1;     // ...and a left-aligned button label one pixel further
const int ListItemInset = 1;  // a closed list shrinks its item area by a pixel on every side
const int ListTextIndent = 1; // and draws its entry one pixel into what is left

enum Kind { KIND_NONE, KIND_LABEL, KIND_CHECK, KIND_RADIO, KIND_BUTTON, KIND_GROUP };

Kind KindOf(HWND control)
{
    wchar_t className[32] = L"";
    GetClassNameW(control, className, 32);
    DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    if (!lstrcmpiW(className, L"Static")) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            return KIND_LABEL;
        }
        return KIND_NONE;
    }
    if (lstrcmpiW(className, L"Button"))
        return KIND_NONE;
    if (style & BS_PUSHLIKE)
        return KIND_BUTTON;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return KIND_BUTTON;
    case BS_GROUPBOX:
        return KIND_GROUP;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return KIND_RADIO;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return KIND_CHECK;
    }
    return KIND_NONE;
}

// The DrawText flags a static control paints its text with.
UINT LabelFormat(DWORD style)
{
    UINT format;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format = DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        format = DT_LEFT | DT_EXPANDTABS;
        break;
    default:
        format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if ((style & SS_TYPEMASK) != SS_SIMPLE && (style & SS_CENTERIMAGE))
        format |= DT_SINGLELINE | DT_VCENTER;
    return format;
}

// The control's font selected into its own DC for the measurement's life.
class ControlDc {
public:
    explicit ControlDc(HWND control) : window(control), dc(GetDC(control))
    {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        previous = font ? SelectObject(dc, font) : NULL;
    }
    ~ControlDc()
    {
        if (previous)
            SelectObject(dc, previous);
        ReleaseDC(window, dc);
    }
    operator HDC() const { return dc; }

private:
    HWND window;
    HDC dc;
    HGDIOBJ previous;
};

} // namespace

bool MeasureControlText(HWND control, const std::wstring &text, TextFit *fit)
{
    Kind kind = KindOf(control);
    if (kind == KIND_NONE)
        return false;
    DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    RECT client;
    GetClientRect(control, &client);
    ControlDc dc(control);

    *fit = TextFit();
    UINT format = DT_SINGLELINE;
    int width = client.right;
    switch (kind) {
    case KIND_LABEL:
        fit->kind = "label";
        format = LabelFormat(style);
        break;
    case KIND_CHECK:
    case KIND_RADIO: {
        // The box is 12 pixels at 96 dpi plus one, its gap half a digit.
        fit->kind = kind == KIND_CHECK ? "check box" : "radio button";
        int box = 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1;
        int digit = 0;
        GetCharWidthW(dc, L'0', L'0', &digit);
        width -= box + digit / 2 + LabelShift;
        break;
    }
    case KIND_BUTTON:
        // The raised edge on either side, and the default button's frame.
        fit->kind = "button";
        width -= 2 * GetSystemMetrics(SM_CXEDGE) + ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 2 : 0);
        break;
    case KIND_GROUP:
        fit->kind = "group box";
        width -= 2 * GroupBoxInset + LabelShift;
        break;
    case KIND_NONE:
        break;
    }

    RECT needed = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, format | DT_CALCRECT);
    fit->neededWidth = needed.right - needed.left;
    fit->availableWidth = width;
    // A word-wrapping label must hold its lines; a single-line text is
    // centred on its control and only its width counts.
    if (!(format & DT_SINGLELINE) && (format & DT_WORDBREAK)) {
        fit->neededHeight = needed.bottom - needed.top;
        fit->availableHeight = client.bottom;
    }
    return true;
}

bool MeasureListEntry(HWND list, const std::wstring &text, TextFit *fit)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (!GetComboBoxInfo(list, &info))
        return false;
    ControlDc dc(list);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    *fit = TextFit();
    fit->kind = "list entry";
    fit->neededWidth = size.cx;
    fit->availableWidth = info.rcItem.right - info.rcItem.left - 2 * ListItemInset - ListTextIndent;
    return true;
}
