#pragma once
// A small list of icon strips (paths used as given, not the skin folder), under one lock.
#include "trellis/core/Types.h"

#include <mutex>
#include <vector>

namespace DUI {

struct _M_IAMGELIST
{
    ImagePtr image;
    int frameWidth = 0;
    int frameHeight = 0;
    int id = 0;
    int frameCount = 1;
    std::wstring path;
};

class MImageList
{
public:
    // Appends; returns the new index, -1 for an empty path. An image that cannot be loaded is
    // kept as an empty entry so indices stay aligned with what the caller added.
    int AddImage(const std::wstring& path, int id, int frameCount);
    // index -1 appends; an index outside -1 .. count - 1 gives -1.
    int InsertImage(int index, const std::wstring& path, int id, int frameCount);
    // Stretches frame 0 of the entry over the rectangle.
    void DrawItemIcon(HDC dc, CRect rect, int index);
    void SetDrawImgSize(int cx, int cy) { m_drawSize = CSize(cx, cy); }
    CSize GetIconSize() const { return m_drawSize; }
    const _M_IAMGELIST* GetItemImageData(int index);
    const _M_IAMGELIST* GetImageDataByID(int id);
    std::wstring GetImagePath(int index);
    std::wstring GetImagePathByID(int id);
    int GetImageCount();
    void DelAllImages();

private:
    std::vector<_M_IAMGELIST> m_items;
    std::mutex m_lock;
    CSize m_drawSize;
};

} // namespace DUI
