// The Info page and the secure-print dialog, driven through its modal loop.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

const wchar_t SecureCaption[] = L"Sikker udskrivning";
const wchar_t MismatchCaption[] = L"Fejl i adgangskode";

// Fills both password edits and presses OK; or presses Annuller.
ModalStep EnterPasswords(const wchar_t *first, const wchar_t *second)
{
    std::wstring a = first, b = second;
    return {SecureCaption, [a, b](HWND dialog) {
                SetDlgItemTextW(dialog, IDC_SECURE_PASSWORD, a.c_str());
                SetDlgItemTextW(dialog, IDC_SECURE_CONFIRM, b.c_str());
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }};
}

ModalStep CancelDialog()
{
    return {SecureCaption, [](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }};
}

class InfoPageTest : public SheetFixture {
protected:
    HWND OpenInfoPage(const UserOptions *stored = NULL) { return OpenPageWith(4, stored); }
    void ArmSecurePrint(HWND page, std::vector<ModalStep> steps)
    {
        ModalScript script(std::move(steps));
        ClickButton(page, IDC_SECURE_PRINT_BUTTON);
        EXPECT_TRUE(script.Finished()) << "modal steps done: " << script.StepsDone();
    }
};

TEST_F(InfoPageTest, OpensWithSecurePrintOffAndAddressHidden)
{
    UserOptions planted = DefaultRecord(ui);
    planted.securePrint = 1;
    lstrcpyW(planted.securePassword, L"gemt");
    lstrcpyW(planted.owner, L"Søren");
    lstrcpyW(planted.comment, L"Første linje");
    HWND page = OpenInfoPage(&planted);
    EXPECT_EQ(L"Aktiver...", ControlText(page, IDC_SECURE_PRINT_BUTTON));
    EXPECT_EQ(L"Søren", ControlText(page, IDC_INFO_OWNER));
    EXPECT_EQ(L"Første linje", ControlText(page, IDC_INFO_COMMENT));
    EXPECT_FALSE(Visible(page, IDC_INFO_ADDRESS));
    EXPECT_FALSE(Visible(page, IDC_INFO_ADDRESS_LABEL));

    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.securePrint) << "must be armed again in every sheet";
    EXPECT_STREQ(L"gemt", stored.securePassword);
    EXPECT_STREQ(L"255.255.255.255", stored.addressText);
}

TEST_F(InfoPageTest, InputLimitsMatchTheRecordFields)
{
    HWND page = OpenInfoPage();
    struct Limit {
        int edit;
        LRESULT limit;
    } limits[] = {{IDC_INFO_OWNER, 24}, {IDC_INFO_JOB_PASSWORD, 8}, {IDC_INFO_COMMENT, 255},
                  {IDC_INFO_ACCOUNT_NUMBER, 32}, {IDC_INFO_ADDRESS, 15}};
    for (const Limit &l : limits)
        EXPECT_EQ(l.limit, SendDlgItemMessageW(page, l.edit, EM_GETLIMITTEXT, 0, 0)) << l.edit;
}

TEST_F(InfoPageTest, FieldsAndJobPasswordFlagAreStored)
{
    HWND page = OpenInfoPage();
    TypeText(page, IDC_INFO_OWNER, L"Åse Ærø");
    TypeText(page, IDC_INFO_JOB_PASSWORD, L"abc");
    TypeText(page, IDC_INFO_COMMENT, L"Bemærk");
    TypeText(page, IDC_INFO_ACCOUNT_NUMBER, L"12-34");
    UserOptions stored = LeaveAndRead();
    EXPECT_STREQ(L"Åse Ærø", stored.owner);
    EXPECT_STREQ(L"abc", stored.jobPassword);
    EXPECT_STREQ(L"Bemærk", stored.comment);
    EXPECT_STREQ(L"12-34", stored.accountNumber);
    EXPECT_EQ(1, stored.hasJobPassword);

    page = ShowPage(4);
    TypeText(page, IDC_INFO_JOB_PASSWORD, L"");
    EXPECT_EQ(0, LeaveAndRead().hasJobPassword);
}

TEST_F(InfoPageTest, OnlyTypingMarksTheSheetChanged)
{
    HWND page = OpenInfoPage();
    ChangedCount = 0; // showing the stored texts is typing too, as the edits see it
    HWND owner = GetDlgItem(page, IDC_INFO_OWNER);
    EXPECT_FALSE(SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_INFO_OWNER, EN_SETFOCUS), (LPARAM)owner));
    EXPECT_FALSE(SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_INFO_OWNER, EN_KILLFOCUS), (LPARAM)owner));
    EXPECT_EQ(0, ChangedCount);
    TypeText(page, IDC_INFO_OWNER, L"x");
    EXPECT_GT(ChangedCount, 0);
}

TEST_F(InfoPageTest, EqualPasswordsArmSecurePrint)
{
    HWND page = OpenInfoPage();
    ArmSecurePrint(page, {EnterPasswords(L"12345678", L"12345678")});
    EXPECT_EQ(L"Deaktiver", ControlText(page, IDC_SECURE_PRINT_BUTTON));
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(1, stored.securePrint);
    EXPECT_STREQ(L"12345678", stored.securePassword);
}

