// What the plug-in object answers to arguments the host should never pass,
// and the thread's last error it leaves: set where a handler refuses, and
// left alone where a call succeeds. The last error starts as 0xdeadbeef
// before every call, so that "unchanged" and "set" are told apart.
#include <functional>

#include "host/test_names.h"
#include "settings/useroptions.h"
#include "tests/support/test_support.h"

namespace {

const DWORD Untouched = 0xdeadbeef;

class LastErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui = plugin.NewObject();
        ASSERT_TRUE(ui != NULL);
    }
    void TearDown() override
    {
        if (ui)
            ui->Release();
    }
    PluginModule plugin;
    IPrintOemUI *ui = NULL;
};

struct Call {
    const char *what;
    std::function<HRESULT()> call;
    HRESULT result;
    DWORD lastError;
};

void CheckCalls(const std::vector<Call> &calls)
{
    for (const Call &c : calls) {
        SetLastError(Untouched);
        HRESULT result = c.call();
        DWORD error = GetLastError();
        EXPECT_EQ(c.result, result) << c.what;
        EXPECT_EQ(c.lastError, error) << c.what;
    }
}

TEST_F(LastErrorTest, DevMode)
{
    PrivateDevmode in, out;
    ZeroMemory(&in, sizeof(in));
    ZeroMemory(&out, sizeof(out));
    IPrintOemUI *ui = this->ui;
    auto Request = [ui](DWORD mode, PVOID pIn, PVOID pOut, DWORD size) {
        return [=] {
            OEMDMPARAM param = DevmodeParam(pIn, pOut, size);
            return ui->DevMode(mode, &param);
        };
    };
    const DWORD full = sizeof(PrivateDevmode);
    CheckCalls({
        {"no block", [ui] { return ui->DevMode(OEMDM_SIZE, NULL); }, E_FAIL, ERROR_INVALID_PARAMETER},
        {"default without output", Request(OEMDM_DEFAULT, &in, NULL, full), E_FAIL, ERROR_INVALID_PARAMETER},
        {"convert without input", Request(OEMDM_CONVERT, NULL, &out, full), E_FAIL, ERROR_INVALID_PARAMETER},
        {"convert without output", Request(OEMDM_CONVERT, &in, NULL, full), E_FAIL, ERROR_INVALID_PARAMETER},
        {"merge without input", Request(OEMDM_MERGE, NULL, &out, full), E_FAIL, ERROR_INVALID_PARAMETER},
        {"merge without output", Request(OEMDM_MERGE, &in, NULL, full), E_FAIL, ERROR_INVALID_PARAMETER},
        {"default into 100 bytes", Request(OEMDM_DEFAULT, NULL, &out, 100), E_FAIL, ERROR_INSUFFICIENT_BUFFER},
        {"size without areas", Request(OEMDM_SIZE, NULL, NULL, 0), S_OK, Untouched},
        {"default", Request(OEMDM_DEFAULT, NULL, &out, full), S_OK, Untouched},
        {"convert", Request(OEMDM_CONVERT, &out, &in, full), S_OK, Untouched},
        {"request 5", Request(5, NULL, NULL, 0), S_OK, Untouched},
    });
}

TEST_F(LastErrorTest, LifecycleHandlers)
{
    OPTITEM items[2];
    ZeroMemory(items, sizeof(items));
    OEMCUIPPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.cDrvOptItems = 2;
    param.pOEMOptItems = items;
    OEMCUIPPARAM counting = param;
    counting.pOEMOptItems = NULL;
    OEMCUIPPARAM hiding = param;
    hiding.pDrvOptItems = items;
    IPrintOemUI *ui = this->ui;
    CheckCalls({
        {"common UI without a block", [ui] { return ui->CommonUIProp(OEMCUIP_DOCPROP, NULL); }, E_FAIL,
         ERROR_INVALID_PARAMETER},
        {"common UI mode 3", [&] { return ui->CommonUIProp(3, &hiding); }, E_FAIL, ERROR_INVALID_PARAMETER},
        {"printer items counted but missing", [&] { return ui->CommonUIProp(OEMCUIP_PRNPROP, &param); }, E_FAIL,
         ERROR_INVALID_PARAMETER},
        {"counting items", [&] { return ui->CommonUIProp(OEMCUIP_PRNPROP, &counting); }, S_OK, Untouched},
        {"hiding items", [&] { return ui->CommonUIProp(OEMCUIP_PRNPROP, &hiding); }, S_OK, Untouched},
        {"printer event without a name", [ui] { return ui->PrinterEvent(NULL, PRINTER_EVENT_INITIALIZE, 0, 0); },
         E_FAIL, ERROR_INVALID_PARAMETER},
        {"printer event 0", [ui] { return ui->PrinterEvent(const_cast<PWSTR>(HOST_TEST_NAME(L"Last Error")), 0, 0, 0); }, S_OK,
         Untouched},
        {"upgrade without a block", [ui] { return ui->UpgradePrinter(1, NULL); }, S_OK, Untouched},
    });
}

