// Calls an export of one of our libraries as a setup script would, and
// prints the result.
//
//   zorvhost [--screenshots PREFIX] LIBRARY EXPORT [ARGUMENT...]
//
// Setup library procedures (ZORVPROP) get the arguments as strings and hand
// back a result string, which is printed. The disk-cache procedures
// (ZORVINST, TarnDraw...) are called as the cache setup script calls them:
// first TarnGetDefaults32, then the dialog with those defaults and the
// folder of the host as the folder of the resource library; the result and
// the integers handed back are printed. With --screenshots the sheet or
// dialog is worked instead of shown to a person: each page is saved as
// PREFIX-N-<caption>.png, then it is cancelled.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"

namespace {

typedef BOOL(__cdecl *SetupProcedure)(DWORD, char **, char **);

std::string SafeName(const std::string &text)
{
    std::string name;
    for (char c : text)
        if (isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(tolower(static_cast<unsigned char>(c)));
        else if (!name.empty() && name.back() != '-')
            name += '-';
    return name;
}

void ShootSheet(zt::Ui &ui, const std::string &prefix)
{
    if (!ui.isSheet()) {
        zt::SaveWindowPng(ui.window(), prefix + "-1.png");
        std::printf("saved %s-1.png\n", prefix.c_str());
        ui.cancel();
        return;
    }
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(ui.window(), PSM_GETTABCONTROL, 0, 0));
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        ui.selectPage(i);
        ui.pump();
        char caption[128] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = sizeof caption;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        char number[8];
        std::snprintf(number, sizeof number, "%d", i + 1);
        std::string path = prefix + "-" + number + "-" + SafeName(caption) + ".png";
        zt::SaveWindowPng(ui.window(), path);
        std::printf("saved %s\n", path.c_str());
    }
    ui.cancel();
}

typedef int(WINAPI *GetDefaultsProcedure)(int, int *, int *, int *, int *, DWORD *, DWORD *,
                                           int *);
typedef int(WINAPI *DrivesProcedure)(HWND, const char *, int *, int *, DWORD *, DWORD *, int *);
typedef int(WINAPI *CacheProcedure)(HWND, const char *, int *, int *);

// The disk-cache dialogs, with the defaults the library computes.
bool RunCacheProcedure(HMODULE library, const char *name, const std::string &screenshots)
{
    auto defaults = reinterpret_cast<GetDefaultsProcedure>(GetProcAddress(library, "TarnGetDefaults32"));
    auto drives = reinterpret_cast<DrivesProcedure>(GetProcAddress(library, "TarnDrawDrivesDialog32"));
    auto cache = reinterpret_cast<CacheProcedure>(GetProcAddress(library, "TarnDrawCacheDialog32"));
    if (!defaults || !drives || !cache)
        return false;
    int cacheDrive = 0, sizeMB = 0, allNetwork = 0, allCdrom = 0, option = 0;
    DWORD selected = 0, cleared = 0;
    defaults(0, &cacheDrive, &sizeMB, &allNetwork, &allCdrom, &selected, &cleared, &option);

    char folder[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    std::string resources(folder, n);
    resources = resources.substr(0, resources.find_last_of('\\'));

    bool drivesDialog = std::strcmp(name, "TarnDrawDrivesDialog32") == 0;
    int result = 0;
    auto call = [&]() -> INT_PTR {
        if (drivesDialog)
            result = drives(nullptr, resources.c_str(), &allNetwork, &allCdrom, &selected, &cleared,
                            &option);
        else if (std::strcmp(name, "TarnDrawCacheDialog32") == 0)
            result = cache(nullptr, resources.c_str(), &cacheDrive, &sizeMB);
        else
            result = 1;
        return result;
    };
    if (screenshots.empty() || std::strcmp(name, "TarnGetDefaults32") == 0)
        call();
    else
        zt::RunModal(call, [&](zt::Ui &ui) { ShootSheet(ui, screenshots); });
    std::printf("result %d\n", result);
    if (drivesDialog)
        std::printf("all network %d, all CD-ROM %d, selected %08lx, cleared %08lx, option %d\n",
                    allNetwork, allCdrom, selected, cleared, option);
    else
        std::printf("cache drive %d, size %d MB\n", cacheDrive, sizeMB);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::string screenshots;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--screenshots") == 0) {
        screenshots = argv[2];
        first = 3;
    }
    if (argc - first < 2) {
        std::fprintf(stderr, "usage: zorvhost [--screenshots PREFIX] LIBRARY EXPORT [ARGUMENT...]\n");
        return 2;
    }
    HMODULE library = LoadLibraryA(argv[first]);
    if (!library) {
        std::fprintf(stderr, "%s does not load (error %lu)\n", argv[first], GetLastError());
        return 1;
    }
    if (std::strncmp(argv[first + 1], "Tarn", 4) == 0) {
        bool known = RunCacheProcedure(library, argv[first + 1], screenshots);
        if (!known)
            std::fprintf(stderr, "%s has no disk-cache procedure %s\n", argv[first], argv[first + 1]);
        FreeLibrary(library);
        return known ? 0 : 1;
    }
    SetupProcedure procedure =
        reinterpret_cast<SetupProcedure>(GetProcAddress(library, argv[first + 1]));
    if (!procedure) {
        std::fprintf(stderr, "%s has no export %s\n", argv[first], argv[first + 1]);
        return 1;
    }
    std::vector<char *> arguments(argv + first + 2, argv + argc);
    static char none[] = "0";
    if (arguments.empty())
        arguments.push_back(none);
    char *result = nullptr;
    auto call = [&]() -> INT_PTR {
        return procedure(static_cast<DWORD>(arguments.size()), arguments.data(), &result);
    };
    if (screenshots.empty())
        call();
    else
        zt::RunModal(call, [&](zt::Ui &ui) { ShootSheet(ui, screenshots); });
    std::printf("%s\n", result ? result : "(no result)");
    FreeLibrary(library);
    return 0;
}
