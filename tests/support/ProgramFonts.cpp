#include "ProgramFonts.h"

#include <windows.h>

#include <cstring>
#include <mutex>
#include <set>

namespace {

using CreateFontIndirectFn = HFONT(WINAPI*)(const LOGFONTA*);
using DeleteObjectFn = BOOL(WINAPI*)(HGDIOBJ);

std::mutex g_lock;
std::set<HGDIOBJ> g_live;
size_t g_made = 0;
CreateFontIndirectFn g_create = nullptr;
DeleteObjectFn g_delete = nullptr;

HFONT WINAPI CountedCreateFontIndirect(const LOGFONTA* description)
{
    HFONT font = g_create(description);
    if (font) {
        std::lock_guard<std::mutex> hold(g_lock);
        g_live.insert(font);
        ++g_made;
    }
    return font;
}

BOOL WINAPI CountedDeleteObject(HGDIOBJ object)
{
    BOOL deleted = g_delete(object);
    if (deleted) {
        std::lock_guard<std::mutex> hold(g_lock);
        g_live.erase(object);
    }
    return deleted;
}

// The executable's import address table entry of a gdi32 function, by name.
void** ImportSlot(const char* name)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return nullptr;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); module->Name;
         ++module) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "gdi32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void* Swap(void** slot, void* value)
{
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    void* old = *slot;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return old;
}

}  // namespace

ProgramFonts::ProgramFonts()
{
    void** create = ImportSlot("CreateFontIndirectA");
    void** remove = ImportSlot("DeleteObject");
    if (!create || !remove || g_create) return;
    std::lock_guard<std::mutex> hold(g_lock);
    g_live.clear();
    g_made = 0;
    g_create = reinterpret_cast<CreateFontIndirectFn>(Swap(create, reinterpret_cast<void*>(&CountedCreateFontIndirect)));
    g_delete = reinterpret_cast<DeleteObjectFn>(Swap(remove, reinterpret_cast<void*>(&CountedDeleteObject)));
    m_watching = true;
}

ProgramFonts::~ProgramFonts()
{
    if (!m_watching) return;
    Swap(ImportSlot("CreateFontIndirectA"), reinterpret_cast<void*>(g_create));
    Swap(ImportSlot("DeleteObject"), reinterpret_cast<void*>(g_delete));
    g_create = nullptr;
    g_delete = nullptr;
}

size_t ProgramFonts::Made() const
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_made;
}

size_t ProgramFonts::Live() const
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_live.size();
}
