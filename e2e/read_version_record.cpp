// Prints a file's version record as read through GetFileVersionInfoA and VerQueryValueA, strings as exact bytes.
#include "helper_io.h"

#include <vector>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::printf("usage: read_version_record FILE\n");
        return 2;
    }
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    if (!size) return fail("GetFileVersionInfoSizeA");
    std::vector<char> record(size);
    if (!GetFileVersionInfoA(argv[1], 0, size, record.data())) return fail("GetFileVersionInfoA");

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(record.data(), "\\", reinterpret_cast<void **>(&fixed), &length)) return fail("fixed info");
    std::printf("fixed: signature %08lx file %08lx.%08lx product %08lx.%08lx mask %lx flags %lx os %lx type %lx "
                "subtype %lx date %lx.%lx\n",
                fixed->dwSignature, fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                fixed->dwProductVersionLS, fixed->dwFileFlagsMask, fixed->dwFileFlags, fixed->dwFileOS,
                fixed->dwFileType, fixed->dwFileSubtype, fixed->dwFileDateMS, fixed->dwFileDateLS);

    WORD *translations = nullptr;
    if (!VerQueryValueA(record.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translations),
                        &length)) {
        std::printf("translation: absent\n");
    } else {
        std::printf("translation:");
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) std::printf(" %04x,%04x", translations[i], translations[i + 1]);
        std::printf("\n");
    }

    // Every standard name is asked for, so a string that should not be there shows up too.
    static const char *const names[] = {"Comments",        "CompanyName",     "FileDescription", "FileVersion",
                                        "InternalName",    "LegalCopyright",  "LegalTrademarks", "OriginalFilename",
                                        "PrivateBuild",    "ProductName",     "ProductVersion",  "SpecialBuild"};
    for (const char *name : names) {
        char path[128];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\040904b0\\%s", name);
        char *value = nullptr;
        if (VerQueryValueA(record.data(), path, reinterpret_cast<void **>(&value), &length)) {
            std::printf("%s: ", name);
            print_hex(value);
            std::printf("\n");
        } else {
            std::printf("%s: absent\n", name);
        }
    }
    return 0;
}
