// Looks for an icon group resource by number in an executable file and lists the images it names.
#include "helper_io.h"

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
struct IconGroupHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::printf("usage: find_icon_group FILE ID\n");
        return 2;
    }
    // As a data file, so that a 32-bit program can be looked into from this 64-bit helper.
    HMODULE file = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) return fail("LoadLibraryEx");
    int id = std::atoi(argv[2]);
    HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (!found) {
        std::printf("icon group %d: absent\n", id);
        return 0;
    }
    const IconGroupHeader *group = static_cast<const IconGroupHeader *>(LockResource(LoadResource(file, found)));
    std::printf("icon group %d: %u images\n", id, group->count);
    const IconGroupEntry *entry = reinterpret_cast<const IconGroupEntry *>(group + 1);
    for (WORD i = 0; i < group->count; ++i) {
        bool image_present = FindResourceA(file, MAKEINTRESOURCEA(entry[i].id), MAKEINTRESOURCEA(3)) != nullptr;
        std::printf("image %u: %ux%u %u bits%s\n", entry[i].id, entry[i].width ? entry[i].width : 256,
                    entry[i].height ? entry[i].height : 256, entry[i].bit_count, image_present ? "" : " missing");
    }
    return 0;
}
