// The secure-print dialog: the password typed twice; only two equal entries
// confirm it.
#include "pages/pages.h"
#include "pages/protocol.h"
#include "resources/resource.h"

// What the dialog procedure leaves for the routine that ran the dialog.
static SecurePrintResult SecureDialogResult;

static const int SECURE_PASSWORD_LIMIT = TEXT_FIELD_LIMIT(securePassword);

// Forgets the typed password whole, not just its first unit.
static void ClearSecureDialogResult()
{
    SecureZeroMemory(&SecureDialogResult, sizeof(SecureDialogResult));
}

void ShowSecurePrintDialog(HWND owner, SecurePrintResult &out, HINSTANCE instance)
{
    // A dialog that cannot be shown must not hand back an earlier password.
    ClearSecureDialogResult();
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SECURE_PRINT), owner, CSecureDlgProc, 0);
    out = SecureDialogResult;
    ClearSecureDialogResult();
}

// Unit by unit and case-sensitive: lstrcmpW would compare by locale rules.
static bool SameText(const WCHAR *a, const WCHAR *b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

static void ConfirmSecurePassword(HWND dialog)
{
    WCHAR confirmation[SECURE_PASSWORD_LIMIT + 1];
    ClearSecureDialogResult();
    GetDlgItemTextW(dialog, IDC_SECURE_PASSWORD, SecureDialogResult.password, SECURE_PASSWORD_LIMIT + 1);
    GetDlgItemTextW(dialog, IDC_SECURE_CONFIRM, confirmation, SECURE_PASSWORD_LIMIT + 1);
    bool same = SameText(SecureDialogResult.password, confirmation);
    SecureZeroMemory(confirmation, sizeof(confirmation));
    if (same) {
        SecureDialogResult.confirmed = 1;
        EndDialog(dialog, IDOK);
        return;
    }

    WCHAR text[LIST_ENTRY_UNITS], caption[LIST_ENTRY_UNITS];
    LoadListString(IDS_PASSWORD_MISMATCH, text);
    LoadListString(IDS_PASSWORD_MISMATCH_CAPTION, caption);
    MessageBoxW(NULL, text, caption, MB_ICONERROR);
    // Stay open for a new attempt with both entries cleared.
    SetDlgItemTextW(dialog, IDC_SECURE_PASSWORD, L"");
    SetDlgItemTextW(dialog, IDC_SECURE_CONFIRM, L"");
    ClearSecureDialogResult();
}

INT_PTR CALLBACK CSecureDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageW(dialog, IDC_SECURE_PASSWORD, EM_LIMITTEXT, SECURE_PASSWORD_LIMIT, 0);
        SendDlgItemMessageW(dialog, IDC_SECURE_CONFIRM, EM_LIMITTEXT, SECURE_PASSWORD_LIMIT, 0);
        return TRUE;
    case WM_COMMAND:
        if (wParam == IDOK) {
            ConfirmSecurePassword(dialog);
            return TRUE;
        }
        if (wParam == IDCANCEL) {
            ClearSecureDialogResult();
            EndDialog(dialog, IDCANCEL);
            return IDCANCEL;
        }
        break;
    case WM_DESTROY:
        ReleaseTemplatePictures(dialog);
        break;
    }
    return FALSE;
}
