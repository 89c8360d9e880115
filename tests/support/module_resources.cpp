#include "tests/support/module_resources.h"

#include <string.h>

ResourceBytes FindResourceBytes(HMODULE module, LPCWSTR type, WORD id, WORD language)
{
    ResourceBytes bytes;
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
    if (found) {
        bytes.data = static_cast<const BYTE *>(LockResource(LoadResource(module, found)));
        bytes.size = SizeofResource(module, found);
    }
    return bytes;
}

bool StoredString(HMODULE module, UINT id, std::wstring *text)
{
    const wchar_t *stored = NULL;
    int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&stored), 0);
    if (length <= 0 || !stored)
        return false;
    text->assign(stored, length);
    return true;
}

static BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::set<UINT> *>(param)->insert(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// Block n holds ids 16(n-1) to 16n-1.
std::set<UINT> StoredStringIds(HMODULE module)
{
    std::set<UINT> blocks, ids;
    EnumResourceNamesW(module, RT_STRING, CollectBlock, reinterpret_cast<LONG_PTR>(&blocks));
    std::wstring text;
    for (UINT block : blocks)
        for (UINT id = (block - 1) * 16; id < block * 16; ++id)
            if (StoredString(module, id, &text))
                ids.insert(id);
    return ids;
}

static BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param)
{
    ResourceInventory *inventory = reinterpret_cast<ResourceInventory *>(param);
    inventory->languages.insert(language);
    if (IS_INTRESOURCE(type) && IS_INTRESOURCE(name))
        inventory->names[reinterpret_cast<ULONG_PTR>(type)].insert(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

static BOOL CALLBACK CollectName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    EnumResourceLanguagesW(module, type, name, CollectLanguage, param);
    return TRUE;
}

static BOOL CALLBACK CollectType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    EnumResourceNamesW(module, type, CollectName, param);
    return TRUE;
}

ResourceInventory ReadInventory(HMODULE module)
{
    ResourceInventory inventory;
    EnumResourceTypesW(module, CollectType, reinterpret_cast<LONG_PTR>(&inventory));
    return inventory;
}
