#pragma once
// The basic types of the toolkit: pixel geometry, handles, colours, images, fonts and the
// message and text-format constants. Everything is in namespace DUI.
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Image.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Surface.h"
#include "platform/ui/TextRender.h"
#include "platform/ui/WindowSystem.h"

#include <cstdint>
#include <memory>
#include <string>

namespace DUI {

using namespace platform::ui::codes;

using CRect = platform::ui::Rect;
using CPoint = platform::ui::Point;
using CSize = platform::ui::Size;
using RECT = platform::ui::Rect;
using POINT = platform::ui::Point;
using SIZE = platform::ui::Size;

using UINT = unsigned;
using DWORD = uint32_t;
using BOOL = int;
using BYTE = uint8_t;
using WPARAM = platform::ui::WParam;
using LPARAM = platform::ui::LParam;
using LRESULT = platform::ui::LResult;

// A window handle (0 = none) and a drawing target (a 32-bit ARGB surface).
using HWND = platform::ui::WindowId;
using HDC = platform::ui::Surface*;
using MSG = platform::ui::Message;
using HMENU = uintptr_t;
using HICON = std::shared_ptr<platform::ui::Image>;
using HCURSOR = platform::ui::Cursor; // Cursor::None = no cursor chosen
using MINMAXINFO = platform::ui::MinMaxInfo;
using WINDOWPOS = platform::ui::WindowPos;

// Decoded images; shared, so a cache can be cleared while a control still draws its image.
using Image = platform::ui::Image;
using ImagePtr = std::shared_ptr<platform::ui::Image>;
using HBITMAP = std::shared_ptr<platform::ui::Image>;

// 24-bit 0x00BBGGRR colours (settings, store, device) and 32-bit 0xAARRGGBB drawing colours.
using COLORREF = platform::ui::ColorRef;
using ARGB = platform::ui::Argb;
constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b)
{
    return platform::ui::MakeColorRef(r, g, b);
}
constexpr uint8_t GetRValue(COLORREF c)
{
    return c.Red();
}
constexpr uint8_t GetGValue(COLORREF c)
{
    return c.Green();
}
constexpr uint8_t GetBValue(COLORREF c)
{
    return c.Blue();
}

// A drawing colour (ARGB).
class Color
{
public:
    constexpr Color() = default;
    constexpr Color(ARGB argb) : m_value(argb) {}
    constexpr Color(uint8_t r, uint8_t g, uint8_t b) : m_value(MakeARGB(255, r, g, b)) {}
    constexpr Color(uint8_t a, uint8_t r, uint8_t g, uint8_t b) : m_value(MakeARGB(a, r, g, b)) {}
    static constexpr ARGB MakeARGB(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
    {
        return platform::ui::MakeArgb(a, r, g, b);
    }
    static Color FromCOLORREF(COLORREF c, uint8_t alpha = 255)
    {
        return Color(platform::ui::ArgbFromColorRef(c, alpha));
    }
    constexpr ARGB GetValue() const { return m_value; }
    void SetValue(ARGB v) { m_value = v; }
    constexpr uint8_t GetA() const { return m_value >> 24; }
    constexpr uint8_t GetR() const { return (m_value >> 16) & 0xFF; }
    constexpr uint8_t GetG() const { return (m_value >> 8) & 0xFF; }
    constexpr uint8_t GetB() const { return m_value & 0xFF; }
    COLORREF ToCOLORREF() const { return platform::ui::ColorRefFromArgb(m_value); }
    constexpr bool operator==(const Color&) const = default;

private:
    ARGB m_value = 0xFF000000;
};

// Font style bits.
using FontStyle = int;
constexpr FontStyle FontStyleRegular = 0;
constexpr FontStyle FontStyleBold = 1;
constexpr FontStyle FontStyleItalic = 2;
constexpr FontStyle FontStyleBoldItalic = 3;
constexpr FontStyle FontStyleUnderline = 4;
constexpr FontStyle FontStyleStrikeout = 8;

enum TextRenderingHint
{
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintSingleBitPerPixelGridFit = 1,
    TextRenderingHintSingleBitPerPixel = 2,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};

// A resolved font: what GDI-style text drawing uses (family, pixel size, style bits).
using FontSpec = platform::ui::FontSpec;
using HFONT = std::shared_ptr<const platform::ui::FontSpec>;

// A font family known to a window (installed, aliased or private).
class FontFamily
{
public:
    explicit FontFamily(std::wstring name) : m_name(std::move(name)) {}
    const std::wstring& GetFamilyName() const { return m_name; }

private:
    std::wstring m_name;
};
using FontFamilyPtr = std::shared_ptr<FontFamily>;

// Text layout flags.
constexpr UINT DT_LEFT = platform::ui::kTextLeft;
constexpr UINT DT_CENTER = platform::ui::kTextCenter;
constexpr UINT DT_RIGHT = platform::ui::kTextRight;
constexpr UINT DT_TOP = platform::ui::kTextTop;
constexpr UINT DT_VCENTER = platform::ui::kTextVCenter;
constexpr UINT DT_BOTTOM = platform::ui::kTextBottom;
constexpr UINT DT_WORDBREAK = platform::ui::kTextWordBreak;
constexpr UINT DT_SINGLELINE = platform::ui::kTextSingleLine;
constexpr UINT DT_NOCLIP = platform::ui::kTextNoClip;
constexpr UINT DT_CALCRECT = platform::ui::kTextCalcRect;
constexpr UINT DT_NOPREFIX = platform::ui::kTextNoPrefix;
constexpr UINT DT_EDITCONTROL = platform::ui::kTextEditControl;
constexpr UINT DT_END_ELLIPSIS = platform::ui::kTextEndEllipsis;

} // namespace DUI