TEST_F(InfoPageTest, UnequalPasswordsShowTheErrorAndKeepTheDialogOpen)
{
    HWND page = OpenInfoPage();
    std::wstring boxText, firstAfter = L"?", secondAfter = L"?";
    bool boxHasOwner = true;
    ArmSecurePrint(page, {EnterPasswords(L"1234567a", L"1234567b"),
                          {MismatchCaption,
                           [&](HWND box) {
                               boxHasOwner = GetWindow(box, GW_OWNER) != NULL;
                               wchar_t text[512];
                               // The message text is the box's only static with text.
                               HWND child = NULL;
                               while ((child = FindWindowExW(box, child, L"Static", NULL)))
                                   if (GetWindowTextW(child, text, 512) > 0)
                                       boxText = text;
                               PostMessageW(box, WM_COMMAND, IDOK, 0);
                           }},
                          {SecureCaption,
                           [&](HWND dialog) {
                               firstAfter = ControlText(dialog, IDC_SECURE_PASSWORD);
                               secondAfter = ControlText(dialog, IDC_SECURE_CONFIRM);
                               PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                           }}});
    EXPECT_EQ(L"De indlæste adgangskoder\nstemmer ikke overens. Indlæs adgangskoderne\nigen.", boxText);
    EXPECT_FALSE(boxHasOwner);
    EXPECT_EQ(L"", firstAfter);
    EXPECT_EQ(L"", secondAfter);
    EXPECT_EQ(L"Aktiver...", ControlText(page, IDC_SECURE_PRINT_BUTTON));
    EXPECT_EQ(0, LeaveAndRead().securePrint);
}

TEST_F(InfoPageTest, EmptyPasswordsLeaveSecurePrintOff)
{
    HWND page = OpenInfoPage();
    ArmSecurePrint(page, {EnterPasswords(L"", L"")});
    EXPECT_EQ(L"Aktiver...", ControlText(page, IDC_SECURE_PRINT_BUTTON));
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.securePrint);
    EXPECT_STREQ(L"", stored.securePassword);
}

TEST_F(InfoPageTest, DeactivateSwitchesOffWithoutADialog)
{
    HWND page = OpenInfoPage();
    ArmSecurePrint(page, {EnterPasswords(L"pw", L"pw")});
    int before = ChangedCount;
    ClickButton(page, IDC_SECURE_PRINT_BUTTON); // no modal script: a dialog would hang
    EXPECT_EQ(L"Aktiver...", ControlText(page, IDC_SECURE_PRINT_BUTTON));
    EXPECT_EQ(before + 1, ChangedCount);
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.securePrint);
    EXPECT_STREQ(L"", stored.securePassword);
}

TEST_F(InfoPageTest, CancelledDialogEmptiesTheSecurePassword)
{
    UserOptions planted = DefaultRecord(ui);
    lstrcpyW(planted.securePassword, L"gammel");
    HWND page = OpenInfoPage(&planted);
    ArmSecurePrint(page, {CancelDialog()});
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.securePrint);
    EXPECT_STREQ(L"", stored.securePassword);
}

TEST_F(InfoPageTest, DefaultsResetTheWorkingRecordOnly)
{
    UserOptions planted = DefaultRecord(ui);
    lstrcpyW(planted.owner, L"Ejer");
    lstrcpyW(planted.comment, L"Note");
    WriteStoredRecord(name.c_str(), planted);
    HWND page = OpenInfoPage();
    ArmSecurePrint(page, {EnterPasswords(L"pw", L"pw")});
    ClickButton(page, IDC_INFO_DEFAULTS);
    for (int edit : {IDC_INFO_OWNER, IDC_INFO_JOB_PASSWORD, IDC_INFO_COMMENT, IDC_INFO_ACCOUNT_NUMBER})
        EXPECT_EQ(L"", ControlText(page, edit)) << edit;
    EXPECT_EQ(L"Aktiver...", ControlText(page, IDC_SECURE_PRINT_BUTTON));
    EXPECT_STREQ(L"Ejer", Stored().owner) << "the store waits until the page is left";
    UserOptions stored = LeaveAndRead();
    EXPECT_STREQ(L"", stored.owner);
    EXPECT_STREQ(L"", stored.comment);
    EXPECT_EQ(0, stored.securePrint);
}

TEST_F(InfoPageTest, DialogProceduresAnswerAsDialogsDo)
{
    // The exported procedures, called directly with messages they do not
    // handle, answer 0 and touch nothing.
    typedef INT_PTR(CALLBACK * DialogProc)(HWND, UINT, WPARAM, LPARAM);
    const char *names[2];
    if (sizeof(void *) == 4) {
        names[0] = "_Z14CRenderDlgProcP6HWND__jjl@16";
        names[1] = "_Z14CSecureDlgProcP6HWND__jjl@16";
    } else {
        names[0] = "_Z14CRenderDlgProcP6HWND__jyx";
        names[1] = "_Z14CSecureDlgProcP6HWND__jyx";
    }
    for (const char *procName : names) {
        DialogProc proc = HostProcAs<DialogProc>(GetProcAddress(plugin.module, procName));
        ASSERT_TRUE(proc != NULL) << procName;
        EXPECT_EQ(0, proc(NULL, WM_PAINT, 0, 0));
        EXPECT_EQ(0, proc(NULL, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0)) << "only a whole wParam of 1 is OK";
    }
}

} // namespace
