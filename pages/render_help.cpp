// The rendering-style help: a modal dialog whose picture explains the five
// rendering styles.
#include "pages/pages.h"
#include "pages/protocol.h"
#include "resources/resource.h"

void ShowRenderHelp(HWND owner, HINSTANCE instance)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_RENDER_HELP), owner, CRenderDlgProc, 0);
}

INT_PTR CALLBACK CRenderDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return 1;
    case WM_COMMAND:
        // The whole wParam: OK or Enter is 1, Escape and the close box 2.
        if (wParam == IDOK) {
            EndDialog(dialog, IDOK);
            return 1;
        }
        if (wParam == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return 2;
        }
        break;
    case WM_DESTROY:
        ReleaseTemplatePictures(dialog);
        break;
    }
    return 0;
}
