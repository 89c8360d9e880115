// The shipped DLL as a driver packager receives it: exactly the agreed
// exports, imports only from DLLs that Windows 2000 ships, and on i686 a PE
// subsystem version that Windows 2000 accepts.
#include <stdio.h>
#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

struct PeImage {
    std::vector<unsigned char> bytes;
    const IMAGE_NT_HEADERS32 *nt32 = NULL;
    const IMAGE_NT_HEADERS64 *nt64 = NULL;
    const IMAGE_SECTION_HEADER *sections = NULL;
    unsigned sectionCount = 0;

    bool Load(const wchar_t *path)
    {
        FILE *file = _wfopen(path, L"rb");
        if (!file)
            return false;
        unsigned char chunk[65536];
        size_t got;
        while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        fclose(file);
        if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
            return false;
        const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(bytes.data());
        if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
            static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64) > bytes.size())
            return false;
        const unsigned char *nt = bytes.data() + dos->e_lfanew;
        const IMAGE_FILE_HEADER *file_header = reinterpret_cast<const IMAGE_FILE_HEADER *>(nt + 4);
        WORD magic = *reinterpret_cast<const WORD *>(nt + 4 + sizeof(IMAGE_FILE_HEADER));
        if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC)
            nt32 = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(nt);
        else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            nt64 = reinterpret_cast<const IMAGE_NT_HEADERS64 *>(nt);
        else
            return false;
        sections = reinterpret_cast<const IMAGE_SECTION_HEADER *>(nt + 4 + sizeof(IMAGE_FILE_HEADER) +
                                                                   file_header->SizeOfOptionalHeader);
        sectionCount = file_header->NumberOfSections;
        return true;
    }

    IMAGE_DATA_DIRECTORY Directory(int index) const
    {
        return nt32 ? nt32->OptionalHeader.DataDirectory[index] : nt64->OptionalHeader.DataDirectory[index];
    }

    // A pointer into the file for an RVA, or NULL when no section holds it.
    const unsigned char *At(DWORD rva) const
    {
        for (unsigned i = 0; i < sectionCount; ++i) {
            const IMAGE_SECTION_HEADER &s = sections[i];
            DWORD size = s.SizeOfRawData > s.Misc.VirtualSize ? s.SizeOfRawData : s.Misc.VirtualSize;
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + size) {
                size_t offset = rva - s.VirtualAddress + s.PointerToRawData;
                return offset < bytes.size() ? bytes.data() + offset : NULL;
            }
        }
        return NULL;
    }

    const char *String(DWORD rva) const { return reinterpret_cast<const char *>(At(rva)); }

    std::set<std::string> Exports() const
    {
        std::set<std::string> names;
        IMAGE_DATA_DIRECTORY dir = Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
        if (!dir.VirtualAddress)
            return names;
        const IMAGE_EXPORT_DIRECTORY *exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(At(dir.VirtualAddress));
        const DWORD *nameRvas = reinterpret_cast<const DWORD *>(At(exports->AddressOfNames));
        for (DWORD i = 0; i < exports->NumberOfNames; ++i)
            names.insert(String(nameRvas[i]));
        EXPECT_EQ(exports->NumberOfNames, exports->NumberOfFunctions) << "no export by ordinal only";
        return names;
    }

    // DLL name -> imported function names (ordinals as "#n").
    std::vector<std::pair<std::string, std::vector<std::string>>> Imports() const
    {
        std::vector<std::pair<std::string, std::vector<std::string>>> imports;
        IMAGE_DATA_DIRECTORY dir = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
        if (!dir.VirtualAddress)
            return imports;
        for (const IMAGE_IMPORT_DESCRIPTOR *d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(At(dir.VirtualAddress));
             d && d->Name; ++d) {
            std::vector<std::string> functions;
            DWORD thunkRva = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
            for (const unsigned char *thunk = At(thunkRva);; thunk += nt32 ? 4 : 8) {
                ULONGLONG value = nt32 ? *reinterpret_cast<const DWORD *>(thunk)
                                       : *reinterpret_cast<const ULONGLONG *>(thunk);
                if (!value)
                    break;
                bool byOrdinal = nt32 ? (value & IMAGE_ORDINAL_FLAG32) != 0 : (value & IMAGE_ORDINAL_FLAG64) != 0;
                if (byOrdinal)
                    functions.push_back("#" + std::to_string(value & 0xFFFF));
                else
                    functions.push_back(String(static_cast<DWORD>(value) + 2));
            }
            imports.emplace_back(String(d->Name), functions);
        }
        return imports;
    }
};

std::string Lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsI686()
{
    return sizeof(void *) == 4;
}

class ShippedImage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(image.Load(PluginPath())) << "cannot read the plug-in image"; }
    PeImage image;
};

TEST_F(ShippedImage, MachineMatchesTheArchitecture)
{
    EXPECT_EQ(IsI686(), image.nt32 != NULL);
    if (image.nt32)
        EXPECT_EQ(IMAGE_FILE_MACHINE_I386, image.nt32->FileHeader.Machine);
    else
        EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, image.nt64->FileHeader.Machine);
}

