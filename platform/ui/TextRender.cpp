#include "platform/ui/TextRender.h"

#include "platform/Paths.h"
#include "platform/Text.h"

#include <cairo.h>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <mutex>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

namespace platform::ui {

namespace {

std::once_flag g_fontsOnce;
std::mutex g_fontMutex;
std::string g_language = "en";

void EnsureFontConfig()
{
    std::call_once(g_fontsOnce, [] {
        FcInit();
        std::string path = ProgramFolder() + "/fonts/fonts.conf";
        if (FILE* f = std::fopen(path.c_str(), "r")) {
            std::fclose(f);
            FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str()),
                                 FcTrue);
        }
    });
}

void ConfigChanged()
{
    PangoFontMap* map = pango_cairo_font_map_get_default();
    if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
}

PangoFontDescription* Describe(const FontSpec& font)
{
    PangoFontDescription* d = pango_font_description_new();
    std::string family = ToUtf8(font.family.empty() ? L"Segoe UI" : font.family);
    pango_font_description_set_family(d, family.c_str());
    pango_font_description_set_absolute_size(d, std::max(1, font.sizePx) * PANGO_SCALE);
    if (font.style & kFontBold) pango_font_description_set_weight(d, PANGO_WEIGHT_BOLD);
    if (font.style & kFontItalic) pango_font_description_set_style(d, PANGO_STYLE_ITALIC);
    return d;
}

PangoLayout* MakeLayout(cairo_t* cr, std::wstring_view text, const FontSpec& font, unsigned format, int width,
                        int height)
{
    EnsureFontConfig();
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoContext* ctx = pango_layout_get_context(layout);
    {
        static thread_local cairo_font_options_t* options = [] {
            cairo_font_options_t* o = cairo_font_options_create();
            cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
            cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_SLIGHT);
            cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
            return o;
        }();
        pango_cairo_context_set_font_options(ctx, options);
        std::lock_guard<std::mutex> lock(g_fontMutex);
        pango_context_set_language(ctx, pango_language_from_string(g_language.c_str()));
    }
    pango_layout_context_changed(layout);
    PangoFontDescription* d = Describe(font);
    pango_layout_set_font_description(layout, d);
    pango_font_description_free(d);

    std::string utf8 = ToUtf8(text);
    if (format & kTextSingleLine) {
        for (char& c : utf8)
            if (c == '\n' || c == '\r') c = ' ';
    }
    pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
    if (font.style & (kFontUnderline | kFontStrikeout)) {
        PangoAttrList* attrs = pango_attr_list_new();
        if (font.style & kFontUnderline)
            pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font.style & kFontStrikeout) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    unsigned h = format & 0x3;
    pango_layout_set_alignment(layout, h == kTextCenter  ? PANGO_ALIGN_CENTER
                                       : h == kTextRight ? PANGO_ALIGN_RIGHT
                                                         : PANGO_ALIGN_LEFT);
    if (width > 0) {
        pango_layout_set_width(layout, width * PANGO_SCALE);
        if ((format & kTextWordBreak) && !(format & kTextSingleLine))
            pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        else if (format & kTextEndEllipsis)
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        else
            pango_layout_set_width(layout, -1);
        if ((format & kTextEndEllipsis) && (format & kTextWordBreak) && height > 0) {
            pango_layout_set_height(layout, height * PANGO_SCALE);
            pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
        }
    }
    return layout;
}

cairo_t* MeasureContext()
{
    static thread_local cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    static thread_local cairo_t* cr = cairo_create(surface);
    return cr;
}

} // namespace

