// The COM shell and the plug-in object, driven through the DLL's exports as
// the core driver UI drives them.
#include "tests/support/record_support.h"
#include "tests/support/test_support.h"

namespace {

void *const Sentinel = reinterpret_cast<void *>(static_cast<INT_PTR>(0x5A5A5A5A));

// An IUnknown whose QueryInterface calls are counted and whose answer for
// IID_IPrintOemDriverUI is chosen by the test.
struct CountingUnknown : public IUnknown {
    LONG queries = 0;
    LONG refs = 1;
    bool offerDriverUi = true;
    HostDriverUi driverUi;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **ppv) override
    {
        ++queries;
        if (offerDriverUi && IsEqualIID(riid, IID_IPrintOemDriverUI))
            return driverUi.QueryInterface(riid, ppv);
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plugin.module != NULL); }
    PluginModule plugin;
};

TEST_F(EntryTest, ForeignClassIsRefusedAndLeavesOutPointerAlone)
{
    void *pv = Sentinel;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, plugin.getClassObject(CLSID_OEMRENDER, IID_IClassFactory, &pv));
    EXPECT_EQ(Sentinel, pv);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, plugin.getClassObject(IID_IUnknown, IID_IUnknown, &pv));
    EXPECT_EQ(Sentinel, pv);
}

TEST_F(EntryTest, FactoryAnswersOnlyUnknownAndClassFactory)
{
    IClassFactory *factory = NULL;
    ASSERT_EQ(S_OK, plugin.getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void **>(&factory)));
    ASSERT_TRUE(factory != NULL);
    EXPECT_EQ(0u, factory->Release()) << "the caller holds the only reference";

    IUnknown *unknown = NULL;
    ASSERT_EQ(S_OK, plugin.getClassObject(CLSID_OEMUI, IID_IUnknown, reinterpret_cast<void **>(&unknown)));
    EXPECT_EQ(0u, unknown->Release());

    void *pv = Sentinel;
    EXPECT_EQ(E_NOINTERFACE, plugin.getClassObject(CLSID_OEMUI, IID_IPrintOemUI, &pv));
    EXPECT_EQ(NULL, pv);
    EXPECT_EQ(S_OK, plugin.canUnloadNow()) << "the refused factory was destroyed";

    factory = plugin.Factory();
    pv = Sentinel;
    EXPECT_EQ(E_NOINTERFACE, factory->QueryInterface(IID_IPrintOemUI, &pv));
    EXPECT_EQ(NULL, pv);
    EXPECT_EQ(2u, factory->AddRef());
    EXPECT_EQ(1u, factory->Release());
    EXPECT_EQ(0u, factory->Release());
}

TEST_F(EntryTest, CreateInstanceRefusesAggregationAndForeignInterfaces)
{
    IClassFactory *factory = plugin.Factory();
    ASSERT_TRUE(factory != NULL);

    CountingUnknown outer;
    void *pv = Sentinel;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IUnknown, &pv));
    EXPECT_EQ(Sentinel, pv);
    EXPECT_EQ(0, outer.queries);

    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(NULL, IID_IClassFactory, &pv));
    EXPECT_EQ(NULL, pv);

    IUnknown *first = NULL, *second = NULL;
    ASSERT_EQ(S_OK, factory->CreateInstance(NULL, IID_IUnknown, reinterpret_cast<void **>(&first)));
    ASSERT_EQ(S_OK, factory->CreateInstance(NULL, IID_IUnknown, reinterpret_cast<void **>(&second)));
    EXPECT_NE(first, second) << "every call makes a new object";
    EXPECT_EQ(0u, first->Release());
    EXPECT_EQ(0u, second->Release());
    factory->Release();
}

