// Window screenshots as PNG files (stored deflate blocks, no compression
// library needed).
#include "harness.h"

#include <cstdio>
#include <cstdlib>

namespace zt {

namespace {

unsigned long Crc32(const unsigned char *data, size_t size, unsigned long crc = 0)
{
    static unsigned long table[256];
    static bool ready;
    if (!ready) {
        for (unsigned long n = 0; n < 256; ++n) {
            unsigned long c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320ul ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc ^= 0xFFFFFFFFul;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFul;
}

void PutBig32(std::string &out, unsigned long value)
{
    out += static_cast<char>((value >> 24) & 0xFF);
    out += static_cast<char>((value >> 16) & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PutChunk(std::string &out, const char *type, const std::string &data)
{
    PutBig32(out, static_cast<unsigned long>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    PutBig32(out, Crc32(reinterpret_cast<const unsigned char *>(body.data()), body.size()));
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<unsigned char> &rgb)
{
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        raw.append(reinterpret_cast<const char *>(&rgb[y * width * 3]), width * 3);
    }
    std::string z = "\x78\x01";
    size_t offset = 0;
    do {
        size_t block = raw.size() - offset > 65535 ? 65535 : raw.size() - offset;
        bool last = offset + block == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(block & 0xFF);
        z += static_cast<char>(block >> 8);
        z += static_cast<char>(~block & 0xFF);
        z += static_cast<char>((~block >> 8) & 0xFF);
        z.append(raw, offset, block);
        offset += block;
    } while (offset < raw.size());
    unsigned long a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBig32(header, width);
    PutBig32(header, height);
    header += std::string("\x08\x02\x00\x00\x00", 5);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", "");
    return png;
}

bool SaveWindowPng(HWND window, const std::string &path)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    std::vector<unsigned char> rgb(width * height * 3);
    const unsigned char *pixels = static_cast<const unsigned char *>(bits);
    for (int i = 0; i < width * height; ++i) {
        rgb[i * 3 + 0] = pixels[i * 4 + 2];
        rgb[i * 3 + 1] = pixels[i * 4 + 1];
        rgb[i * 3 + 2] = pixels[i * 4 + 0];
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::string png = EncodePng(width, height, rgb);
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    fwrite(png.data(), 1, png.size(), file);
    fclose(file);
    return true;
}

std::string ScreenshotFolder()
{
    const char *folder = getenv("ZORV_SCREENSHOTS");
    if (!folder || !*folder)
        return ".";
    std::string path = folder;
    // A Unix path from the build script is reached through drive Z:.
    if (path[0] == '/')
        path = "Z:" + path;
    return path;
}

} // namespace zt
