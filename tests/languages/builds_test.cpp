// Each language build against the Danish one, read as data and through the
// host: the same strings and templates in another language, its own
// resource language and version block, its own rendering-style picture and
// rendering module.
#include <stdio.h>
#include <wctype.h>

#include <string>
#include <vector>

#include "host/printer_setup.h"
#include "host/test_names.h"
#include "tests/languages/language_builds.h"
#include "tests/support/record_support.h"

namespace {

std::string Language(const LanguageBuild &build)
{
    return "language " + Utf8(build.code);
}

// Every build of the table must be there: a language without a texts file is
// not built, and that is a failure here rather than a quiet gap in dist/.
TEST(LanguageBuilds, EveryLanguageOfTheTableIsBuilt)
{
    for (const LanguageBuild &build : LanguageBuilds)
        EXPECT_TRUE(LanguageResources(build) != NULL)
            << Utf8(LanguageBuildPath(build)) << " is missing (resources/texts/" << Utf8(build.code) << ".rc?)";
}

std::wstring VersionKey(const LanguageBuild &build)
{
    // The Danish block keeps the key it always had; the others name their
    // language and Unicode.
    if (IsDanish(build))
        return L"040904b1";
    wchar_t key[16];
    wsprintfW(key, L"%04x04b0", build.tag);
    return key;
}

TEST(LanguageBuilds, ResourcesAndVersionBlockAreFiledUnderTheBuildsLanguage)
{
    ResourceInventory danish = ReadInventory(LanguageResources(DanishBuild()));
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE(Language(build));
        if (!LanguageResources(build))
            continue;
        ResourceInventory inventory = ReadInventory(LanguageResources(build));
        EXPECT_EQ(std::set<WORD>{build.tag}, inventory.languages);
        EXPECT_EQ(danish.names, inventory.names) << "the same resources as the Danish build";

        std::wstring path = LanguageBuildPath(build);
        DWORD handle = 0;
        std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &handle));
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
        WORD *translation = NULL;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                                   &length));
        ASSERT_EQ(4u, length);
        EXPECT_EQ(build.tag, translation[0]);
        EXPECT_EQ(1200, translation[1]);
        wchar_t *text = NULL;
        std::wstring name = L"\\StringFileInfo\\" + VersionKey(build) + L"\\OriginalFilename";
        ASSERT_TRUE(VerQueryValueW(block.data(), name.c_str(), reinterpret_cast<void **>(&text), &length))
            << Utf8(name);
        EXPECT_STREQ(L"qlx4120ui.dll", text);
    }
}

// What a translation must carry over: printf conversions, line breaks and a
// trailing blank (the custom print profile's number follows it directly).
std::wstring Placeholders(const std::wstring &text)
{
    std::wstring kept;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            kept += L"\\n";
        } else if (text[i] == L'%') {
            // Flags, width and precision up to the conversion letter.
            size_t end = i + 1;
            while (end < text.size() && !iswalpha(text[end]) && text[end] != L'%' && end - i < 8)
                ++end;
            kept += text.substr(i, end - i + 1) + L" ";
            i = end;
        }
    }
    if (!text.empty() && text.back() == L' ')
        kept += L"<trailing blank>";
    return kept;
}

TEST(LanguageBuilds, StringsHaveTheDanishIdsTextsAndPlaceholders)
{
    HMODULE danish = LanguageResources(DanishBuild());
    std::set<UINT> danishIds = StoredStringIds(danish);
    ASSERT_EQ(124u, danishIds.size());
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE(Language(build));
        HMODULE module = LanguageResources(build);
        if (!module)
            continue;
        // An empty text is no text to LoadString: it shows up as a missing id.
        for (UINT id : StoredStringIds(module))
            EXPECT_TRUE(danishIds.count(id)) << "string " << id << " is not in the Danish table";
        for (UINT id : danishIds) {
            std::wstring theirs, ours;
            ::StoredString(danish, id, &theirs);
            if (!::StoredString(module, id, &ours)) {
                ADD_FAILURE() << "string " << id << " is empty or missing";
                continue;
            }
            EXPECT_EQ(Utf8(Placeholders(theirs)), Utf8(Placeholders(ours)))
                << "string " << id << ": \"" << Utf8(ours) << "\"";
            EXPECT_LT(ours.size(), 255u) << "string " << id << " is longer than the pages' buffers";
        }
    }
}

// A template written out line by line with its texts left out: whether a
// control has a text, not which, belongs to the layout.
std::string Layout(const ParsedTemplate &t)
{
    char line[256];
    snprintf(line, sizeof line, "%s style %08lx/%08lx at %d,%d %dx%d%s%s caption%s font %u %u %u %u %s\n",
             t.extended ? "DIALOGEX" : "DIALOG", t.style, t.exStyle, t.rect[0], t.rect[1], t.rect[2], t.rect[3],
             t.hasMenu ? " menu" : "", t.hasClass ? " class" : "", t.caption.empty() ? " none" : "", t.pointSize,
             t.weight, t.italic, t.charset, Utf8(t.face).c_str());
    std::string layout = line;
    for (const ParsedControl &c : t.controls) {
        snprintf(line, sizeof line, "%d %s style %08lx/%08lx at %d,%d %dx%d picture %u%s\n", c.id,
                 Utf8(c.className).c_str(), c.style, c.exStyle, c.rect[0], c.rect[1], c.rect[2], c.rect[3],
                 c.textOrdinal, c.text.empty() ? "" : " text");
        layout += line;
    }
    return layout;
}