TEST_F(EntryTest, ModuleStaysLoadedWhileLockedOrWhileObjectsLive)
{
    ASSERT_EQ(S_OK, plugin.canUnloadNow());

    IClassFactory *factory = plugin.Factory();
    EXPECT_EQ(S_FALSE, plugin.canUnloadNow()) << "a live factory keeps the module";

    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    factory->Release();
    EXPECT_EQ(S_FALSE, plugin.canUnloadNow()) << "the server is locked";
    IClassFactory *again = plugin.Factory();
    EXPECT_EQ(S_OK, again->LockServer(FALSE));
    EXPECT_EQ(S_FALSE, plugin.canUnloadNow()) << "one lock is left";
    EXPECT_EQ(S_OK, again->LockServer(FALSE));

    IPrintOemUI *ui = NULL;
    ASSERT_EQ(S_OK, again->CreateInstance(NULL, IID_IPrintOemUI, reinterpret_cast<void **>(&ui)));
    again->Release();
    EXPECT_EQ(S_FALSE, plugin.canUnloadNow()) << "a live plug-in object keeps the module";
    EXPECT_EQ(0u, ui->Release());
    EXPECT_EQ(S_OK, plugin.canUnloadNow());
}

TEST_F(EntryTest, UnbalancedUnlockCountsAsLocked)
{
    IClassFactory *factory = plugin.Factory();
    factory->LockServer(FALSE);
    factory->Release();
    EXPECT_EQ(S_FALSE, plugin.canUnloadNow());
    factory = plugin.Factory();
    factory->LockServer(TRUE);
    factory->Release();
    EXPECT_EQ(S_OK, plugin.canUnloadNow());
}

TEST_F(EntryTest, ObjectAnswersUnknownAndPrintOemUiOnly)
{
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);

    void *pv = Sentinel;
    EXPECT_EQ(E_NOINTERFACE, ui->QueryInterface(IID_IClassFactory, &pv));
    EXPECT_EQ(NULL, pv);
    pv = Sentinel;
    EXPECT_EQ(E_NOINTERFACE, ui->QueryInterface(IID_IPrintOemCommon, &pv));
    EXPECT_EQ(NULL, pv);
    EXPECT_EQ(E_NOINTERFACE, ui->QueryInterface(IID_IPrintOemUI2, &pv));

    IUnknown *unknown = NULL;
    ASSERT_EQ(S_OK, ui->QueryInterface(IID_IUnknown, reinterpret_cast<void **>(&unknown)));
    EXPECT_EQ(static_cast<void *>(ui), static_cast<void *>(unknown));
    EXPECT_EQ(3u, ui->AddRef());
    EXPECT_EQ(2u, ui->Release());
    EXPECT_EQ(1u, unknown->Release());
    EXPECT_EQ(0u, ui->Release());
}

TEST_F(EntryTest, GetInfoReportsSignatureAndVersions)
{
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    DWORD value = 0, needed = 0;

    SetLastError(0xdeadbeef);
    EXPECT_EQ(S_OK, ui->GetInfo(OEMGI_GETSIGNATURE, &value, sizeof(value), &needed));
    EXPECT_EQ(0xdeadbeef, GetLastError()) << "success leaves the last error alone";
    EXPECT_EQ(0x514C5853u, value);
    EXPECT_EQ(4u, needed);
    value = 0;
    EXPECT_EQ(S_OK, ui->GetInfo(OEMGI_GETVERSION, &value, sizeof(value), &needed));
    EXPECT_EQ(0x514C5853u, value);
    EXPECT_EQ(S_OK, ui->GetInfo(OEMGI_GETINTERFACEVERSION, &value, sizeof(value), &needed));
    EXPECT_EQ(0x00010000u, value);
    ui->Release();
}

