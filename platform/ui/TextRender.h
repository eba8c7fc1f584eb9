#pragma once
// Text drawing and measuring with Pango over Cairo, fonts found through fontconfig. The
// first use loads the alias file shipped beside the program (fonts/fonts.conf) so that the
// face names the skins ask for ("Segoe UI", "Arial", "黑体", ...) land on installed fonts.
#include "platform/ui/Surface.h"

#include <string>
#include <string_view>

namespace platform::ui {

// Style bits.
constexpr int kFontBold = 1;
constexpr int kFontItalic = 2;
constexpr int kFontUnderline = 4;
constexpr int kFontStrikeout = 8;

struct FontSpec
{
    std::wstring family = L"Segoe UI";
    int sizePx = 14;
    int style = 0;
};

// Layout flags; the values are those of the text-drawing flags the controls were written with.
constexpr unsigned kTextLeft = 0x0;
constexpr unsigned kTextCenter = 0x1;
constexpr unsigned kTextRight = 0x2;
constexpr unsigned kTextTop = 0x0;
constexpr unsigned kTextVCenter = 0x4;
constexpr unsigned kTextBottom = 0x8;
constexpr unsigned kTextWordBreak = 0x10;
constexpr unsigned kTextSingleLine = 0x20;
constexpr unsigned kTextNoClip = 0x100;
constexpr unsigned kTextCalcRect = 0x400;
constexpr unsigned kTextNoPrefix = 0x800;
constexpr unsigned kTextEditControl = 0x2000;
constexpr unsigned kTextEndEllipsis = 0x8000;

// Draws the text inside the layout rectangle. Without kTextSingleLine, line breaks in the
// text start new lines and kTextWordBreak wraps at the rectangle's width. Returns the height
// of the laid-out text.
int DrawText(Surface& dst, const Rect& layout, std::wstring_view text, const FontSpec& font, Argb color,
             unsigned format);
// Size of the laid-out text; maxWidth > 0 wraps (with kTextWordBreak) at that width.
Size MeasureText(std::wstring_view text, const FontSpec& font, unsigned format = kTextSingleLine,
                 int maxWidth = -1);
// Ink-free line height of the font in pixels (ascent + descent).
double FontLineHeight(const FontSpec& font);

// Loads fontconfig and the faces of the default fonts; safe to run on any thread, once, so a
// program can overlap it with opening the display.
void WarmUpFonts();
// Loads a fontconfig file with aliases; done automatically for <program folder>/fonts/fonts.conf.
bool LoadFontConfigFile(const std::string& path);
// Makes a font file available to this process only.
bool AddPrivateFontFile(const std::string& path);
// True when an installed (or private) font family has this name, directly or by alias.
bool FontFamilyExists(const std::wstring& family);
// The language Pango shapes for (picks CJK glyph variants); a Windows language id.
void SetTextLanguage(int languageId);

} // namespace platform::ui
