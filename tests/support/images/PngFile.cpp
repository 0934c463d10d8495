#include "images/PngFile.h"

#include <vector>

namespace zemotest {
namespace {

bool PngEncoder(CLSID& clsid) {
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool WritePng(const std::wstring& path, int width, int height,
              const std::function<Gdiplus::Color(int x, int y)>& pixel) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, pixel(x, y));
    CLSID png;
    return PngEncoder(png) && bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace zemotest
