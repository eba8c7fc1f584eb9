#include "trellis/core/MControlFont.h"

#include "trellis/core/MRender.h"
#include "trellis/core/Manager.h"
#include "trellis/core/PaintManager.h"

namespace DUI {

MControlFont::MControlFont(MObject* parent, UINT id, CRect rect, const std::wstring& title, int visible,
                           int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response), m_strTitle(title),
      m_strFontName(Manager::GetFontName()), m_nFontWidth(Manager::GetFontWidth())
{
}

int MControlFont::SetImage(unsigned resourceId, const std::wstring& resourceType, int frameCount)
{
    if (!m_pManager) return 0;
    ImgResInfo* info = m_pManager->AddImgResInfo(resourceId, resourceType, frameCount, 1);
    if (!info) return 0;
    m_pImage = info->image;
    m_nFrameWidth = info->frameWidth;
    m_nFrameHeight = info->frameHeight;
    m_nFrameCount = info->frameCount;
    if (m_bVisible) UpdateControl(1);
    return 1;
}

int MControlFont::SetImage(const std::wstring& fileName, int frameCount)
{
    if (!m_pManager) return 0;
    ImgResInfo* info = m_pManager->AddImgResInfo(fileName, frameCount);
    if (!info) return 0;
    m_pImage = info->image;
    m_nFrameWidth = info->frameWidth;
    m_nFrameHeight = info->frameHeight;
    m_nFrameCount = info->frameCount;
    if (m_bVisible) UpdateControl(1);
    return 1;
}

void MControlFont::SetTitle(const std::wstring& title)
{
    ClearGDIFont();
    SetControlTitle(title);
    if (m_bVisible) UpdateControl(1);
}

void MControlFont::SetAlignment(unsigned h)
{
    if (h == m_uAlignment) return;
    m_uAlignment = h;
    if (m_bVisible) UpdateControl(1);
}

void MControlFont::SetVAlignment(unsigned v)
{
    if (v == m_uVAlignment) return;
    m_uVAlignment = v;
    if (m_bVisible) UpdateControl(1);
}

void MControlFont::SetAlignment(unsigned h, unsigned v)
{
    if (h == m_uAlignment && v == m_uVAlignment) return;
    m_uAlignment = h;
    m_uVAlignment = v;
    if (m_bVisible) UpdateControl(1);
}

void MControlFont::SetFont(const std::wstring& name, int size, FontStyle style)
{
    m_strFontName = name;
    m_nFontWidth = size;
    m_fontStyle = style;
    ClearGDIFont();
}

void MControlFont::SetFontName(const std::wstring& name)
{
    m_strFontName = name;
    ClearGDIFont();
}

void MControlFont::SetFontWidth(int size)
{
    m_nFontWidth = size;
    ClearGDIFont();
}

void MControlFont::SetFontStyle(FontStyle style)
{
    m_fontStyle = style;
    ClearGDIFont();
}

FontFamilyPtr MControlFont::GetFontFamily(const std::wstring& name)
{
    if (!m_pManager) return nullptr;
    FontFamilyPtr f = m_pManager->GetPrivateFont(name);
    return f ? std::make_shared<FontFamily>(*f) : nullptr;
}

HFONT MControlFont::GetGDIFont()
{
    if (!m_hFont) {
        auto f = std::make_shared<FontSpec>();
        f->family = m_strFontName.substr(0, 31);
        f->sizePx = m_nFontWidth;
        f->style = m_fontStyle & (FontStyleBold | FontStyleItalic | FontStyleUnderline);
        m_hFont = f;
    }
    return m_hFont;
}

FontSpec MControlFont::GetFontSpec() const
{
    FontSpec f;
    f.family = m_strFontName;
    f.sizePx = m_nFontWidth;
    f.style = m_fontStyle;
    return f;
}

void MControlFont::DrawTitleText(HDC dc, const CRect& rect, const std::wstring& text, int multiline,
                                 ARGB color)
{
    MRender::DrawString(dc, text, rect, GetFontSpec(), color ? color : m_textColor.GetValue(), m_uAlignment,
                        m_uVAlignment, multiline);
}

void MControlFont::DrawImageFrameIndex(HDC dc, const CRect& dest, int index, int alpha)
{
    if (!m_pImage || !dc || m_nFrameWidth <= 0) return;
    MRender::DrawImage(dc, m_pImage.get(), dest, index * m_nFrameWidth, 0, m_nFrameWidth, m_nFrameHeight,
                       alpha);
}

} // namespace DUI
