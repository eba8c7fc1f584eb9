#pragma once
// The base of every control that shows a title or a skin image: title, font, text colour,
// alignment and one image strip of frame-count frames laid out left to right.
#include "trellis/core/MControl.h"

namespace DUI {

class MControlFont : public MControl
{
public:
    MControlFont(MObject* parent, UINT id, CRect rect, const std::wstring& title, int visible, int enabled,
                 int response);

    virtual void SetTextFont(const std::wstring& fontName) { m_strFontName = fontName; }
    virtual void SetTextColor(Color color) { m_textColor = color; }
    // Resource images are not used on this platform: always 0.
    virtual int SetImage(unsigned resourceId, const std::wstring& resourceType, int frameCount);
    virtual int SetImage(const std::wstring& fileName, int frameCount);
    virtual void SetControlTitle(const std::wstring& title) { m_strTitle = title; }
    virtual std::wstring GetControlTitle() { return m_strTitle; }

    void SetTitle(const std::wstring& title);
    std::wstring GetTitle() { return GetControlTitle(); }
    void SetAlignment(unsigned h);
    void SetVAlignment(unsigned v);
    void SetAlignment(unsigned h, unsigned v);
    void GetAlignment(unsigned& h, unsigned& v) const
    {
        h = m_uAlignment;
        v = m_uVAlignment;
    }
    void SetFont(const std::wstring& name, int size, FontStyle style);
    void SetFontName(const std::wstring& name);
    void SetFontWidth(int size);
    void SetTextRenderingHint(TextRenderingHint hint) { m_textHint = hint; }
    void SetFontStyle(FontStyle style);
    FontStyle GetFontStyle() const { return m_fontStyle; }
    int GetFontWidth() const { return m_nFontWidth; }
    const std::wstring& GetTextFont() const { return m_strFontName; }
    Color GetTextColor() const { return m_textColor; }
    void SetImageCount(int count) { m_nFrameCount = count; }
    int GetImageCount() const { return m_nFrameCount; }
    CSize GetImageSize() const { return CSize(m_nFrameWidth, m_nFrameHeight); }
    const std::wstring& GetImagePath() const { return m_strImagePath; }
    ImagePtr GetSkinImage() const { return m_pImage; }
    FontFamilyPtr GetFontFamily(const std::wstring& name);
    // The control's font resolved for text drawing: built once and cached until a font
    // property changes.
    HFONT GetGDIFont();
    void ClearGDIFont() { m_hFont.reset(); }
    // The font of this control as used by title drawing.
    FontSpec GetFontSpec() const;

    // Draws text in the control's font and alignment inside `rect` (single line unless
    // multiline; color 0 = the text colour).
    void DrawTitleText(HDC dc, const CRect& rect, const std::wstring& text, int multiline = 0,
                       ARGB color = 0);
    // Draws frame `index` of the skin image stretched over `dest` (nothing without an image).
    void DrawImageFrameIndex(HDC dc, const CRect& dest, int index, int alpha = 255);

protected:
    std::wstring m_strTitle;
    std::wstring m_strFontName;
    std::wstring m_strImagePath;
    int m_nFontWidth;
    Color m_textColor = Color(0xFFFFFFFF);
    FontStyle m_fontStyle = FontStyleRegular;
    FontFamilyPtr m_pFontFamily;
    UINT m_uAlignment = DT_LEFT;
    UINT m_uVAlignment = DT_VCENTER;
    TextRenderingHint m_textHint = TextRenderingHintClearTypeGridFit;
    HFONT m_hFont;
    ImagePtr m_pImage;
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
    int m_nFrameCount = 4;
};

} // namespace DUI
