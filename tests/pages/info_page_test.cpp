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

TEST_F(InfoPageTest, StoredRecordsShowAndSaveAsTheyShould)
{
    // The edits show the stored texts; secure printing always opens off and
    // the address stays hidden. What leaving stores besides the stored record:
    struct Variant {
        const char *what;
        void (*stored)(UserOptions &);
        void (*saved)(UserOptions &);
    } variants[] = {
        {"the default", [](UserOptions &) {}, [](UserOptions &) {}},
        {"secure printing armed, every text given",
         [](UserOptions &r) {
             lstrcpyW(r.owner, L"Søren Kierkegaard Ærøskø"); // all 24 characters
             lstrcpyW(r.jobPassword, L"hemmelig");
             lstrcpyW(r.comment, L"Første linje\r\nAnden linje");
             lstrcpyW(r.accountNumber, L"4711");
             lstrcpyW(r.securePassword, L"gemt");
             r.securePrint = 1;
         },
         [](UserOptions &r) {
             r.securePrint = 0; // must be armed again in every sheet
             r.hasJobPassword = 1;
         }},
        {"a job password flag without a password", [](UserOptions &r) { r.hasJobPassword = 1; },
         [](UserOptions &r) { r.hasJobPassword = 0; }},
    };
    const std::vector<int> controls = {IDC_INFO_OWNER,       IDC_INFO_JOB_PASSWORD, IDC_INFO_COMMENT,
                                       IDC_INFO_ACCOUNT_NUMBER, IDC_INFO_ADDRESS_LABEL, IDC_INFO_ADDRESS,
                                       IDC_SECURE_PRINT_BUTTON, IDC_INFO_DEFAULTS};
    for (const Variant &v : variants) {
        SCOPED_TRACE(v.what);
        UserOptions stored = DefaultRecord();
        v.stored(stored);
        HWND page = OpenInfoPage(&stored);
        EXPECT_EQ("", ControlStateDiff(page, controls, "- - - - -h -h - -"));
        EXPECT_EQ(stored.owner, ControlText(page, IDC_INFO_OWNER));
        EXPECT_EQ(stored.jobPassword, ControlText(page, IDC_INFO_JOB_PASSWORD));
        EXPECT_EQ(stored.comment, ControlText(page, IDC_INFO_COMMENT));
        EXPECT_EQ(stored.accountNumber, ControlText(page, IDC_INFO_ACCOUNT_NUMBER));
        EXPECT_EQ(L"Aktiver...", ControlText(page, IDC_SECURE_PRINT_BUTTON));
        UserOptions saved = stored;
        v.saved(saved);
        EXPECT_EQ("", RecordDiff(saved, LeaveAndRead()));
        HostEndSheet(&sheet);
    }
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

TEST_F(InfoPageTest, EachEditStoresOnlyItsOwnField)
{
    struct Typing {
        int edit;
        const wchar_t *text;
        void (*expect)(UserOptions &);
    } typings[] = {
        {IDC_INFO_OWNER, L"Åse Ærø", [](UserOptions &r) { lstrcpyW(r.owner, L"Åse Ærø"); }},
        {IDC_INFO_JOB_PASSWORD, L"abc",
         [](UserOptions &r) {
             lstrcpyW(r.jobPassword, L"abc");
             r.hasJobPassword = 1;
         }},
        {IDC_INFO_COMMENT, L"Bemærk", [](UserOptions &r) { lstrcpyW(r.comment, L"Bemærk"); }},
        {IDC_INFO_ACCOUNT_NUMBER, L"12-34", [](UserOptions &r) { lstrcpyW(r.accountNumber, L"12-34"); }},
        {IDC_INFO_JOB_PASSWORD, L"",
         [](UserOptions &r) {
             memset(r.jobPassword, 0, sizeof(r.jobPassword)); // nothing of "abc" stays
             r.hasJobPassword = 0;
         }},
        {IDC_INFO_ADDRESS, L"10.0.0.1", [](UserOptions &) {}},
    };
    OpenInfoPage();
    LeaveAndRead();
    for (const Typing &t : typings) {
        HWND page = ShowPage(4);
        UserOptions expected = Stored();
        t.expect(expected);
        TypeText(page, t.edit, t.text);
        EXPECT_EQ("", RecordDiff(expected, LeaveAndRead())) << "edit " << t.edit;
    }
}

// Defaults marks, and once more for each edit it empties.
TEST_F(InfoPageTest, DefaultsMarksTheSheetChanged)
{
    HWND page = OpenInfoPage();
    TypeText(page, IDC_INFO_OWNER, L"x");
    int before = ChangedCount;
    EXPECT_EQ(TRUE, PageCommand(page, IDC_INFO_DEFAULTS, BN_CLICKED));
    EXPECT_GT(ChangedCount, before);
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
    UserOptions planted = DefaultRecord();
    lstrcpyW(planted.securePassword, L"gammel");
    HWND page = OpenInfoPage(&planted);
    ArmSecurePrint(page, {CancelDialog()});
    UserOptions stored = LeaveAndRead();
    EXPECT_EQ(0, stored.securePrint);
    EXPECT_STREQ(L"", stored.securePassword);
}

TEST_F(InfoPageTest, DefaultsResetTheWorkingRecordOnly)
{
    UserOptions planted = DefaultRecord();
    lstrcpyW(planted.owner, L"Ejer");
    lstrcpyW(planted.comment, L"Note");
    WriteStored(name, planted);
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

// The record is readable by every account: whatever replaces or clears an
// owner, a password or an account number leaves nothing of the old text
// behind the new one's terminator. Each row starts from a record whose
// identity texts fill their fields and then stores the expected record
// byte for byte, every other field included.
template <size_t N> void SetWhole(WCHAR (&field)[N], const wchar_t *text)
{
    memset(field, 0, sizeof(field));
    lstrcpynW(field, text, N);
}

TEST_F(InfoPageTest, ClearedAndShortenedIdentityTextsLeaveNothingBehind)
{
    UserOptions full = DefaultRecord();
    SetWhole(full.owner, L"LongOwnerName Ærø 123456");
    SetWhole(full.jobPassword, L"SECRET78");
    SetWhole(full.accountNumber, L"12345678901234567890123456789012");
    SetWhole(full.securePassword, L"SECURE78");
    SetWhole(full.comment, L"Kommentar");
    full.securePrint = 1;
    full.hasJobPassword = 1;
    struct Row {
        const char *what;
        std::function<void(HWND)> act;
        std::function<void(UserOptions &)> expect; // applied to the full record
    } rows[] = {
        {"Cancel", [this](HWND) { PressSheetButton(PSBTN_CANCEL); },
         [](UserOptions &r) {
             SetWhole(r.owner, L"");
             SetWhole(r.jobPassword, L"");
             SetWhole(r.accountNumber, L"");
             SetWhole(r.securePassword, L"");
             r.securePrint = r.hasJobPassword = 0;
         }},
        {"shorter texts typed",
         [this](HWND page) {
             TypeText(page, IDC_INFO_OWNER, L"x");
             TypeText(page, IDC_INFO_JOB_PASSWORD, L"y");
             TypeText(page, IDC_INFO_ACCOUNT_NUMBER, L"z");
             LeaveAndRead();
         },
         [](UserOptions &r) {
             SetWhole(r.owner, L"x");
             SetWhole(r.jobPassword, L"y");
             SetWhole(r.accountNumber, L"z");
             r.securePrint = 0;
         }},
        {"Defaults", [this](HWND page) {
             ClickButton(page, IDC_INFO_DEFAULTS);
             LeaveAndRead();
         },
         [](UserOptions &r) {
             SetWhole(r.owner, L"");
             SetWhole(r.jobPassword, L"");
             SetWhole(r.accountNumber, L"");
             SetWhole(r.securePassword, L"");
             r.comment[0] = 0; // an ordinary text: its first unit only
             r.securePrint = r.hasJobPassword = 0;
         }},
        {"a shorter secure password confirmed",
         [this](HWND page) {
             ArmSecurePrint(page, {EnterPasswords(L"ab", L"ab")});
             LeaveAndRead();
         },
         [](UserOptions &r) { SetWhole(r.securePassword, L"ab"); }},
        {"secure print switched off",
         [this](HWND page) {
             ArmSecurePrint(page, {EnterPasswords(L"abcdefgh", L"abcdefgh")});
             ClickButton(page, IDC_SECURE_PRINT_BUTTON);
             LeaveAndRead();
         },
         [](UserOptions &r) {
             SetWhole(r.securePassword, L"");
             r.securePrint = 0;
         }},
        {"the secure-print dialog cancelled",
         [this](HWND page) {
             ArmSecurePrint(page, {CancelDialog()});
             LeaveAndRead();
         },
         [](UserOptions &r) {
             SetWhole(r.securePassword, L"");
             r.securePrint = 0;
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        HWND page = OpenInfoPage(&full);
        row.act(page);
        UserOptions expected = full;
        row.expect(expected);
        EXPECT_EQ("", RecordDiff(expected, Stored()));
        HostEndSheet(&sheet);
    }
}

} // namespace
