// Turns the text picture res/icon.txt into a Windows icon file: one 32 x 32 image, 16 colours (4 bits a pixel).
// Usage: make_icon icon.txt out.ico
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int side = 32;

// The 16 colours of the standard Windows palette, as blue, green, red.
const unsigned char palette[16][3] = {
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},   {0, 128, 128}, {128, 0, 0},   {128, 0, 128},
    {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255},  {0, 255, 0},   {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0},  {255, 255, 255}};

void Put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<unsigned char>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Rows of the picture, top first; '.' is transparent. Empty when the text is not 32 rows of 32 pixels.
std::vector<std::string> ReadPicture(FILE* in)
{
    std::vector<std::string> rows;
    char line[256];
    while (std::fgets(line, sizeof line, in)) {
        std::string row(line);
        while (!row.empty() && (row.back() == '\n' || row.back() == '\r'))
            row.pop_back();
        if (row.empty() || row[0] == '#')
            continue;
        if (row.size() != side || row.find_first_not_of(".0123456789ABCDEF") != std::string::npos)
            return {};
        rows.push_back(row);
    }
    return rows.size() == side ? rows : std::vector<std::string>{};
}

int ColourIndex(char pixel)
{
    if (pixel == '.')
        return 0;
    return pixel <= '9' ? pixel - '0' : pixel - 'A' + 10;
}

std::vector<unsigned char> MakeIcon(const std::vector<std::string>& rows)
{
    constexpr std::uint32_t colourBytes = side * side / 2, maskBytes = side * side / 8;
    constexpr std::uint32_t imageBytes = 40 + 16 * 4 + colourBytes + maskBytes;
    std::vector<unsigned char> out;
    Put16(out, 0); // icon directory: reserved, type 1 (icon), one image
    Put16(out, 1);
    Put16(out, 1);
    out.insert(out.end(), {side, side, 16, 0}); // width, height, colours, reserved
    Put16(out, 1);                               // planes
    Put16(out, 4);                               // bits per pixel
    Put32(out, imageBytes);
    Put32(out, 6 + 16);
    Put32(out, 40); // BITMAPINFOHEADER; the height counts the colour and the mask halves
    Put32(out, side);
    Put32(out, side * 2);
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);
    Put32(out, colourBytes + maskBytes);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    for (const auto& colour : palette)
        out.insert(out.end(), {colour[0], colour[1], colour[2], 0});
    for (int y = side - 1; y >= 0; --y) // bitmaps run bottom-up
        for (int x = 0; x < side; x += 2)
            out.push_back(ColourIndex(rows[y][x]) << 4 | ColourIndex(rows[y][x + 1]));
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; x += 8) {
            unsigned char bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                bits |= (rows[y][x + bit] == '.') << (7 - bit);
            out.push_back(bits);
        }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon icon.txt out.ico\n");
        return 2;
    }
    FILE* in = std::fopen(argv[1], "r");
    const std::vector<std::string> rows = in ? ReadPicture(in) : std::vector<std::string>{};
    if (in)
        std::fclose(in);
    if (rows.empty()) {
        std::fprintf(stderr, "make_icon: %s is not 32 rows of 32 pixels (0-9, A-F or .)\n", argv[1]);
        return 1;
    }
    const std::vector<unsigned char> icon = MakeIcon(rows);
    FILE* out = std::fopen(argv[2], "wb");
    if (!out || std::fwrite(icon.data(), 1, icon.size(), out) != icon.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
