#pragma once
// A picture from the skin folder, drawn by one of six show modes (natural size, tiled,
// stretched, nine-grid with one corner size, nine-grid with four insets, custom source part).
#include "trellis/core/MControlFont.h"

namespace DUI {

enum enumShowMode
{
    SHOW_MODE_NORMAL = 0,
    SHOW_MODE_TILE = 1,
    SHOW_MODE_STRETCH = 2,
    SHOW_MODE_FRAME = 3,
    SHOW_MODE_FRAME_MID = 4,
    SHOW_MODE_CUSTOM = 5,
};

class MPicture : public MControlFont
{
public:
    MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled);

    // Loads the file directly (not through the cache); repaints even on failure; 1 on success.
    int SetImage(const std::wstring& fileName, int frameCount = 1) override;
    int SetImage(unsigned resourceId, const std::wstring& resourceType, int frameCount) override;
    // 0 when nothing changed.
    int SetShowMode(enumShowMode mode, int value);
    void SetShowModeMID(int left, int top, int right, int bottom);
    void SetCustomRect(CRect rect);
    enumShowMode GetShowMode() const { return m_mode; }
    int GetPictureWidth() const;
    int GetPictureHeight() const;

    void DrawControl(HDC dc, CRect clip) override;

protected:
    // Draws the picture by the show mode into `area`.
    void DrawPicture(platform::ui::Surface& target, CRect area) const;
    bool HasPicture() const { return m_picture != nullptr; }

    ImagePtr m_picture;
    int m_frames = 1;
    enumShowMode m_mode = SHOW_MODE_NORMAL;
    int m_modeValue = 4;
    int m_insets[4] = {0, 0, 0, 0};
    CRect m_custom;
};

} // namespace DUI
