#include "Images.h"

#include <shlwapi.h>

#include <vector>

#include "FileBytes.h"

namespace hlwin {
namespace {

constexpr int kTileBlock = 512;
constexpr size_t kMostCopies = 256;  // prepared copies kept before they are made again

std::unique_ptr<Gdiplus::Bitmap> Blank(int width, int height) {
    return std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppPARGB);
}

bool SameFile(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

}  // namespace

Gdiplus::Bitmap* ImageCache::Get(const std::u16string& path) {
    const WCHAR* name = reinterpret_cast<const WCHAR*>(path.c_str());
    auto it = m_decoded.find(path);
    if (it != m_decoded.end() && it->second.page == m_page) return it->second.bitmap.get();
    WIN32_FILE_ATTRIBUTE_DATA file{};
    bool exists = GetFileAttributesExW(name, GetFileExInfoStandard, &file) != FALSE;
    if (it != m_decoded.end()) {
        if (exists && SameFile(file, it->second.file)) {
            it->second.page = m_page;
            return it->second.bitmap.get();
        }
        Forget(path);
    }
    Decoded entry;
    entry.file = file;
    entry.page = m_page;
    std::vector<unsigned char> bytes = ReadFileBytes(path);
    IStream* stream = bytes.empty() ? nullptr : SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    if (stream) {
        // Decoded once into a plain bitmap, so neither the stream nor the file stays held.
        std::unique_ptr<Gdiplus::Bitmap> source(Gdiplus::Bitmap::FromStream(stream));
        if (source && source->GetLastStatus() == Gdiplus::Ok && source->GetWidth() > 0 && source->GetHeight() > 0) {
            int w = static_cast<int>(source->GetWidth()), h = static_cast<int>(source->GetHeight());
            entry.bitmap = Blank(w, h);
            Gdiplus::Graphics g(entry.bitmap.get());
            g.DrawImage(source.get(), 0, 0, w, h);
        }
        source.reset();
        stream->Release();
    }
    return m_decoded.emplace(path, std::move(entry)).first->second.bitmap.get();
}

void ImageCache::Forget(const std::u16string& path) {
    m_decoded.erase(path);
    for (auto* cache : {&m_scaled, &m_tiled})
        for (auto it = cache->begin(); it != cache->end();)
            it = std::get<0>(it->first) == path ? cache->erase(it) : std::next(it);
}

std::unique_ptr<Gdiplus::Bitmap> ImageCache::ScaledBitmap(Gdiplus::Bitmap& image, int width, int height) {
    std::unique_ptr<Gdiplus::Bitmap> scaled = Blank(width, height);
    Gdiplus::Graphics g(scaled.get());
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    // The samples beyond the edges mirror the image instead of fading into nothing.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(&image, Gdiplus::Rect(0, 0, width, height), 0, 0, static_cast<INT>(image.GetWidth()),
                static_cast<INT>(image.GetHeight()), Gdiplus::UnitPixel, &edges);
    return scaled;
}

const Surface* ImageCache::Remember(std::map<Key, std::unique_ptr<Surface>>& cache, Key key, Gdiplus::Bitmap& bitmap) {
    if (cache.size() >= kMostCopies) cache.clear();
    auto surface = std::make_unique<Surface>(bitmap);
    if (!surface->Valid()) return nullptr;
    return cache.emplace(std::move(key), std::move(surface)).first->second.get();
}

const Surface* ImageCache::Scaled(const std::u16string& path, int width, int height) {
    Key key{path, width, height};
    auto it = m_scaled.find(key);
    if (it != m_scaled.end()) return it->second.get();
    Gdiplus::Bitmap* image = Get(path);
    if (!image || width <= 0 || height <= 0) return nullptr;
    if (static_cast<int>(image->GetWidth()) == width && static_cast<int>(image->GetHeight()) == height)
        return Remember(m_scaled, key, *image);
    return Remember(m_scaled, key, *ScaledBitmap(*image, width, height));
}

const Surface* ImageCache::Tiled(const std::u16string& path, int width, int height) {
    Key key{path, width, height};
    auto it = m_tiled.find(key);
    if (it != m_tiled.end()) return it->second.get();
    Gdiplus::Bitmap* image = Get(path);
    if (!image || width <= 0 || height <= 0) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> tile = ScaledBitmap(*image, width, height);
    int across = std::max(1, kTileBlock / width), down = std::max(1, kTileBlock / height);
    std::unique_ptr<Gdiplus::Bitmap> block = Blank(width * across, height * down);
    {
        Gdiplus::Graphics g(block.get());
        for (int y = 0; y < down; ++y)
            for (int x = 0; x < across; ++x) g.DrawImage(tile.get(), x * width, y * height, width, height);
    }
    return Remember(m_tiled, key, *block);
}

}  // namespace hlwin
