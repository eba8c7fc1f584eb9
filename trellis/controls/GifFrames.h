#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace DUI {

// The frames of an animated GIF, fully composed (disposal and transparency applied), as
// premultiplied 32-bit ARGB pixels in native byte order (the layout of a Cairo ARGB32 surface
// with stride = width * 4). Decoding never throws: a file that cannot be read or is malformed
// gives an empty result.
class GifFrames
{
public:
    struct Frame
    {
        std::vector<uint32_t> pixels; // width * height
        int delayMs = 0;              // display time the file asks for (0 = unspecified)
    };

    bool Load(const std::string& path);
    void Clear();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_frames.size()); }
    const Frame& At(int index) const { return m_frames[index]; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Frame> m_frames;
};

} // namespace DUI