TEST_F(LastErrorTest, DocumentPropertySheets)
{
    auto Info = [](WORD reason, LPARAM init) {
        PROPSHEETUI_INFO info;
        ZeroMemory(&info, sizeof(info));
        info.cbSize = sizeof(info);
        info.Reason = reason;
        info.lParamInit = init;
        info.Result = 0x77;
        return info;
    };
    // A private heap of one fixed size, filled until it refuses the
    // smallest block: the sheet's block cannot come from it.
    HANDLE fullHeap = HeapCreate(0, 0x10000, 0x10000);
    ASSERT_TRUE(fullHeap != NULL);
    for (int i = 0; i < 0x10000 && HeapAlloc(fullHeap, 0, 8); ++i) {
    }
    OEMUIPSPARAM param;
    ZeroMemory(&param, sizeof(param));
    param.cbSize = sizeof(param);
    param.hOEMHeap = fullHeap;
    SETRESULT_INFO ok;
    ZeroMemory(&ok, sizeof(ok));
    ok.cbSize = sizeof(ok);
    ok.Result = CPSUI_OK;

    IPrintOemUI *ui = this->ui;
    PROPSHEETUI_INFO info;
    auto Sheets = [&](WORD reason, LPARAM init, LPARAM lParam) {
        return [&, reason, init, lParam] {
            info = Info(reason, init);
            return ui->DocumentPropertySheets(&info, lParam);
        };
    };
    struct SheetCall {
        Call call;
        ULONG_PTR result;
    } calls[] = {
        {{"no info block", [ui] { return ui->DocumentPropertySheets(NULL, 0); }, E_FAIL, ERROR_INVALID_PARAMETER},
         0x77},
        {{"init without the host's block", Sheets(PROPSHEETUI_REASON_INIT, 0, 0), E_FAIL, ERROR_INVALID_PARAMETER},
         0x77},
        {{"init with a full heap", Sheets(PROPSHEETUI_REASON_INIT, reinterpret_cast<LPARAM>(&param), 0), E_FAIL,
          ERROR_NOT_ENOUGH_MEMORY},
         0x77},
        {{"set result without a result", Sheets(PROPSHEETUI_REASON_SET_RESULT, 0, 0), E_FAIL,
          ERROR_INVALID_PARAMETER},
         0},
        {{"set result", Sheets(PROPSHEETUI_REASON_SET_RESULT, 0, reinterpret_cast<LPARAM>(&ok)), S_OK, Untouched},
         CPSUI_OK},
        {{"destroy", Sheets(PROPSHEETUI_REASON_DESTROY, 0, 0), S_OK, Untouched}, 1},
    };
    for (const SheetCall &c : calls) {
        info = Info(PROPSHEETUI_REASON_DESTROY, 0);
        CheckCalls({c.call});
        EXPECT_EQ(c.result, info.Result) << c.call.what << ": the host's Result";
    }
    EXPECT_TRUE(param.pOEMUserData == NULL);
    HeapDestroy(fullHeap);
}

TEST_F(LastErrorTest, NoPlaceForTheAnswerIsAPointerError)
{
    IClassFactory *factory = plugin.Factory();
    ASSERT_TRUE(factory != NULL);
    IPrintOemUI *ui = this->ui;
    CheckCalls({
        {"DllGetClassObject", [&] { return plugin.getClassObject(CLSID_OEMUI, IID_IClassFactory, NULL); }, E_POINTER,
         Untouched},
        {"DllGetClassObject, a foreign class", [&] { return plugin.getClassObject(IID_IUnknown, IID_IUnknown, NULL); },
         E_POINTER, Untouched},
        {"the factory's QueryInterface", [&] { return factory->QueryInterface(IID_IUnknown, NULL); }, E_POINTER,
         Untouched},
        {"the object's QueryInterface", [&] { return ui->QueryInterface(IID_IPrintOemUI, NULL); }, E_POINTER,
         Untouched},
        {"CreateInstance", [&] { return factory->CreateInstance(NULL, IID_IPrintOemUI, NULL); }, E_POINTER,
         Untouched},
    });
    EXPECT_EQ(0u, factory->Release());
    EXPECT_EQ(0u, ui->Release());
    this->ui = NULL;
    EXPECT_EQ(S_OK, plugin.canUnloadNow()) << "the object CreateInstance could not hand out was destroyed";
}

} // namespace