int DrawText(Surface& dst, const Rect& rc, std::wstring_view text, const FontSpec& font, Argb color,
             unsigned format)
{
    if (text.empty() || ArgbAlpha(color) == 0) return 0;
    cairo_t* cr = dst.Cr();
    cairo_save(cr);
    PangoLayout* layout = MakeLayout(cr, text, font, format, rc.Width(), rc.Height());
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    int textW = logical.width, textH = logical.height;
    double x = rc.left, y = rc.top;
    if (pango_layout_get_width(layout) < 0) {
        // Unwrapped layout: align the single block ourselves.
        unsigned h = format & 0x3;
        if (h == kTextCenter)
            x = rc.left + (rc.Width() - textW) / 2.0;
        else if (h == kTextRight)
            x = rc.right - textW;
    }
    unsigned v = format & 0xC;
    if (v == kTextVCenter)
        y = rc.top + (rc.Height() - textH) / 2.0;
    else if (v == kTextBottom)
        y = rc.bottom - textH;
    if (!(format & kTextNoClip)) {
        cairo_rectangle(cr, rc.left, rc.top, rc.Width(), rc.Height());
        cairo_clip(cr);
    }
    cairo_set_source_rgba(cr, ArgbRed(color) / 255.0, ArgbGreen(color) / 255.0, ArgbBlue(color) / 255.0,
                          ArgbAlpha(color) / 255.0);
    cairo_move_to(cr, std::round(x), std::round(y));
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
    cairo_restore(cr);
    return textH;
}

Size MeasureText(std::wstring_view text, const FontSpec& font, unsigned format, int maxWidth)
{
    if (text.empty()) return {0, 0};
    PangoLayout* layout = MakeLayout(MeasureContext(), text, font, format, maxWidth, -1);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return {logical.width, logical.height};
}

double FontLineHeight(const FontSpec& font)
{
    PangoLayout* layout = MakeLayout(MeasureContext(), L"Ag", font, kTextSingleLine, -1, -1);
    PangoLayoutIter* it = pango_layout_get_iter(layout);
    int y0, y1;
    pango_layout_iter_get_line_yrange(it, &y0, &y1);
    pango_layout_iter_free(it);
    g_object_unref(layout);
    return double(y1 - y0) / PANGO_SCALE;
}

void WarmUpFonts()
{
    EnsureFontConfig();
    FontSpec regular;
    FontSpec bold;
    bold.style = kFontBold;
    MeasureText(L"Korvane 0123", regular);
    MeasureText(L"Korvane 0123", bold);
}

bool LoadFontConfigFile(const std::string& path)
{
    EnsureFontConfig();
    bool ok =
        FcConfigParseAndLoad(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue);
    if (ok) ConfigChanged();
    return ok;
}

bool AddPrivateFontFile(const std::string& path)
{
    EnsureFontConfig();
    bool ok = FcConfigAppFontAddFile(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(path.c_str()));
    if (ok) ConfigChanged();
    return ok;
}

namespace {

// The family fontconfig picks for a name after aliases and fallbacks.
std::string MatchedFamily(const std::string& name)
{
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    std::string out;
    FcChar8* got = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &got) == FcResultMatch)
        out = reinterpret_cast<char*>(got);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pat);
    return out;
}

} // namespace

bool FontFamilyExists(const std::wstring& family)
{
    if (family.empty()) return false;
    EnsureFontConfig();
    std::string name = ToUtf8(family);
    // Installed under that name?
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(nullptr, pat, os);
    bool found = set && set->nfont > 0;
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(os);
    FcPatternDestroy(pat);
    if (found) return true;
    // Otherwise an alias must lead somewhere other than where an unknown name falls back to.
    static const std::string fallback = MatchedFamily("korvane-no-such-family");
    std::string matched = MatchedFamily(name);
    return !matched.empty() && matched != fallback;
}

void SetTextLanguage(int id)
{
    const char* lang = "en";
    switch (id) {
    case 2052:
        lang = "zh-cn";
        break;
    case 1028:
        lang = "zh-tw";
        break;
    case 1041:
        lang = "ja";
        break;
    case 1042:
        lang = "ko";
        break;
    case 1058:
        lang = "uk";
        break;
    case 1054:
        lang = "th";
        break;
    case 1049:
        lang = "ru";
        break;
    default:
        break;
    }
    std::lock_guard<std::mutex> lock(g_fontMutex);
    g_language = lang;
}

} // namespace platform::ui