TEST_F(EntryTest, GetInfoFailuresSetNeededSizeAndLastError)
{
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    DWORD needed = 77;

    SetLastError(0xdeadbeef);
    EXPECT_EQ(E_FAIL, ui->GetInfo(OEMGI_GETSIGNATURE, NULL, 4, &needed));
    EXPECT_EQ(4u, needed);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());

    BYTE small[4] = {0xCC, 0xCC, 0xCC, 0xCC};
    needed = 77;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(E_FAIL, ui->GetInfo(OEMGI_GETSIGNATURE, small, 3, &needed));
    EXPECT_EQ(4u, needed);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    for (BYTE b : small)
        EXPECT_EQ(0xCC, b) << "nothing is written into a short buffer";

    DWORD value = 0;
    needed = 77;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(E_FAIL, ui->GetInfo(OEMGI_GETPUBLISHERINFO, &value, sizeof(value), &needed));
    EXPECT_EQ(0u, needed);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    SetLastError(0xdeadbeef);
    EXPECT_EQ(E_FAIL, ui->GetInfo(0, &value, sizeof(value), NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());

    // Unwritable as a whole, and writable for only 4 of the 8 bytes stated:
    // the host's size is checked, not the 4 bytes the answer needs.
    GuardedPages guard(4, PAGE_READONLY);
    BYTE *lastWritable = static_cast<BYTE *>(guard.End(4));
    struct Unwritable {
        BYTE *buffer;
        DWORD size;
    } unwritable[] = {{lastWritable + 4, 4}, {lastWritable, 8}};
    for (const Unwritable &u : unwritable) {
        memset(lastWritable, 0xCC, 4);
        needed = 77;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(E_FAIL, ui->GetInfo(OEMGI_GETSIGNATURE, u.buffer, u.size, &needed)) << u.size;
        EXPECT_EQ(0u, needed);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
        EXPECT_EQ(0xCCCCCCCCu, *reinterpret_cast<DWORD *>(lastWritable)) << "nothing written";
    }
    ui->Release();
}

TEST_F(EntryTest, FirstPublishedDriverInterfaceSticksUntilRelease)
{
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);

    CountingUnknown first, second;
    EXPECT_EQ(S_OK, ui->PublishDriverInterface(&first));
    EXPECT_EQ(1, first.queries);
    EXPECT_EQ(2, first.driverUi.refCount) << "the plug-in holds one reference";

    EXPECT_EQ(S_OK, ui->PublishDriverInterface(&second));
    EXPECT_EQ(0, second.queries) << "a second publication is not looked at";
    EXPECT_EQ(1, second.driverUi.refCount);

    EXPECT_EQ(0u, ui->Release());
    EXPECT_EQ(1, first.driverUi.refCount) << "released with the object";
}

TEST_F(EntryTest, FailedPublicationLeavesNothingAndMayBeRetried)
{
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);

    CountingUnknown refusing;
    refusing.offerDriverUi = false;
    EXPECT_EQ(E_FAIL, ui->PublishDriverInterface(&refusing));
    EXPECT_EQ(1, refusing.queries);

    CountingUnknown host;
    EXPECT_EQ(S_OK, ui->PublishDriverInterface(&host));
    EXPECT_EQ(1, host.queries) << "the failed publication left no interface behind";
    EXPECT_EQ(2, host.driverUi.refCount);
    ui->Release();
    EXPECT_EQ(1, host.driverUi.refCount);
}

TEST_F(EntryTest, UnimplementedMethodsTouchNothing)
{
    IPrintOemUI *ui = plugin.NewObject();
    ASSERT_TRUE(ui != NULL);
    EXPECT_EQ(E_NOTIMPL, ui->DevicePropertySheets(NULL, 0));
    EXPECT_EQ(E_NOTIMPL, ui->DevQueryPrintEx(NULL, NULL, NULL, NULL));
    EXPECT_EQ(E_NOTIMPL, ui->DeviceCapabilities(NULL, NULL, NULL, 0, NULL, NULL, NULL, 0, NULL));
    EXPECT_EQ(E_NOTIMPL, ui->DriverEvent(0, 0, NULL, 0));
    EXPECT_EQ(E_NOTIMPL, ui->QueryColorProfile(NULL, NULL, NULL, NULL, 0, NULL, NULL, NULL));
    EXPECT_EQ(E_NOTIMPL, ui->FontInstallerDlgProc(NULL, 0, 0, 0));
    EXPECT_EQ(E_NOTIMPL, ui->UpdateExternalFonts(NULL, NULL, NULL));
    ui->Release();
}

} // namespace
