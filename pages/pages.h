// The page dialog procedures the sheet adds, and each page's routines.
#pragma once

#include "pages/protocol.h"
#include "settings/useroptions.h"

INT_PTR CALLBACK CFileDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
extern const PageList FilePageLists[];
extern const int FilePageListCount;
void FillFileLists(HWND page);
void ShowFileSection(HWND page, const UserOptions &options);
void ReadFileSection(HWND page, UserOptions &options);

INT_PTR CALLBACK CColorDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
extern const PageList ColorPageLists[];
extern const int ColorPageListCount;
void FillColorLists(HWND page);
void ShowColorSection(HWND page, const UserOptions &options);
void ReadColorSection(HWND page, UserOptions &options);

INT_PTR CALLBACK COtherDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
extern const PageList OtherPageLists[];
extern const int OtherPageListCount;
void FillOtherLists(HWND page);
void ShowOtherSection(HWND page, const UserOptions &options);
void ReadOtherSection(HWND page, UserOptions &options);

INT_PTR CALLBACK CTrayDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
extern const PageList TrayPageLists[];
extern const int TrayPageListCount;
void FillTrayLists(HWND page);
void ShowTraySection(HWND page, const UserOptions &options);
void ReadTraySection(HWND page, UserOptions &options);
void ShowStaplePicture(HWND page, LONG staple);
void AdjustSheetSizeList(HWND page);

INT_PTR CALLBACK BRIVELDocDocInfoPSDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
void ShowInfoSection(HWND page, UserOptions &options);
void ReadInfoSection(HWND page, UserOptions &options);

// The rendering-style help, opened from the Color page.
void ShowRenderHelp(HWND owner, HINSTANCE instance);
INT_PTR CALLBACK CRenderDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The secure-print dialog, opened from the Info page.
struct SecurePrintResult {
    WCHAR password[TEXT_FIELD_LIMIT(securePassword) + 1];
    BYTE confirmed;
};
void ShowSecurePrintDialog(HWND owner, SecurePrintResult &out, HINSTANCE instance);
INT_PTR CALLBACK CSecureDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