TEST_F(ShippedImage, ExportsTheComEntryPointsAndTheTwoDialogProcedures)
{
    // The dialog procedures keep the compiler's decorated names.
    std::set<std::string> expected = {"DllCanUnloadNow", "DllGetClassObject"};
    if (IsI686()) {
        expected.insert("_Z14CRenderDlgProcP6HWND__jjl@16");
        expected.insert("_Z14CSecureDlgProcP6HWND__jjl@16");
    } else {
        expected.insert("_Z14CRenderDlgProcP6HWND__jyx");
        expected.insert("_Z14CSecureDlgProcP6HWND__jyx");
    }
    EXPECT_EQ(expected, image.Exports());
}

void ExpectWindows2000Imports(const PeImage &image)
{
    const std::set<std::string> allowedDlls = {"kernel32.dll", "user32.dll", "advapi32.dll", "winspool.drv",
                                               "msvcrt.dll",   "gdi32.dll",  "comctl32.dll"};
    // Functions the MinGW runtime can pull in that Windows 2000 lacks.
    const std::set<std::string> deniedFunctions = {
        "GetTickCount64",         "AddVectoredExceptionHandler", "RemoveVectoredExceptionHandler",
        "InitializeCriticalSectionEx", "InitOnceExecuteOnce",   "InitializeSRWLock",
        "AcquireSRWLockExclusive", "SleepConditionVariableCS", "FlsAlloc",
        "GetModuleHandleExW",     "GetModuleHandleExA",          "CreateSymbolicLinkW",
        "GetFileInformationByHandleEx", "SetThreadErrorMode",  "GetSystemTimePreciseAsFileTime"};
    // The x64 unwinder's helpers exist on every 64-bit Windows, not on 2000,
    // and msvcrt.dll's 64-bit time and number functions came with XP.
    const std::set<std::string> deniedOnI686 = {
        "RtlCaptureContext", "RtlVirtualUnwind", "RtlLookupFunctionEntry", "_fstat64",    "_stat64",
        "_wstat64",          "_strtoui64",       "_strtoi64",              "_wcstoui64",  "_wcstoi64",
        "_time64",           "_localtime64",     "_gmtime64",              "_mktime64",   "_ctime64",
        "_findfirst64",      "_findnext64",      "_futime64"};

    auto imports = image.Imports();
    EXPECT_FALSE(imports.empty());
    for (const auto &entry : imports) {
        EXPECT_TRUE(allowedDlls.count(Lower(entry.first))) << "imports " << entry.first;
        for (const std::string &function : entry.second)
            EXPECT_FALSE(deniedFunctions.count(function) || (IsI686() && deniedOnI686.count(function)))
                << entry.first << " imports " << function;
    }
}

TEST_F(ShippedImage, ImportsOnlyWhatWindows2000Ships)
{
    ExpectWindows2000Imports(image);
}

TEST_F(ShippedImage, CarriesNoCompilerRuntime)
{
    // About 128 KB of resources and 30 KB of the plug-in's own code; a build
    // that lets the C++ runtime back in (exception tables, the allocating
    // new, the demangler) grows by 100 KB and more.
    const size_t budget = IsI686() ? 170000 : 180000;
    EXPECT_LE(image.bytes.size(), budget);
}

TEST_F(ShippedImage, I686SubsystemVersionIsWindows2000)
{
    if (!image.nt32)
        GTEST_SKIP() << "only the i686 image targets Windows 2000";
    EXPECT_EQ(5, image.nt32->OptionalHeader.MajorSubsystemVersion);
    EXPECT_EQ(0, image.nt32->OptionalHeader.MinorSubsystemVersion);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, image.nt32->OptionalHeader.Subsystem);
}

// The admins' tool goes to the same machines as the plug-in.
TEST(ToolImage, RunsWhereThePluginRuns)
{
    wchar_t path[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"QLX_TOOL_EXE", path, MAX_PATH);
    PeImage image;
    ASSERT_TRUE(image.Load(path)) << "cannot read the tool's image";
    EXPECT_EQ(IsI686(), image.nt32 != NULL);
    ExpectWindows2000Imports(image);
    if (image.nt32) {
        EXPECT_EQ(5, image.nt32->OptionalHeader.MajorSubsystemVersion);
        EXPECT_EQ(0, image.nt32->OptionalHeader.MinorSubsystemVersion);
        EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_CUI, image.nt32->OptionalHeader.Subsystem);
    }
}

// The test kit's programs go to those machines too; this program stands for
// them, built and linked as every one of them is.
TEST(TestProgramImage, RunsWhereThePluginRuns)
{
    wchar_t path[MAX_PATH] = L"";
    ASSERT_TRUE(GetModuleFileNameW(NULL, path, MAX_PATH));
    PeImage image;
    ASSERT_TRUE(image.Load(path)) << "cannot read the test program's image";
    ExpectWindows2000Imports(image);
}

} // namespace
