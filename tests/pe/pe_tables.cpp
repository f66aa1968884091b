// The shipped libraries must load on Windows 95 and NT 4.0: exactly their
// exports, undecorated; only system DLLs imported and none of the functions
// those systems lack; an empty thread storage directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct PeImage {
    std::vector<unsigned char> bytes;
    IMAGE_NT_HEADERS32 *nt = nullptr;

    bool Load(const std::string &path)
    {
        FILE *file = fopen(path.c_str(), "rb");
        if (!file)
            return false;
        unsigned char chunk[65536];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
        fclose(file);
        if (bytes.size() < sizeof(IMAGE_DOS_HEADER))
            return false;
        auto *dos = reinterpret_cast<IMAGE_DOS_HEADER *>(bytes.data());
        nt = reinterpret_cast<IMAGE_NT_HEADERS32 *>(bytes.data() + dos->e_lfanew);
        return nt->Signature == IMAGE_NT_SIGNATURE;
    }

    // File offset of a relative virtual address.
    const unsigned char *At(DWORD rva) const
    {
        auto *section = IMAGE_FIRST_SECTION(nt);
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
            DWORD size = std::max(section->Misc.VirtualSize, section->SizeOfRawData);
            if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size)
                return bytes.data() + section->PointerToRawData + (rva - section->VirtualAddress);
        }
        return nullptr;
    }

    const IMAGE_DATA_DIRECTORY &Directory(int index) const
    {
        return nt->OptionalHeader.DataDirectory[index];
    }

    std::map<std::string, WORD> Exports() const
    {
        std::map<std::string, WORD> names;
        const auto &dir = Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
        if (!dir.VirtualAddress)
            return names;
        auto *table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(At(dir.VirtualAddress));
        auto *nameRvas = reinterpret_cast<const DWORD *>(At(table->AddressOfNames));
        auto *ordinals = reinterpret_cast<const WORD *>(At(table->AddressOfNameOrdinals));
        for (DWORD i = 0; i < table->NumberOfNames; ++i)
            names[reinterpret_cast<const char *>(At(nameRvas[i]))] =
                static_cast<WORD>(ordinals[i] + table->Base);
        return names;
    }

    std::map<std::string, std::vector<std::string>> Imports() const
    {
        std::map<std::string, std::vector<std::string>> imports;
        const auto &dir = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
        if (!dir.VirtualAddress)
            return imports;
        for (auto *d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(At(dir.VirtualAddress));
             d->Name; ++d) {
            std::string dll = reinterpret_cast<const char *>(At(d->Name));
            std::transform(dll.begin(), dll.end(), dll.begin(), ::tolower);
            DWORD thunkRva = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
            auto *thunk = reinterpret_cast<const DWORD *>(At(thunkRva));
            auto &list = imports[dll];
            for (; *thunk; ++thunk) {
                if (*thunk & IMAGE_ORDINAL_FLAG32)
                    list.push_back("#" + std::to_string(*thunk & 0xFFFF));
                else
                    list.push_back(reinterpret_cast<const char *>(At(*thunk) + 2));
            }
        }
        return imports;
    }
};

struct Library {
    const char *file;
    std::map<std::string, WORD> exports;  // ordinal 0: any
    bool mayUseCrt;
};

const Library kLibraries[] = {
    {"ZORVPROP.dll",
     {{"NFSClientProperty", 0}, {"PrintSharingProperty", 0}, {"NISProperty", 0},
      {"NISInstall", 0}, {"NISRemove", 0}},
     false},
    {"ZORVI.dll",
     {{"ValidHostName32", 0}, {"ValidIPAddr32", 0}, {"ValidNisDomain32", 0},
      {"RegisterIpAddressClass", 0}, {"UnRegisterIpAddressClass", 0}, {"DoMSTCPReg", 0}},
     false},
    {"ZORVINST.dll",
     {{"TarnGetDefaults32", 2}, {"TarnDrawCacheDialog32", 3}, {"TarnDrawDrivesDialog32", 4}},
     true},
};

const char *const kOutsideLibraries[] = {"VUDARORI.dll", "DADOZIRA.dll", "REVAZAZ.DLL"};

const std::set<std::string> kSystemDlls = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "comctl32.dll", "mpr.dll",
};

// Functions that Windows 95 or NT 4.0 lacks, or that only newer runtimes have.
const std::set<std::string> kMissingOnOldSystems = {
    "IsDebuggerPresent", "AddVectoredExceptionHandler", "RemoveVectoredExceptionHandler",
    "GetTickCount64", "TryEnterCriticalSection", "InitializeCriticalSectionAndSpinCount",
    "GetModuleHandleExA", "GetDiskFreeSpaceExA", "RegDeleteTreeA", "RegOverridePredefKey",
    "InitCommonControlsEx", "_strtoi64", "_aligned_malloc", "__iob_func", "SetThreadStackGuarantee",
    "SwitchToThread", "FlsAlloc", "FlsGetValue", "FlsSetValue", "FlsFree", "_lock_file", "_unlock_file",
    "___lc_codepage_func", "___mb_cur_max_func", "__acrt_iob_func", "_initterm_e",
};

bool IsWideFunction(const std::string &name)
{
    size_t n = name.size();
    return n >= 2 && name[n - 1] == 'W' && (islower(static_cast<unsigned char>(name[n - 2])) ||
                                            isdigit(static_cast<unsigned char>(name[n - 2])));
}

void CheckImportsAndTls(const PeImage &image, const std::string &file, bool mayUseCrt)
{
    for (const auto &entry : image.Imports()) {
        const std::string &dll = entry.first;
        bool allowed = kSystemDlls.count(dll) || (mayUseCrt && dll == "msvcrt.dll");
        EXPECT_TRUE(allowed) << file << " imports from " << dll;
        for (const std::string &function : entry.second) {
            EXPECT_FALSE(IsWideFunction(function)) << file << " imports " << dll << "!" << function;
            EXPECT_EQ(0u, kMissingOnOldSystems.count(function))
                << file << " imports " << dll << "!" << function;
        }
    }
    const auto &tls = image.Directory(IMAGE_DIRECTORY_ENTRY_TLS);
    EXPECT_EQ(0u, tls.VirtualAddress) << file << " has a thread storage directory";
    EXPECT_EQ(0u, tls.Size) << file << " has a thread storage directory";
}

TEST(PeTables, ShippedLibrariesExportExactlyTheirNamesAndImportOnlyOldSystemFunctions)
{
    for (const Library &library : kLibraries) {
        SCOPED_TRACE(library.file);
        PeImage image;
        ASSERT_TRUE(image.Load(library.file)) << "not built";
        EXPECT_EQ(IMAGE_FILE_MACHINE_I386, image.nt->FileHeader.Machine);
        std::map<std::string, WORD> exports = image.Exports();
        EXPECT_EQ(library.exports.size(), exports.size());
        for (const auto &expected : library.exports) {
            auto found = exports.find(expected.first);
            ASSERT_TRUE(found != exports.end()) << "missing export " << expected.first;
            if (expected.second)
                EXPECT_EQ(expected.second, found->second) << expected.first;
        }
        for (const auto &name : exports)
            EXPECT_EQ(std::string::npos, name.first.find('@')) << "decorated export " << name.first;
        CheckImportsAndTls(image, library.file, library.mayUseCrt);
    }
}

TEST(PeTables, OutsideLibrariesImportOnlySystemDlls)
{
    for (const char *file : kOutsideLibraries) {
        PeImage image;
        ASSERT_TRUE(image.Load(file)) << file << " not built";
        CheckImportsAndTls(image, file, false);
    }
}

} // namespace
