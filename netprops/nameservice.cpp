// Name-service exports: the NIS/NIS+ sheet, and installing and removing
// the name service through the outside provider library.
#include "addrentry.h"
#include "resource.h"
#include "zorvprop.h"

void AddNisPage();

namespace {

// Loads the provider for this one call and runs one of its entries. A
// missing library or entry is passed over: the result string is set before.
void CallNameServiceEntry(const char *entry)
{
    HMODULE provider = LoadLibraryA("DADOZIRA.dll");
    if (!provider)
        return;
    typedef void(__cdecl * ProviderEntry)(void);
    ProviderEntry function = reinterpret_cast<ProviderEntry>(GetProcAddress(provider, entry));
    if (function)
        function();
    FreeLibrary(provider);
}

} // namespace

SETUP_ENTRY NISProperty(DWORD, SetupArgument *arguments, char **result)
{
    InitSheetHeader(IDS_CAPTION_NIS, arguments[0]);
    *result = ResultString;
    RegisterIpAddressClass(ModuleInstance);
    AddNisPage();
    INT_PTR outcome = PropertySheetA(reinterpret_cast<LPCPROPSHEETHEADERA>(&SheetHeader));
    UnRegisterIpAddressClass();
    SetResultString(outcome != 0);
    CallNameServiceEntry("__NSPSetNSOrder");
    return TRUE;
}

SETUP_ENTRY NISInstall(DWORD, SetupArgument *, char **result)
{
    *result = ResultString;
    SetResultString(TRUE);
    CallNameServiceEntry("__NSPInstallNS");
    return TRUE;
}

SETUP_ENTRY NISRemove(DWORD, SetupArgument *, char **result)
{
    *result = ResultString;
    SetResultString(TRUE);
    CallNameServiceEntry("__NSPRemoveNS");
    return TRUE;
}
