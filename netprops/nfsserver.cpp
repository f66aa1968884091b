// The NFS Server page of the file-sharing sheet: switches the server and its
// activity log on or off, and the server's service start type with it.
#include "bindings.h"
#include "pages.h"
#include "registry.h"
#include "resource.h"
#include "zorvprop.h"

namespace {

HWND g_page;

const char kServerKey[] = "zorvnfsd";
const char kServiceKey[] = "SYSTEM\\CurrentControlSet\\Services\\Averon NFS Server";
const DWORD kStartAutomatic = 2;
const DWORD kStartOnDemand = 3;

void NfsServerTransfer(BOOL save)
{
    HKEY key;
    if (CreateConfigKey(HKEY_LOCAL_MACHINE, kServerKey, &key) != ERROR_SUCCESS)
        return;
    BindCheckBox(g_page, IDC_NFS_SERVER_ENABLE, key, "Enable", 0, save);
    BindCheckBox(g_page, IDC_NFS_SERVER_LOGGING, key, "Logging", 0, save);
    CloseConfigKey(key);
}

// The service starts with the system while the server is enabled, else on
// demand. Failures are not reported.
void SetNfsServerStart(BOOL enabled)
{
    HKEY key;
    if (CreateKeyAsGiven(HKEY_LOCAL_MACHINE, kServiceKey, &key) != ERROR_SUCCESS)
        return;
    WriteDwordValue(key, "Start", enabled ? kStartAutomatic : kStartOnDemand);
    CloseConfigKey(key);
}

void NfsServerInit(HWND page)
{
    g_page = page;
    NfsServerTransfer(FALSE);
}

INT_PTR NfsServerNotify(HWND page, NMHDR *header)
{
    if (header->code == static_cast<UINT>(PSN_APPLY)) {
        BOOL enabled = IsDlgButtonChecked(page, IDC_NFS_SERVER_ENABLE) == BST_CHECKED;
        NfsServerTransfer(TRUE);
        SetNfsServerStart(enabled);
    }
    return FALSE;
}

INT_PTR CALLBACK NfsServerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const PageHandlers handlers = {NfsServerNotify, NfsServerInit, NULL};
    g_page = page;
    return RunPageSkeleton(handlers, page, message, wParam, lParam);
}

} // namespace

void AddNfsServerPage()
{
    AddPage(IDD_NFS_SERVER, NfsServerPageProc);
}