TEST(LanguageBuilds, TemplatesAreTheDanishOnesWithOtherTexts)
{
    static const WORD templates[] = {116, 114, 115, 117, 110, 147, 152};
    for (const LanguageBuild &build : LanguageBuilds) {
        if (!LanguageResources(build))
            continue;
        for (WORD id : templates) {
            ParsedTemplate danish, ours;
            ASSERT_TRUE(ParseTemplate(LanguageResource(DanishBuild(), RT_DIALOG, id), &danish));
            ASSERT_TRUE(ParseTemplate(LanguageResource(build, RT_DIALOG, id), &ours))
                << Language(build) << ", template " << id;
            EXPECT_EQ(Layout(danish), Layout(ours)) << Language(build) << ", template " << id;
        }
    }
}

// The pictures are the Danish ones, except the rendering-style table, which
// is drawn anew with the build's own words at the same size.
TEST(LanguageBuilds, PicturesAreSharedButTheRenderingStyleTableSpeaksTheLanguage)
{
    ResourceInventory danish = ReadInventory(LanguageResources(DanishBuild()));
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE(Language(build));
        if (IsDanish(build) || !LanguageResources(build))
            continue;
        for (ULONG_PTR type : {2, 3, 14}) { // RT_BITMAP, RT_ICON, RT_GROUP_ICON
            for (ULONG_PTR id : danish.names[type]) {
                ResourceBytes theirs = LanguageResource(DanishBuild(), MAKEINTRESOURCEW(type), static_cast<WORD>(id));
                ResourceBytes ours = LanguageResource(build, MAKEINTRESOURCEW(type), static_cast<WORD>(id));
                ASSERT_TRUE(ours.data && theirs.data) << "resource " << id << " of type " << type;
                bool same = ours.size == theirs.size && !memcmp(ours.data, theirs.data, ours.size);
                if (type == 2 && id == 151) {
                    ASSERT_GE(ours.size, sizeof(BITMAPINFOHEADER));
                    EXPECT_FALSE(same) << "bitmap 151 still shows the Danish words";
                    EXPECT_EQ(0, memcmp(ours.data, theirs.data, sizeof(BITMAPINFOHEADER)))
                        << "bitmap 151 has the Danish size and depth";
                } else {
                    EXPECT_TRUE(same) << "resource " << id << " of type " << type;
                }
            }
        }
    }
}

TEST(LanguageBuilds, InstallingAPrinterNamesTheLanguagesRenderingModule)
{
    const wchar_t printer[] = HOST_TEST_NAME(L"Language Install");
    wchar_t config[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"QLX_DRIVER_CONFIG", config, MAX_PATH);
    ASSERT_TRUE(HostInstallDriver(HOST_TEST_NAME(L"Language Driver"), config));
    ASSERT_TRUE(HostAddPrinter(printer, HOST_TEST_NAME(L"Language Driver")));
    for (const LanguageBuild &build : LanguageBuilds) {
        SCOPED_TRACE(Language(build));
        HostPlugin plugin;
        if (!LanguageResources(build) || !HostLoadPlugin(LanguageBuildPath(build).c_str(), &plugin))
            continue;
        EXPECT_EQ(S_OK, plugin.ui->PrinterEvent(const_cast<PWSTR>(printer), PRINTER_EVENT_INITIALIZE, 0, 0));
        wchar_t module[128];
        memset(module, 0xde, sizeof module);
        DWORD type = 0xdeadbeef, needed = 0xdeadbeef;
        EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS),
                  HostGetPrinterData(printer, L"SPLUserModePrinterDriver", &type, reinterpret_cast<BYTE *>(module),
                                     sizeof module, &needed));
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
        EXPECT_EQ(256u, needed);
        EXPECT_EQ(std::wstring(L"qlx4120um") + build.suffix + L".dll", std::wstring(module));
        HostUnloadPlugin(&plugin);
    }
    HostDeletePrinter(printer);
    DeleteStored(printer);
}

// dist/<arch>/qlx4120ui.dll is the selected language's build, not a link
// of its own.
TEST(LanguageBuilds, ShippedPluginIsTheSelectedLanguagesBuild)
{
    wchar_t selected[32] = L"";
    GetEnvironmentVariableW(L"QLX_SELECTED_LANGUAGE", selected, 32);
    for (const LanguageBuild &build : LanguageBuilds) {
        if (lstrcmpW(build.code, selected))
            continue;
        std::wstring path = LanguageBuildPath(build);
        std::wstring shipped = path.substr(0, path.rfind(L'\\', path.rfind(L'\\') - 1)) + L"\\qlx4120ui.dll";
        std::string ours = ReadWholeFile(shipped);
        EXPECT_FALSE(ours.empty());
        EXPECT_TRUE(ours == ReadWholeFile(path)) << Utf8(shipped) << " differs from " << Utf8(path);
        return;
    }
    GTEST_SKIP() << "SELECTED_LANGUAGE names no language build";
}

} // namespace
