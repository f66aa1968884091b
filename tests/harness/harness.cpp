// Import patching, message-box capture and small helpers.
#include "harness.h"

#include <gtest/gtest.h>

namespace zt {

void **FindImportSlot(HMODULE module, const char *dll, const char *function)
{
    if (!module)
        return nullptr;
    BYTE *base = reinterpret_cast<BYTE *>(module);
    IMAGE_DOS_HEADER *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(base);
    IMAGE_NT_HEADERS *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    IMAGE_DATA_DIRECTORY &directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress)
        return nullptr;
    void *target = nullptr;
    if (HMODULE exporter = GetModuleHandleA(dll))
        target = reinterpret_cast<void *>(GetProcAddress(exporter, function));
    for (IMAGE_IMPORT_DESCRIPTOR *import =
             reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
         import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<char *>(base + import->Name), dll) != 0)
            continue;
        IMAGE_THUNK_DATA *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->FirstThunk);
        IMAGE_THUNK_DATA *names = import->OriginalFirstThunk
            ? reinterpret_cast<IMAGE_THUNK_DATA *>(base + import->OriginalFirstThunk)
            : nullptr;
        for (int i = 0; slots[i].u1.Function; ++i) {
            bool match = false;
            if (names && !(names[i].u1.Ordinal & IMAGE_ORDINAL_FLAG)) {
                IMAGE_IMPORT_BY_NAME *byName =
                    reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names[i].u1.AddressOfData);
                match = lstrcmpA(reinterpret_cast<char *>(byName->Name), function) == 0;
            } else if (target) {
                match = reinterpret_cast<void *>(slots[i].u1.Function) == target;
            }
            if (match)
                return reinterpret_cast<void **>(&slots[i].u1.Function);
        }
    }
    return nullptr;
}

static void WriteSlot(void **slot, void *value)
{
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

ImportPatch::ImportPatch(HMODULE module, const char *dll, const char *function, void *replacement)
{
    m_slot = FindImportSlot(module, dll, function);
    if (!m_slot)
        return;
    m_original = *m_slot;
    WriteSlot(m_slot, replacement);
}

ImportPatch::~ImportPatch()
{
    if (m_slot)
        WriteSlot(m_slot, m_original);
}

// ---- Message boxes ----

static MessageBoxCapture *g_capture;

static int FirstButton(UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return IDOK;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

static int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style)
{
    MessageBoxCapture *capture = g_capture;
    if (!capture)
        return IDOK;
    MessageBoxRecord record{owner, text ? text : "", caption ? caption : "<none>", style};
    capture->boxes.push_back(record);
    if (capture->whileOpen)
        capture->whileOpen(record);
    if (!capture->answers.empty()) {
        int answer = capture->answers.front();
        capture->answers.pop_front();
        return answer;
    }
    return FirstButton(style);
}

MessageBoxCapture::MessageBoxCapture(std::vector<HMODULE> modules)
    : m_previous(g_capture)
{
    for (HMODULE module : modules) {
        ImportPatch *patch = new ImportPatch(module, "user32.dll", "MessageBoxA",
                                             reinterpret_cast<void *>(RecordMessageBox));
        if (!patch->applied()) {
            delete patch;
            continue;
        }
        m_patches.push_back(patch);
    }
    g_capture = this;
}

MessageBoxCapture::~MessageBoxCapture()
{
    for (ImportPatch *patch : m_patches)
        delete patch;
    g_capture = m_previous;
}

// ---- Misc ----

HMODULE LoadProductLibrary(const char *name)
{
    HMODULE module = LoadLibraryA(name);
    EXPECT_TRUE(module != nullptr) << name << " does not load, error " << GetLastError();
    return module;
}

std::string WindowClass(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

} // namespace zt
