#include "DcPixels.h"

#include <cstring>
#include <memory>
#include <type_traits>

namespace {

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter>;

}  // namespace

std::vector<DWORD> CopyDcPixels(HDC source, int left, int top, int width, int height) {
    std::vector<DWORD> pixels((size_t)(width > 0 && height > 0 ? width * height : 0));
    if (pixels.empty()) return pixels;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    MemoryDc memory(CreateCompatibleDC(source));
    Bitmap bitmap(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // Without memory for the copy the pixels stay black.
    if (!memory || !bitmap || !bits) return pixels;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
    SelectObject(memory.get(), old);
    return pixels;
}
