// The two dialog procedures the module exports, called as the dialog
// manager calls them: what each answers, and the result each dialog ends
// with.
#include "resources/resource.h"
#include "tests/support/sheet_driver.h"

namespace {

typedef INT_PTR(CALLBACK *DialogProc)(HWND, UINT, WPARAM, LPARAM);

struct ExportedDialog {
    const char *name;
    const char *decorated32;
    const char *decorated64;
    int templateId;
};
const ExportedDialog RenderHelp = {"render help", "_Z14CRenderDlgProcP6HWND__jjl@16", "_Z14CRenderDlgProcP6HWND__jyx",
                                   IDD_RENDER_HELP};
const ExportedDialog SecurePrint = {"secure print", "_Z14CSecureDlgProcP6HWND__jjl@16",
                                    "_Z14CSecureDlgProcP6HWND__jyx", IDD_SECURE_PRINT};

class DialogProcTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plugin.module != NULL); }
    DialogProc Proc(const ExportedDialog &dialog)
    {
        return HostProcAs<DialogProc>(
            GetProcAddress(plugin.module, sizeof(void *) == 4 ? dialog.decorated32 : dialog.decorated64));
    }
    PluginModule plugin;
};

TEST_F(DialogProcTest, AnswersEachMessageAsTheDialogManagerExpects)
{
    struct Case {
        const ExportedDialog &dialog;
        UINT message;
        WPARAM wParam;
        INT_PTR answer;
    } cases[] = {
        {RenderHelp, WM_INITDIALOG, 0, 1},
        {RenderHelp, WM_COMMAND, IDOK, 1},
        {RenderHelp, WM_COMMAND, IDCANCEL, 2},
        {RenderHelp, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0}, // only a whole wParam of 1 is OK
        {RenderHelp, WM_COMMAND, 3, 0},
        {RenderHelp, WM_PAINT, 0, 0},
        {SecurePrint, WM_INITDIALOG, 0, TRUE},
        {SecurePrint, WM_COMMAND, IDOK, TRUE}, // two equal, empty entries
        {SecurePrint, WM_COMMAND, IDCANCEL, 2},
        {SecurePrint, WM_COMMAND, MAKEWPARAM(IDCANCEL, 1), FALSE},
        {SecurePrint, WM_COMMAND, MAKEWPARAM(IDC_SECURE_PASSWORD, EN_CHANGE), FALSE},
        {SecurePrint, WM_PAINT, 0, FALSE},
    };
    for (const Case &c : cases) {
        DialogProc proc = Proc(c.dialog);
        ASSERT_TRUE(proc != NULL) << c.dialog.name;
        // A modeless instance of the dialog, so that the procedure works on
        // real controls; ending it only hides it.
        HWND dialog = CreateDialogParamW(plugin.module, MAKEINTRESOURCEW(c.dialog.templateId), NULL, proc, 0);
        ASSERT_TRUE(dialog != NULL) << c.dialog.name;
        EXPECT_EQ(c.answer, proc(dialog, c.message, c.wParam, 0))
            << c.dialog.name << " message " << c.message << " wParam " << c.wParam;
        if (c.dialog.templateId == IDD_SECURE_PRINT && c.message == WM_INITDIALOG) {
            for (int edit : {IDC_SECURE_PASSWORD, IDC_SECURE_CONFIRM})
                EXPECT_EQ(8, SendDlgItemMessageW(dialog, edit, EM_GETLIMITTEXT, 0, 0)) << edit;
        }
        DestroyWindow(dialog);
    }
}

TEST_F(DialogProcTest, DialogsEndWithOneForOkAndTwoForCancel)
{
    struct Case {
        const ExportedDialog &dialog;
        const wchar_t *caption;
        WPARAM command;
        INT_PTR result;
    } cases[] = {
        {RenderHelp, L"Hjælp til gengivelse af typografi", IDOK, 1},
        {RenderHelp, L"Hjælp til gengivelse af typografi", IDCANCEL, 2},
        {SecurePrint, L"Sikker udskrivning", IDOK, 1},
        {SecurePrint, L"Sikker udskrivning", IDCANCEL, 2},
    };
    for (const Case &c : cases) {
        // Without its procedure the dialog would never end.
        DialogProc proc = Proc(c.dialog);
        ASSERT_TRUE(proc != NULL) << c.dialog.name;
        WPARAM command = c.command;
        ModalScript script({{c.caption, [command](HWND dialog) { PostMessageW(dialog, WM_COMMAND, command, 0); }}});
        INT_PTR result = DialogBoxParamW(plugin.module, MAKEINTRESOURCEW(c.dialog.templateId), NULL, proc, 0);
        EXPECT_TRUE(script.Finished()) << c.dialog.name;
        EXPECT_EQ(c.result, result) << c.dialog.name << " command " << c.command;
    }
}

} // namespace
