// Calls an export of one of our libraries as a setup script would, and
// prints the result.
//
//   zorvhost [--screenshots PREFIX] LIBRARY EXPORT [ARGUMENT...]
//
// Setup library procedures (ZORVPROP) get the arguments as strings and hand
// back a result string, which is printed. With --screenshots the sheet is
// worked instead of shown to a person: each page is saved as
// PREFIX-N-<caption>.png, then the sheet is cancelled.
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
