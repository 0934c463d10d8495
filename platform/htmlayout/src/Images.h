// Images of a view: files decoded once by GDI+ by their content, and the copies
// painting blends (scaled to a size, or tiled into a larger block), prepared once.
// They stay for the next page; a file that changed meanwhile is read again.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>

#include "Gdiplus.h"
#include "Surface.h"

namespace hlwin {

class ImageCache {
public:
    // The decoded image of a file, or null when it is no image.
    Gdiplus::Bitmap* Get(const std::u16string& path);
    // The image scaled to width x height; null when it is no image.
    const Surface* Scaled(const std::u16string& path, int width, int height);
    // The scaled image repeated into a block of at least 512 pixels each way (one
    // copy where the image is larger).
    const Surface* Tiled(const std::u16string& path, int width, int height);
    // A new page: each file is checked once more before it is used again.
    void NewPage() { ++m_page; }

private:
    using Key = std::tuple<std::u16string, int, int>;
    struct Decoded {
        std::unique_ptr<Gdiplus::Bitmap> bitmap;  // null: no image
        WIN32_FILE_ATTRIBUTE_DATA file{};
        unsigned page = 0;  // the page it was last checked for
    };
    void Forget(const std::u16string& path);

    unsigned m_page = 1;
    std::unordered_map<std::u16string, Decoded> m_decoded;
    std::unique_ptr<Gdiplus::Bitmap> ScaledBitmap(Gdiplus::Bitmap& image, int width, int height);
    const Surface* Remember(std::map<Key, std::unique_ptr<Surface>>& cache, Key key, Gdiplus::Bitmap& bitmap);

    std::map<Key, std::unique_ptr<Surface>> m_scaled;
    std::map<Key, std::unique_ptr<Surface>> m_tiled;
};

}  // namespace hlwin
