// The application object, the resource library and the three entry points.
#include "cachesetup.h"
#include "resource.h"

#include <string.h>

CCacheSetupApp TheApp;
HICON DriveIconTable[7];
char AppTitleBuffer[256];

CCacheSetupApp::CCacheSetupApp() : m_hResourceLib(reinterpret_cast<HINSTANCE>(31)) {}

CCacheSetupApp::~CCacheSetupApp()
{
    for (HICON &icon : DriveIconTable) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

const AFX_MSGMAP *CCacheSetupApp::GetMessageMap() const { return &CCmdTarget::messageMap; }
BOOL CCacheSetupApp::InitInstance() { return TRUE; }
int CCacheSetupApp::ExitInstance() { return CWinApp::ExitInstance(); }

static bool IsLoaded(HINSTANCE module) { return reinterpret_cast<UINT_PTR>(module) >= 32; }

HINSTANCE CCacheSetupApp::LoadResourceLibrary(const char *directory)
{
    CString path(directory);
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\')
        path += '\\';
    path += "REVAZAZ.DLL";
    m_hResourceLib = LoadLibraryA(path);
    if (!IsLoaded(m_hResourceLib)) {
        char text[256];
        if (LoadStringA(m_hInstance, IDS_NO_RESOURCE_LIBRARY, text, sizeof text) <= 0)
            text[0] = 0;
        AfxMessageBox(text, MB_OK);
        return m_hResourceLib;
    }
    AfxSetResourceHandle(m_hResourceLib);
    if (LoadStringA(m_hResourceLib, IDS_APP_TITLE, AppTitleBuffer, sizeof AppTitleBuffer) > 0)
        m_pszAppName = AppTitleBuffer;
    for (int i = 0; i < 7; ++i)
        DriveIconTable[i] = LoadIconA(m_hResourceLib, MAKEINTRESOURCEA(IDI_DRIVE_FIRST + i));
    return m_hResourceLib;
}

BOOL CCacheSetupApp::FreeResourceLibrary()
{
    if (!IsLoaded(m_hResourceLib))
        return FALSE;
    FreeLibrary(m_hResourceLib);
    // Later lookups go to our own module, never to the freed one.
    AfxSetResourceHandle(m_hInstance);
    return TRUE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        return AfxLibraryAttach(instance);
    if (reason == DLL_PROCESS_DETACH)
        AfxLibraryDetach();
    return TRUE;
}

namespace {

// Runs one dialog call: load, copy in, run, copy back, free, map the result.
template <class Dialog, class CopyIn, class CopyOut>
int RunDialogCall(HWND parent, const char *directory, CopyIn copyIn, CopyOut copyOut)
{
    INT_PTR result = 0;
    try {
        TheApp.LoadResourceLibrary(directory ? directory : "");
        Dialog dialog(CWnd::FromHandle(parent));
        copyIn(dialog);
        result = dialog.DoModal();
        if (result != IDCANCEL)
            copyOut(dialog);
        TheApp.FreeResourceLibrary();
    } catch (CException *e) {
        e->Delete();
        TheApp.FreeResourceLibrary();
        AfxDeleteTempMap();
        return static_cast<int>(result);
    }
    AfxDeleteTempMap();
    if (result == IDC_BACK)
        result = 12;
    return static_cast<int>(result);
}

} // namespace

extern "C" int WINAPI TarnDrawDrivesDialog32(HWND hwndParent, const char *pszResourceDir,
                                             int *pnAllNetwork, int *pnAllCdrom, DWORD *pdwSelected,
                                             DWORD *pdwCleared, int *pnOption)
{
    return RunDialogCall<CDrivesDialog>(
        hwndParent, pszResourceDir,
        [&](CDrivesDialog &d) {
            d.m_nAllNetwork = *pnAllNetwork;
            d.m_nAllCdrom = *pnAllCdrom;
            d.m_dwSelected = *pdwSelected;
            d.m_dwCleared = *pdwCleared;
            d.m_nOption = *pnOption;
        },
        [&](CDrivesDialog &d) {
            *pnAllNetwork = d.m_nAllNetwork;
            *pnAllCdrom = d.m_nAllCdrom;
            *pdwSelected = d.m_dwSelected;
            *pdwCleared = d.m_dwCleared;
            *pnOption = d.m_nOption;
        });
}

extern "C" int WINAPI TarnDrawCacheDialog32(HWND hwndParent, const char *pszResourceDir,
                                            int *pnCacheDrive, int *pnCacheSizeMB)
{
    return RunDialogCall<CCacheDialog>(
        hwndParent, pszResourceDir,
        [&](CCacheDialog &d) {
            d.m_nDrive = *pnCacheDrive;
            d.m_nCacheSize = *pnCacheSizeMB;
        },
        [&](CCacheDialog &d) {
            *pnCacheDrive = d.m_nDrive;
            *pnCacheSizeMB = d.m_nCacheSize;
        });
}

extern "C" int WINAPI TarnGetDefaults32(int, int *pnCacheDrive, int *pnCacheSizeMB, int *pnAllNetwork,
                                        int *pnAllCdrom, DWORD *pdwSelected, DWORD *pdwCleared,
                                        int *pnOption)
{
    try {
        int bestDrive = 0;
        double bestSize = 0.0;
        DriveMask mask = 1;
        for (int n = 1; n <= 26; ++n) {
            UINT type = DriveTypeOf(n);
            double total, free, recommended;
            if (type == DRIVE_FIXED && ComputeCacheSize(n, &total, &free, &recommended)) {
                if (bestDrive == 0 || bestSize < recommended) {
                    bestDrive = n;
                    bestSize = recommended;
                }
            }
            if (type == DRIVE_REMOTE)
                mask |= 1u << n;
        }
        *pnCacheDrive = bestDrive;
        *pnCacheSizeMB = RoundSize(bestSize);
        *pnAllNetwork = 1;
        *pnAllCdrom = 0;
        *pdwSelected = mask;
        *pdwCleared = 0;
        *pnOption = 1;
    } catch (CException *e) {
        e->Delete();
        AfxDeleteTempMap();
        return 0;
    }
    AfxDeleteTempMap();
    return 1;
}
