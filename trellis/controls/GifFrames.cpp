#include "trellis/controls/GifFrames.h"

#include <gif_lib.h>

#include <algorithm>

namespace DUI {

namespace {

// Giant logical screens would make every frame a huge allocation; no skin animation needs them.
constexpr int kMaxSide = 4096;
constexpr int kMaxFrames = 2048;

} // namespace

void GifFrames::Clear()
{
    m_width = m_height = 0;
    m_frames.clear();
}

bool GifFrames::Load(const std::string& path)
{
    Clear();
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return false;
    // A truncated file still yields the frames read before the damage.
    DGifSlurp(gif);
    const int sw = gif->SWidth, sh = gif->SHeight;
    if (sw <= 0 || sh <= 0 || sw > kMaxSide || sh > kMaxSide || gif->ImageCount <= 0) {
        DGifCloseFile(gif, &error);
        return false;
    }
    std::vector<uint32_t> canvas(static_cast<size_t>(sw) * sh, 0);
    std::vector<uint32_t> saved;
    const int count = std::min(gif->ImageCount, kMaxFrames);
    for (int i = 0; i < count; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        if (!image.RasterBits) break;
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &gcb);
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        if (gcb.DisposalMode == DISPOSE_PREVIOUS) saved = canvas;

        const int left = image.ImageDesc.Left, top = image.ImageDesc.Top;
        const int w = image.ImageDesc.Width, h = image.ImageDesc.Height;
        for (int y = 0; y < h && map; ++y) {
            const int cy = top + y;
            if (cy < 0 || cy >= sh) continue;
            for (int x = 0; x < w; ++x) {
                const int cx = left + x;
                if (cx < 0 || cx >= sw) continue;
                const int index = image.RasterBits[static_cast<size_t>(y) * w + x];
                if (index == gcb.TransparentColor || index >= map->ColorCount) continue;
                const GifColorType& c = map->Colors[index];
                canvas[static_cast<size_t>(cy) * sw + cx] =
                    0xFF000000u | (uint32_t(c.Red) << 16) | (uint32_t(c.Green) << 8) | uint32_t(c.Blue);
            }
        }
        m_frames.push_back({canvas, gcb.DelayTime * 10});

        if (gcb.DisposalMode == DISPOSE_BACKGROUND) {
            for (int y = std::max(0, top); y < std::min(sh, top + h); ++y)
                for (int x = std::max(0, left); x < std::min(sw, left + w); ++x)
                    canvas[static_cast<size_t>(y) * sw + x] = 0;
        } else if (gcb.DisposalMode == DISPOSE_PREVIOUS && !saved.empty()) {
            canvas.swap(saved);
        }
    }
    DGifCloseFile(gif, &error);
    if (m_frames.empty()) return false;
    m_width = sw;
    m_height = sh;
    return true;
}

} // namespace DUI
