#include "trellis/core/MImageList.h"

#include "trellis/core/MRender.h"

namespace DUI {

int MImageList::AddImage(const std::wstring& path, int id, int frameCount)
{
    return InsertImage(-1, path, id, frameCount);
}

int MImageList::InsertImage(int index, const std::wstring& path, int id, int frameCount)
{
    if (path.empty()) return -1;
    _M_IAMGELIST item;
    item.image = MRender::LoadImageFromFile(path);
    item.id = id;
    item.frameCount = frameCount > 0 ? frameCount : 1;
    item.path = path;
    if (item.image) {
        item.frameWidth = item.image->Width() / item.frameCount;
        item.frameHeight = item.image->Height();
    }
    std::lock_guard<std::mutex> lock(m_lock);
    int count = int(m_items.size());
    if (index < -1 || index >= count) return index == -1 ? -1 : -1;
    if (index == -1) {
        m_items.push_back(std::move(item));
        return count;
    }
    m_items.insert(m_items.begin() + index, std::move(item));
    return index;
}

void MImageList::DrawItemIcon(HDC dc, CRect rect, int index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (index < 0 || index >= int(m_items.size())) return;
    const auto& item = m_items[index];
    if (!item.image) return;
    MRender::DrawImage(dc, item.image.get(), rect, 0, 0, item.frameWidth, item.frameHeight);
}

const _M_IAMGELIST* MImageList::GetItemImageData(int index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return index >= 0 && index < int(m_items.size()) ? &m_items[index] : nullptr;
}

const _M_IAMGELIST* MImageList::GetImageDataByID(int id)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (auto& i : m_items)
        if (i.id == id) return &i;
    return nullptr;
}

std::wstring MImageList::GetImagePath(int index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return index >= 0 && index < int(m_items.size()) ? m_items[index].path : std::wstring();
}

std::wstring MImageList::GetImagePathByID(int id)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (auto& i : m_items)
        if (i.id == id) return i.path;
    return std::wstring();
}

int MImageList::GetImageCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return int(m_items.size());
}

void MImageList::DelAllImages()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items.clear();
}

} // namespace DUI
