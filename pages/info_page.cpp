// The Info page ("Info"): owner, job password, comment and account number,
// and the button that arms secure printing.
#include "diag/tracelog.h"
#include "platform/module.h"
#include "pages/pages.h"
#include "pages/protocol.h"
#include "pages/sheet_record.h"
#include "resources/resource.h"
#include "settings/recordrules.h"

static PageHost InfoPageHost;

// The page's working record: read at creation, reset by Defaults, and the
// holder of the secure-print state between the button and the next save.
static UserOptions InfoWorkingRecord;

struct InfoEdit {
    int control;
    int limit;
};

// Each edit takes what its record field holds; the hidden address edit is
// limited like the address field, which it never shows.
static const InfoEdit InfoEdits[] = {
    {IDC_INFO_OWNER, TEXT_FIELD_LIMIT(owner)},
    {IDC_INFO_JOB_PASSWORD, TEXT_FIELD_LIMIT(jobPassword)},
    {IDC_INFO_COMMENT, TEXT_FIELD_LIMIT(comment)},
    {IDC_INFO_ACCOUNT_NUMBER, TEXT_FIELD_LIMIT(accountNumber)},
    {IDC_INFO_ADDRESS, TEXT_FIELD_LIMIT(addressText)},
};

static void SetSecurePrintCaption(HWND page, UINT stringId)
{
    WCHAR caption[LIST_ENTRY_UNITS];
    LoadListString(stringId, caption);
    SetDlgItemTextW(page, IDC_SECURE_PRINT_BUTTON, caption);
}

void ShowInfoSection(HWND page, UserOptions &options)
{
    for (const InfoEdit &edit : InfoEdits)
        SendDlgItemMessageW(page, edit.control, EM_LIMITTEXT, edit.limit, 0);
    SetDlgItemTextW(page, IDC_INFO_OWNER, options.owner);
    SetDlgItemTextW(page, IDC_INFO_JOB_PASSWORD, options.jobPassword);
    SetDlgItemTextW(page, IDC_INFO_COMMENT, options.comment);
    SetDlgItemTextW(page, IDC_INFO_ACCOUNT_NUMBER, options.accountNumber);
    // Secure printing must be armed again in every sheet.
    SetSecurePrintCaption(page, IDS_SECURE_ENABLE);
    options.securePrint = 0;
    ShowControl(page, IDC_INFO_ADDRESS, false);
    ShowControl(page, IDC_INFO_ADDRESS_LABEL, false);
}

// An identity text read from its edit keeps nothing of the longer text it
// may replace: the stored record is readable by every account.
static void ReadIdentityEdit(HWND page, int edit, WCHAR *field, int units)
{
    SecureZeroMemory(field, units * sizeof(WCHAR));
    GetDlgItemTextW(page, edit, field, units);
}

void ReadInfoSection(HWND page, UserOptions &options)
{
    ReadIdentityEdit(page, IDC_INFO_OWNER, options.owner, ARRAYSIZE(options.owner));
    ReadIdentityEdit(page, IDC_INFO_JOB_PASSWORD, options.jobPassword, ARRAYSIZE(options.jobPassword));
    GetDlgItemTextW(page, IDC_INFO_COMMENT, options.comment, ARRAYSIZE(options.comment));
    ReadIdentityEdit(page, IDC_INFO_ACCOUNT_NUMBER, options.accountNumber, ARRAYSIZE(options.accountNumber));
}

static void ToggleSecurePrint(HWND page)
{
    WCHAR *password = InfoWorkingRecord.securePassword;
    const int units = ARRAYSIZE(InfoWorkingRecord.securePassword);
    if (InfoWorkingRecord.securePrint != 0) {
        SetSecurePrintCaption(page, IDS_SECURE_ENABLE);
        SetIdentityText(password, units, L"");
        InfoWorkingRecord.securePrint = 0;
        return;
    }

    SecurePrintResult result;
    ShowSecurePrintDialog(page, result, ModuleInstance);
    if (result.password[0]) {
        SetSecurePrintCaption(page, IDS_SECURE_DISABLE);
        InfoWorkingRecord.securePrint = result.confirmed;
        SetIdentityText(password, units, result.password);
        // The password itself never goes to the log file.
        TraceLog("BRIVELDocDocInfoPSDlgProc(IDC_SECURE_PRINT_BUTTON): %d, %s\n",
                 static_cast<int>(InfoWorkingRecord.securePrint), L"(hidden)");
    } else {
        InfoWorkingRecord.securePrint = 0;
        SetIdentityText(password, units, L"");
    }
    SecureZeroMemory(&result, sizeof(result));
}

// The Info page's part of the save on leaving, run over the freshly read
// stored record: the four texts from their edits, whether a job password
// was given, and the secure-print state from the working record, where the
// button left it.
static void ReadInfoPageForSave(HWND page, UserOptions &options)
{
    ReadInfoSection(page, options);
    options.hasJobPassword = HasJobPasswordFor(options);
    SetIdentityText(options.securePassword, ARRAYSIZE(options.securePassword), InfoWorkingRecord.securePassword);
    options.securePrint = InfoWorkingRecord.securePrint;
    TraceLog("BRIVELDocDocInfoPSDlgProc(WM_NOTIFY): %s\n", L"PSN_KILLACTIVE");
}

static BOOL OnInfoCommand(HWND page, int id, int code)
{
    switch (id) {
    case IDC_INFO_DEFAULTS:
        ResetInfoSection(InfoWorkingRecord);
        ShowInfoSection(page, InfoWorkingRecord);
        break;
    case IDC_INFO_OWNER:
    case IDC_INFO_JOB_PASSWORD:
    case IDC_INFO_COMMENT:
    case IDC_INFO_ACCOUNT_NUMBER:
    case IDC_INFO_ADDRESS:
        // Typing changes the sheet; focus moving through an edit does not.
        if (code != EN_CHANGE && code != EN_UPDATE)
            return FALSE;
        break;
    case IDC_SECURE_PRINT_BUTTON:
        ToggleSecurePrint(page);
        break;
    default:
        return FALSE;
    }
    return MarkSheetChanged(page);
}

INT_PTR CALLBACK BRIVELDocDocInfoPSDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CapturePageHost(&InfoPageHost, lParam);
        ReadSheetRecord(InfoPageHost, &InfoWorkingRecord);
        ShowInfoSection(page, InfoWorkingRecord);
        return TRUE;
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam, InfoPageHost, INFO_PAGE, ReadInfoPageForSave);
    case WM_COMMAND:
        return OnInfoCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
        ReleaseTemplatePictures(page);
        break;
    }
    return FALSE;
}
