// Draws the whole "theme1" skin at build time: every image the programs load from
// skins/theme1/, as PNG strips (and one GIF animation), so no picture that code can draw
// is kept as a binary in the repository.
//
// Usage: skingen <output folder> [--list]
//
// One dark theme on the accent red 0xFFFA373E. Every strip is drawn at 1:1 on whole pixels
// so that nine-grid corners stay crisp; frames are side by side (frame i at x = i * frame width),
// except the horizontal scroll bar whose thumb rows are stacked vertically.

#include <cairo.h>
#include <gif_lib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Palette

struct Rgba
{
    double r, g, b, a;
};

constexpr Rgba Hex(unsigned rgb, double a = 1.0)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

const Rgba kAccent = Hex(0xFA373E);
const Rgba kAccentHot = Hex(0xFF5C62);
const Rgba kAccentDeep = Hex(0xC42129);
const Rgba kWindow = Hex(0x131418);
const Rgba kPanel = Hex(0x1B1D22);
const Rgba kPanelHi = Hex(0x22252B);
const Rgba kControl = Hex(0x2A2D34);
const Rgba kControlHot = Hex(0x353942);
const Rgba kBorder = Hex(0x3C414B);
const Rgba kBorderSoft = Hex(0x2C3038);
const Rgba kGlyph = Hex(0xB9BDC6);
const Rgba kGlyphHot = Hex(0xFFFFFF);
const Rgba kDisabledFill = Hex(0x1F2125);
const Rgba kDisabledLine = Hex(0x2E3137);
const Rgba kDisabledGlyph = Hex(0x4C5058);

void Set(cairo_t* cr, const Rgba& c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

Rgba WithAlpha(Rgba c, double a)
{
    c.a = a;
    return c;
}

// ---------------------------------------------------------------------------------------------
// Geometry helpers

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A filled rounded box with a 1-pixel border placed on the pixel grid.
void Box(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& fill, const Rgba& line)
{
    RoundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    Set(cr, fill);
    cairo_fill_preserve(cr);
    Set(cr, line);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void VerticalGradientBox(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& top,
                         const Rgba& bottom, const Rgba& line)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
    RoundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Set(cr, line);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void Line(cairo_t* cr, double x1, double y1, double x2, double y2, double width, const Rgba& c)
{
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_set_line_width(cr, width);
    Set(cr, c);
    cairo_stroke(cr);
}

// States of the four-frame strips.
enum State
{
    Normal = 0,
    Hover = 1,
    Pressed = 2,
    Disabled = 3
};

Rgba GlyphColour(int state)
{
    switch (state) {
    case Hover:
        return kGlyphHot;
    case Pressed:
        return kAccent;
    case Disabled:
        return kDisabledGlyph;
    default:
        return kGlyph;
    }
}

// ---------------------------------------------------------------------------------------------
// Glyphs (drawn inside a square of side s at x, y, in colour c)

enum class Glyph
{
    Close,
    Maximize,
    Restore,
    Minimize,
    Setting,
    Reset,
    Return,
    Previous,
    Next,
    Plus,
    Minus,
    Up,
    Down,
    Help,
    More,
    Home,
    MouseKey,
    Dpi,
    Macro,
    Light,
    MouseSet,
    Record,
    StopRecord,
    Windows,
};

void Chevron(cairo_t* cr, double cx, double cy, double size, double angle, double width, const Rgba& c)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, -size / 2, -size);
    cairo_line_to(cr, size / 2, 0);
    cairo_line_to(cr, -size / 2, size);
    cairo_restore(cr);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Set(cr, c);
    cairo_stroke(cr);
}

void Gear(cairo_t* cr, double cx, double cy, double r, const Rgba& c, const Rgba& hole)
{
    const int teeth = 8;
    cairo_new_path(cr);
    for (int i = 0; i < teeth * 2; ++i) {
        double a0 = i * M_PI / teeth;
        double a1 = (i + 1) * M_PI / teeth;
        double rr = (i % 2 == 0) ? r : r * 0.78;
        cairo_arc(cr, cx, cy, rr, a0, a1);
    }
    cairo_close_path(cr);
    Set(cr, c);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r * 0.36, 0, 2 * M_PI);
    Set(cr, hole);
    cairo_fill(cr);
}

void MouseOutline(cairo_t* cr, double cx, double cy, double w, double h)
{
    double x = cx - w / 2, y = cy - h / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, y);
    cairo_curve_to(cr, x + w, y, x + w, y + h * 0.25, x + w, y + h * 0.45);
    cairo_line_to(cr, x + w, y + h * 0.7);
    cairo_curve_to(cr, x + w, y + h, x, y + h, x, y + h * 0.7);
    cairo_line_to(cr, x, y + h * 0.45);
    cairo_curve_to(cr, x, y + h * 0.25, x, y, cx, y);
    cairo_close_path(cr);
}

void DrawGlyph(cairo_t* cr, Glyph g, double x, double y, double s, const Rgba& c, const Rgba& back)
{
    const double cx = x + s / 2, cy = y + s / 2;
    const double lw = std::max(1.5, s / 12);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (g) {
    case Glyph::Close: {
        double d = s * 0.2;
        Line(cr, cx - d, cy - d, cx + d, cy + d, lw, c);
        Line(cr, cx + d, cy - d, cx - d, cy + d, lw, c);
        break;
    }
    case Glyph::Maximize: {
        double d = std::round(s * 0.2);
        cairo_rectangle(cr, std::round(cx - d) + 0.5, std::round(cy - d) + 0.5, 2 * d - 1, 2 * d - 1);
        Set(cr, c);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        break;
    }
    case Glyph::Restore: {
        double d = std::round(s * 0.16);
        cairo_rectangle(cr, std::round(cx - d) - 1.5, std::round(cy - d) + 1.5, 2 * d - 1, 2 * d - 1);
        Set(cr, c);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_move_to(cr, std::round(cx - d) + 1.5, std::round(cy - d) - 1.5);
        cairo_line_to(cr, std::round(cx + d) + 1.5, std::round(cy - d) - 1.5);
        cairo_line_to(cr, std::round(cx + d) + 1.5, std::round(cy + d) - 1.5);
        cairo_stroke(cr);
        break;
    }
    case Glyph::Minimize:
        Line(cr, cx - s * 0.2, std::round(cy) + 0.5, cx + s * 0.2, std::round(cy) + 0.5, 1.5, c);
        break;
    case Glyph::Setting:
        Gear(cr, cx, cy, s * 0.3, c, back);
        break;
    case Glyph::Reset: {
        double r = s * 0.26;
        cairo_arc(cr, cx, cy, r, -M_PI * 0.35, M_PI * 1.45);
        Set(cr, c);
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        double ax = cx + r * std::cos(-M_PI * 0.35), ay = cy + r * std::sin(-M_PI * 0.35);
        cairo_move_to(cr, ax + s * 0.12, ay - s * 0.02);
        cairo_line_to(cr, ax - s * 0.02, ay + s * 0.02);
        cairo_line_to(cr, ax + s * 0.06, ay + s * 0.14);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    }
    case Glyph::Return:
        Chevron(cr, cx - s * 0.06, cy, s * 0.2, M_PI, lw, c);
        Line(cr, cx - s * 0.14, cy, cx + s * 0.24, cy, lw, c);
        break;
    case Glyph::Previous:
        Chevron(cr, cx, cy, s * 0.18, M_PI, lw, c);
        break;
    case Glyph::Next:
        Chevron(cr, cx, cy, s * 0.18, 0, lw, c);
        break;
    case Glyph::Plus:
        Line(cr, cx - s * 0.25, cy, cx + s * 0.25, cy, lw, c);
        Line(cr, cx, cy - s * 0.25, cx, cy + s * 0.25, lw, c);
        break;
    case Glyph::Minus:
        Line(cr, cx - s * 0.25, cy, cx + s * 0.25, cy, lw, c);
        break;
    case Glyph::Up:
        Chevron(cr, cx, cy + s * 0.05, s * 0.22, -M_PI / 2, lw, c);
        break;
    case Glyph::Down:
        Chevron(cr, cx, cy - s * 0.05, s * 0.22, M_PI / 2, lw, c);
        break;
    case Glyph::Help: {
        cairo_arc(cr, cx, cy, s * 0.42, 0, 2 * M_PI);
        Set(cr, c);
        cairo_set_line_width(cr, 1.25);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy - s * 0.09, s * 0.13, M_PI, M_PI * 2.25);
        cairo_line_to(cr, cx, cy + s * 0.1);
        cairo_set_line_width(cr, std::max(1.5, s / 10));
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy + s * 0.25, std::max(1.0, s / 16), 0, 2 * M_PI);
        cairo_fill(cr);
        break;
    }
    case Glyph::More:
        for (int i = -1; i <= 1; ++i) {
            cairo_arc(cr, cx + i * s * 0.25, cy, std::max(1.2, s / 12), 0, 2 * M_PI);
            Set(cr, c);
            cairo_fill(cr);
        }
        break;
    case Glyph::Home: {
        double w = s * 0.5, h = s * 0.42;
        cairo_move_to(cr, cx - w * 0.6, cy - h * 0.05);
        cairo_line_to(cr, cx, cy - h * 0.75);
        cairo_line_to(cr, cx + w * 0.6, cy - h * 0.05);
        Set(cr, c);
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - w * 0.42, cy - h * 0.2);
        cairo_line_to(cr, cx - w * 0.42, cy + h * 0.7);
        cairo_line_to(cr, cx + w * 0.42, cy + h * 0.7);
        cairo_line_to(cr, cx + w * 0.42, cy - h * 0.2);
        cairo_stroke(cr);
        cairo_rectangle(cr, cx - w * 0.1, cy + h * 0.25, w * 0.2, h * 0.45);
        cairo_fill(cr);
        break;
    }
    case Glyph::MouseKey:
        MouseOutline(cr, cx, cy, s * 0.42, s * 0.62);
        Set(cr, c);
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        Line(cr, cx, cy - s * 0.31, cx, cy - s * 0.06, lw, c);
        Line(cr, cx - s * 0.21, cy - s * 0.06, cx + s * 0.21, cy - s * 0.06, lw * 0.8, c);
        // The left key is highlighted: the page is about button functions.
        cairo_move_to(cr, cx - lw / 2, cy - s * 0.29);
        cairo_curve_to(cr, cx - s * 0.2, cy - s * 0.29, cx - s * 0.2, cy - s * 0.2, cx - s * 0.2,
                       cy - s * 0.07);
        cairo_line_to(cr, cx - lw / 2, cy - s * 0.07);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case Glyph::Dpi: {
        double r = s * 0.3;
        cairo_arc(cr, cx, cy + s * 0.08, r, M_PI * 0.8, M_PI * 2.2);
        Set(cr, c);
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        for (int i = 0; i <= 4; ++i) {
            double a = M_PI * (0.8 + 1.4 * i / 4.0);
            double x1 = cx + std::cos(a) * r * 0.72, y1 = cy + s * 0.08 + std::sin(a) * r * 0.72;
            double x2 = cx + std::cos(a) * r * 0.88, y2 = cy + s * 0.08 + std::sin(a) * r * 0.88;
            Line(cr, x1, y1, x2, y2, lw * 0.7, c);
        }
        Line(cr, cx, cy + s * 0.08, cx + s * 0.16, cy - s * 0.1, lw, c);
        cairo_arc(cr, cx, cy + s * 0.08, lw * 1.1, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
    }
    case Glyph::Macro: {
        double w = s * 0.46, h = s * 0.5;
        cairo_rectangle(cr, cx - w / 2, cy - h / 2, w, h);
        Set(cr, c);
        cairo_set_line_width(cr, lw);
        cairo_stroke(cr);
        for (int i = 0; i < 3; ++i) {
            double yy = cy - h * 0.22 + i * h * 0.22;
            cairo_arc(cr, cx - w * 0.25, yy, lw * 0.7, 0, 2 * M_PI);
            cairo_fill(cr);
            Line(cr, cx - w * 0.08, yy, cx + w * 0.32, yy, lw * 0.8, c);
        }
        break;
    }
    case Glyph::Light: {
        cairo_arc(cr, cx, cy, s * 0.12, 0, 2 * M_PI);
        Set(cr, c);
        cairo_fill(cr);
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            Line(cr, cx + std::cos(a) * s * 0.2, cy + std::sin(a) * s * 0.2, cx + std::cos(a) * s * 0.3,
                 cy + std::sin(a) * s * 0.3, lw, c);
        }
        break;
    }
    case Glyph::MouseSet:
        Gear(cr, cx - s * 0.06, cy - s * 0.04, s * 0.24, c, back);
        Gear(cr, cx + s * 0.2, cy + s * 0.2, s * 0.12, c, back);
        break;
    case Glyph::Record:
        cairo_arc(cr, cx, cy, s * 0.3, 0, 2 * M_PI);
        Set(cr, c);
        cairo_fill(cr);
        break;
    case Glyph::StopRecord:
        RoundRect(cr, cx - s * 0.26, cy - s * 0.26, s * 0.52, s * 0.52, s * 0.08);
        Set(cr, c);
        cairo_fill(cr);
        break;
    case Glyph::Windows: {
        // A generic four-pane window mark for "operating system mouse settings".
        double d = s * 0.32, gap = std::max(1.0, s * 0.04);
        Set(cr, c);
        for (int i = 0; i < 4; ++i) {
            double ox = (i % 2 == 0) ? cx - d - gap / 2 : cx + gap / 2;
            double oy = (i < 2) ? cy - d - gap / 2 : cy + gap / 2;
            cairo_rectangle(cr, ox, oy, d, d);
        }
        cairo_fill(cr);
        break;
    }
    }
    cairo_restore(cr);
}

// ---------------------------------------------------------------------------------------------
// The list of every skin image

enum class Kind
{
    Button,       // 4 frames: push button face, nine-grid friendly
    Button2,      // 4 frames: function button, frame 2 is the checked face (dark title on it)
    GlyphButton,  // 4 frames: transparent, glyph only, round hover plate
    CloseButton,  // 4 frames: as GlyphButton, red plate on hover/press
    SquareButton, // 4 frames: small filled square with a glyph (spin, +/-, record item)
    CheckBox,     // 8 frames
    RadioBox,     // 8 frames
    Edit,         // 4 frames, nine-grid corner 10
    Combo,        // 4 frames, drop arrow inside the right 39 pixels
    ListRow,      // 2 frames: normal, hovered/selected
    KeyLabel,     // 2 frames, nine-grid corner 6
    Surface,      // 1 frame nine-grid surface; param selects the variant
    StateArea,    // 4 frames, stretched label background
    TabItem,      // 3 frames: normal, hover, selected
    TabIcon,      // 4 frames of a vertical tab: normal, hover, selected, disabled
    IconStrip,    // 4 frames of a bare glyph (icon of an icon button)
    ScrollV,      // 4 columns
    ScrollH,      // 4 rows: 0 track, 1 normal, 2 hover, 3 dragging
    SliderThumb,  // 4 frames round thumb
    SliderTrack,  // 2 frames: track, filled part
    DpiThumb,     // 1 frame
    PaletteThumb, // 4 frames
    Tip,          // balloon background
    TipArrow,     // param: 0 left, 1 right, 2 top
    BatteryBkg,
    BatteryValue,
    Charge,
    DeviceMode, // 3 frames: cable, receiver, offline
    EventIcons, // 8 frames, one per macro event kind
    Logo,
    DevicePicture, // param: 0 vector, 1 talon
    Switch,        // 4 frames of an on (param 1) or off (param 0) switch
    ProgressStrip, // 2 frames: track, filled bar
    PhotoFrame,    // 4 frames of a border with a transparent middle
    SelectMark,    // 4 frames: normal, hover, selected, disabled
    LoadingGif,    // animation, 18 frames
};

struct SkinImage
{
    const char* name; // relative to skins/theme1, '/' separated
    int frameWidth;
    int height;
    int frames;
    Kind kind;
    int param; // glyph or variant
};

#define G(x) static_cast<int>(Glyph::x)

const SkinImage kSkin[] = {
    // Window backgrounds and surfaces (nine-grid sources)
    {"main_bkg.png", 64, 64, 1, Kind::Surface, 0},
    {"img_area_caption.png", 48, 40, 1, Kind::Surface, 1},
    {"img_area_bkg.png", 320, 80, 1, Kind::Surface, 2},
    {"img_area_content.png", 48, 48, 1, Kind::Surface, 3},
    {"img_area2.png", 48, 48, 1, Kind::Surface, 4},
    {"img_area3.png", 48, 48, 1, Kind::Surface, 5},
    {"img_tab_bkg.png", 48, 48, 1, Kind::Surface, 6},
    {"bk_prompt.png", 96, 96, 1, Kind::Surface, 7},
    {"img_upgrade_bkg.png", 391, 130, 1, Kind::Surface, 8},
    {"img_combobox_bkg.png", 40, 40, 1, Kind::Surface, 9},
    {"img_eventcaption.png", 320, 30, 1, Kind::Surface, 10},
    {"area_device.png", 64, 64, 1, Kind::Surface, 11},
    {"img_area.png", 60, 24, 4, Kind::StateArea, 0},
    // Buttons
    {"img_button.png", 64, 32, 4, Kind::Button, 0},
    {"img_button2.png", 48, 32, 4, Kind::Button2, 0},
    {"img_recorditem_up.png", 24, 24, 4, Kind::SquareButton, G(Up)},
    {"img_recorditem_down.png", 24, 24, 4, Kind::SquareButton, G(Down)},
    {"img_btn_addvalue.png", 15, 15, 4, Kind::SquareButton, G(Plus)},
    {"img_btn_subtract.png", 15, 15, 4, Kind::SquareButton, G(Minus)},
    {"img_spin_up.png", 16, 10, 4, Kind::SquareButton, G(Up)},
    {"img_spin_down.png", 16, 10, 4, Kind::SquareButton, G(Down)},
    {"sysbtn_close.png", 32, 32, 4, Kind::CloseButton, G(Close)},
    {"sysbtn_maximize.png", 32, 32, 4, Kind::GlyphButton, G(Maximize)},
    {"sysbtn_restore.png", 32, 32, 4, Kind::GlyphButton, G(Restore)},
    {"sysbtn_min.png", 32, 32, 4, Kind::GlyphButton, G(Minimize)},
    {"sysbtn_setting.png", 32, 32, 4, Kind::GlyphButton, G(Setting)},
    {"img_sys_close.png", 24, 24, 4, Kind::CloseButton, G(Close)},
    {"btn_close.png", 24, 24, 4, Kind::CloseButton, G(Close)},
    {"btn_reset.png", 24, 24, 4, Kind::GlyphButton, G(Reset)},
    {"img_return.png", 32, 32, 4, Kind::GlyphButton, G(Return)},
    {"img_btn_pre.png", 32, 48, 4, Kind::GlyphButton, G(Previous)},
    {"img_btn_next.png", 32, 48, 4, Kind::GlyphButton, G(Next)},
    {"img_help.png", 20, 20, 4, Kind::GlyphButton, G(Help)},
    {"btn_more.png", 20, 20, 4, Kind::GlyphButton, G(More)},
    {"btn_checkbox.png", 18, 18, 8, Kind::CheckBox, 0},
    {"btn_radiobox.png", 18, 18, 8, Kind::RadioBox, 0},
    {"btn_select.png", 26, 26, 4, Kind::SelectMark, 0},
    // Text input and lists
    {"img_edit.png", 40, 30, 4, Kind::Edit, 0},
    {"img_combobox.png", 80, 32, 4, Kind::Combo, 0},
    {"img_list_bkg.png", 40, 30, 2, Kind::ListRow, 0},
    {"img_key_bkg.png", 32, 24, 2, Kind::KeyLabel, 0},
    // Tabs
    {"img_tabitem_bkg.png", 70, 70, 3, Kind::TabItem, 0},
    {"icon/tab_home.png", 70, 70, 4, Kind::TabIcon, G(Home)},
    {"icon/tab_mousekey.png", 70, 70, 4, Kind::TabIcon, G(MouseKey)},
    {"icon/tab_mousedpi.png", 70, 70, 4, Kind::TabIcon, G(Dpi)},
    {"icon/tab_macro.png", 70, 70, 4, Kind::TabIcon, G(Macro)},
    {"icon/tab_light.png", 70, 70, 4, Kind::TabIcon, G(Light)},
    {"icon/tab_mouseset.png", 70, 70, 4, Kind::TabIcon, G(MouseSet)},
    // Icons of icon buttons and pictures
    {"icon/icon_arrow_up.png", 12, 12, 4, Kind::IconStrip, G(Up)},
    {"icon/icon_rec.png", 14, 14, 4, Kind::IconStrip, G(Record)},
    {"icon/icon_stop_rec.png", 14, 14, 4, Kind::IconStrip, G(StopRecord)},
    {"icon/icon_windows.png", 32, 32, 1, Kind::IconStrip, G(Windows)},
    {"icon/icon_list.png", 16, 16, 8, Kind::EventIcons, 0},
    {"icon/icon_battery_bkg.png", 38, 18, 1, Kind::BatteryBkg, 0},
    {"icon/icon_batteryvalue.png", 30, 10, 1, Kind::BatteryValue, 0},
    {"icon/icon_charge.png", 10, 16, 1, Kind::Charge, 0},
    {"device_mode.png", 20, 20, 3, Kind::DeviceMode, 0},
    // Range controls
    {"img_scroll_v.png", 5, 40, 4, Kind::ScrollV, 0},
    {"img_scroll_h.png", 40, 20, 1, Kind::ScrollH, 0},
    {"img_slider_bar.png", 20, 20, 4, Kind::SliderThumb, 0},
    {"img_slider_track.png", 40, 6, 2, Kind::SliderTrack, 0},
    {"img_dpi_bar.png", 16, 22, 1, Kind::DpiThumb, 0},
    {"img_palette_thumb.png", 12, 12, 4, Kind::PaletteThumb, 0},
    {"img_progress.png", 40, 14, 2, Kind::ProgressStrip, 0},
    {"img_progress_bkg.png", 40, 14, 1, Kind::ProgressStrip, 0},
    {"img_progress_fore.png", 40, 14, 1, Kind::ProgressStrip, 1},
    {"btn_switch_on.png", 44, 24, 4, Kind::Switch, 1},
    {"btn_switch_off.png", 44, 24, 4, Kind::Switch, 0},
    {"img_photo_frame.png", 48, 48, 4, Kind::PhotoFrame, 0},
    // Balloon
    {"img_tip_bk.png", 24, 24, 1, Kind::Tip, 0},
    {"img_tip_arrow_left.png", 8, 14, 1, Kind::TipArrow, 0},
    {"img_tip_arrow_right.png", 8, 14, 1, Kind::TipArrow, 1},
    {"img_tip_arrow_top.png", 14, 8, 1, Kind::TipArrow, 2},
    // Branding, loading and the mouse pictures of the device list
    {"logo.png", 200, 40, 1, Kind::Logo, 0},
    {"logo/logo_loading.png", 160, 32, 1, Kind::Logo, 1},
    {"loading/loading.gif", 48, 48, 18, Kind::LoadingGif, 0},
    // The device descriptions place their button call-outs on these pictures (wheel centre
    // 150/144,93; DPI button 141; side keys 206 and 244): keep the buttons where they are.
    {"device/vector.png", 300, 420, 1, Kind::DevicePicture, 0},
    {"device/talon.png", 300, 420, 1, Kind::DevicePicture, 1},
};

#undef G

// ---------------------------------------------------------------------------------------------
// Per-kind drawing of one frame at (x, 0) of size w x h

void DrawButton(cairo_t* cr, double x, double w, double h, int state, bool checkedFace)
{
    switch (state) {
    case Hover:
        VerticalGradientBox(cr, x, 0, w, h, 5, kControlHot, kControl, kAccent);
        break;
    case Pressed:
        if (checkedFace)
            VerticalGradientBox(cr, x, 0, w, h, 5, kAccentHot, kAccent, kAccentHot);
        else
            VerticalGradientBox(cr, x, 0, w, h, 5, kAccentDeep, kAccent, kAccentHot);
        break;
    case Disabled:
        Box(cr, x, 0, w, h, 5, kDisabledFill, kDisabledLine);
        break;
    default:
        VerticalGradientBox(cr, x, 0, w, h, 5, kControl, Hex(0x25282E), kBorder);
        break;
    }
}

void DrawGlyphButton(cairo_t* cr, double x, double w, double h, int state, Glyph g, bool danger)
{
    double s = std::min(w, h);
    double ox = x + (w - s) / 2, oy = (h - s) / 2;
    Rgba back = kPanel;
    if (state == Hover || state == Pressed) {
        Rgba plate = danger ? (state == Pressed ? kAccentDeep : kAccent)
                            : (state == Pressed ? WithAlpha(kAccent, 0.22) : WithAlpha(kControlHot, 0.9));
        RoundRect(cr, ox + 1, oy + 1, s - 2, s - 2, s * 0.22);
        Set(cr, plate);
        cairo_fill(cr);
        back = plate;
    }
    Rgba c = GlyphColour(state);
    if (danger && (state == Hover || state == Pressed)) c = kGlyphHot;
    DrawGlyph(cr, g, ox, oy, s, c, back);
}

void DrawSquareButton(cairo_t* cr, double x, double w, double h, int state, Glyph g)
{
    Rgba fill = state == Hover      ? kControlHot
                : state == Pressed  ? kAccent
                : state == Disabled ? kDisabledFill
                                    : kControl;
    Rgba line = state == Hover      ? kAccent
                : state == Pressed  ? kAccentHot
                : state == Disabled ? kDisabledLine
                                    : kBorder;
    Box(cr, x, 0, w, h, std::min(w, h) * 0.2, fill, line);
    Rgba c = state == Pressed ? kGlyphHot : GlyphColour(state);
    double s = std::min(w, h);
    DrawGlyph(cr, g, x + (w - s) / 2, (h - s) / 2, s, c, fill);
}

void DrawCheck(cairo_t* cr, double x, double w, double h, int frame, bool radio)
{
    const bool checked = frame >= 4;
    const int state = frame % 4;
    const double s = std::min(w, h);
    Rgba fill = state == Disabled ? kDisabledFill : (checked ? kAccent : kControl);
    Rgba line = state == Disabled ? kDisabledLine : state == Hover ? kAccentHot : checked ? kAccent : kBorder;
    if (checked && state == Pressed) fill = kAccentDeep;
    if (!checked && state == Pressed) fill = kControlHot;
    if (checked && state == Disabled) fill = Hex(0x5A2528);
    if (radio) {
        cairo_arc(cr, x + w / 2, h / 2, s / 2 - 1, 0, 2 * M_PI);
        Set(cr, checked ? kControl : fill);
        cairo_fill_preserve(cr);
        Set(cr, line);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        if (checked) {
            cairo_arc(cr, x + w / 2, h / 2, s * 0.24, 0, 2 * M_PI);
            Set(cr, fill);
            cairo_fill(cr);
        }
        return;
    }
    Box(cr, x + 1, 1, s - 2, s - 2, 3, fill, line);
    if (checked) {
        cairo_move_to(cr, x + s * 0.26, h * 0.52);
        cairo_line_to(cr, x + s * 0.43, h * 0.68);
        cairo_line_to(cr, x + s * 0.75, h * 0.33);
        cairo_set_line_width(cr, 2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        Set(cr, state == Disabled ? kDisabledGlyph : kGlyphHot);
        cairo_stroke(cr);
    }
}

void DrawEdit(cairo_t* cr, double x, double w, double h, int state)
{
    switch (state) {
    case Hover:
        Box(cr, x, 0, w, h, 4, Hex(0x1E2026), kBorder);
        Line(cr, x + 4, h - 1.5, x + w - 4, h - 1.5, 1, WithAlpha(kAccent, 0.6));
        break;
    case Pressed: // editing
        Box(cr, x, 0, w, h, 4, Hex(0x17191D), kAccent);
        break;
    case Disabled:
        Box(cr, x, 0, w, h, 4, kDisabledFill, kDisabledLine);
        break;
    default:
        Box(cr, x, 0, w, h, 4, Hex(0x1A1C21), kBorderSoft);
        break;
    }
}

void DrawCombo(cairo_t* cr, double x, double w, double h, int state)
{
    DrawButton(cr, x, w, h, state == Pressed ? Hover : state, false);
    if (state == Pressed) Box(cr, x, 0, w, h, 5, Hex(0x30343C), kAccent);
    // Separator and drop arrow live inside the right 39 pixels, which are never stretched.
    Rgba line = state == Disabled ? kDisabledLine : kBorder;
    Line(cr, x + w - 33.5, 7, x + w - 33.5, h - 7, 1, line);
    double cx = x + w - 17, cy = h / 2;
    Rgba c = state == Disabled ? kDisabledGlyph : state == Normal ? kGlyph : kGlyphHot;
    if (state == Pressed)
        Chevron(cr, cx, cy + 2, 5, -M_PI / 2, 1.8, kAccent);
    else
        Chevron(cr, cx, cy - 2, 5, M_PI / 2, 1.8, c);
}

void DrawSurface(cairo_t* cr, double w, double h, int variant)
{
    switch (variant) {
    case 0: // main window background: border and a faint top light
        VerticalGradientBox(cr, 0, 0, w, h, 6, Hex(0x1A1C21), kWindow, Hex(0x2B2F37));
        break;
    case 1: // caption and footer bars
        VerticalGradientBox(cr, 0, 0, w, h, 8, Hex(0x24272E), Hex(0x1C1E23), kBorderSoft);
        Line(cr, 10, h - 0.5, w - 10, h - 0.5, 1, WithAlpha(kAccent, 0.35));
        break;
    case 2: { // page background with a caption band of 50 pixels
        Box(cr, 0, 0, w, h, 8, kPanel, kBorderSoft);
        RoundRect(cr, 1, 1, w - 2, 49, 7);
        Set(cr, kPanelHi);
        cairo_fill(cr);
        Line(cr, 1, 50.5, w - 1, 50.5, 1, kBorderSoft);
        break;
    }
    case 3: // content frame
        Box(cr, 0, 0, w, h, 6, Hex(0x202228), kBorderSoft);
        break;
    case 4: // list frame
        Box(cr, 0, 0, w, h, 6, Hex(0x18191D), kBorderSoft);
        break;
    case 5: // notice frame, tinted with the accent
        Box(cr, 0, 0, w, h, 6, Hex(0x231A1C), WithAlpha(kAccent, 0.55));
        break;
    case 6: // tab strip background
        VerticalGradientBox(cr, 0, 0, w, h, 8, Hex(0x17181C), Hex(0x141519), kBorderSoft);
        break;
    case 7: // message box
        VerticalGradientBox(cr, 0, 0, w, h, 10, Hex(0x24272E), kPanel, kBorder);
        Line(cr, 12, 1.5, w - 12, 1.5, 2, kAccent);
        break;
    case 8: // update tip
        VerticalGradientBox(cr, 0, 0, w, h, 10, Hex(0x24272E), kPanel, kBorder);
        RoundRect(cr, 1, 1, 4, h - 2, 2);
        Set(cr, kAccent);
        cairo_fill(cr);
        break;
    case 9: // drop-down background
        Box(cr, 0, 0, w, h, 6, Hex(0x1D1F24), kBorder);
        break;
    case 10: // macro event list header
        VerticalGradientBox(cr, 0, 0, w, h, 4, Hex(0x2A2D34), Hex(0x23262C), kBorderSoft);
        break;
    case 11: // device card
        VerticalGradientBox(cr, 0, 0, w, h, 8, Hex(0x22252B), Hex(0x191A1F), kBorderSoft);
        break;
    }
}

void DrawTabItem(cairo_t* cr, double x, double w, double h, int frame)
{
    if (frame == 1) {
        cairo_rectangle(cr, x, 0, w, h);
        Set(cr, WithAlpha(kControlHot, 0.55));
        cairo_fill(cr);
    } else if (frame == 2) {
        cairo_rectangle(cr, x, 0, w, h);
        Set(cr, Hex(0x26292F));
        cairo_fill(cr);
        cairo_rectangle(cr, x, 0, 3, h);
        Set(cr, kAccent);
        cairo_fill(cr);
    }
}

void DrawTabIcon(cairo_t* cr, double x, double w, double h, int frame, Glyph g)
{
    DrawTabItem(cr, x, w, h, frame == 3 ? 0 : frame);
    Rgba c = frame == 0 ? kGlyph : frame == 1 ? kGlyphHot : frame == 2 ? kAccent : kDisabledGlyph;
    double s = 40;
    DrawGlyph(cr, g, x + (w - s) / 2, (h - s) / 2, s, c, frame == 2 ? Hex(0x26292F) : kPanel);
}

void DrawEventIcon(cairo_t* cr, double x, double s, int kind)
{
    // 0 key down, 1 key up, 2 left down, 3 left up, 4 right down, 5 right up, 6 middle, 7 delay
    Rgba c = kind % 2 == 0 ? kAccent : kGlyph;
    double cx = x + s / 2, cy = s / 2;
    if (kind <= 1) {
        Box(cr, x + 1, 2, s - 2, s - 4, 2, Hex(0x2A2D34), c);
        if (kind == 0)
            Chevron(cr, cx, cy + 1, 3, M_PI / 2, 1.5, c);
        else
            Chevron(cr, cx, cy - 1, 3, -M_PI / 2, 1.5, c);
    } else if (kind <= 6) {
        MouseOutline(cr, cx, cy, s * 0.6, s * 0.86);
        Set(cr, c);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        double top = cy - s * 0.43;
        if (kind == 2 || kind == 3)
            cairo_rectangle(cr, cx - s * 0.26, top + 2, s * 0.24, s * 0.3);
        else if (kind == 4 || kind == 5)
            cairo_rectangle(cr, cx + 0.5, top + 2, s * 0.24, s * 0.3);
        else
            cairo_rectangle(cr, cx - 1, top + 2, 2, s * 0.3);
        cairo_fill(cr);
    } else {
        cairo_arc(cr, cx, cy, s / 2 - 1.5, 0, 2 * M_PI);
        Set(cr, kGlyph);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        Line(cr, cx, cy, cx, cy - s * 0.28, 1.4, kGlyph);
        Line(cr, cx, cy, cx + s * 0.2, cy, 1.4, kGlyph);
    }
}

void DrawLogo(cairo_t* cr, double w, double h, int variant)
{
    // A mark (three rising bars in the accent colour) and the wordmark.
    double bar = h * 0.18;
    for (int i = 0; i < 3; ++i) {
        double bh = h * (0.35 + 0.2 * i);
        RoundRect(cr, 4 + i * (bar + 3), h * 0.85 - bh, bar, bh, 1.5);
        Set(cr, i == 2 ? kAccent : WithAlpha(kAccent, 0.45 + 0.25 * i));
        cairo_fill(cr);
    }
    cairo_select_font_face(cr, "Open Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, h * 0.55);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, fo);
    cairo_font_options_destroy(fo);
    cairo_move_to(cr, 10 + 3 * (bar + 3), h * 0.74);
    Set(cr, variant == 0 ? kGlyphHot : kGlyph);
    cairo_show_text(cr, "KORVANE");
}

void MouseBody(cairo_t* cr, double w, double h, int variant)
{
    const double cx = w / 2;
    cairo_new_path(cr);
    if (variant == 0) {
        // Symmetrical shell.
        double l = 40, r = w - 40, t = 20, b = h - 20;
        cairo_move_to(cr, cx, t);
        cairo_curve_to(cr, r - 10, t, r, t + 60, r, t + 150);
        cairo_curve_to(cr, r, b - 110, r - 5, b, cx, b);
        cairo_curve_to(cr, l + 5, b, l, b - 110, l, t + 150);
        cairo_curve_to(cr, l, t + 60, l + 10, t, cx, t);
    } else {
        // Right-handed shell with a thumb flare on the left.
        double l = 36, r = w - 50, t = 24, b = h - 18;
        cairo_move_to(cr, cx - 10, t);
        cairo_curve_to(cr, r - 20, t - 4, r, t + 50, r, t + 160);
        cairo_curve_to(cr, r + 4, b - 90, r - 20, b, cx, b);
        cairo_curve_to(cr, l + 10, b, l - 14, b - 60, l - 12, b - 130);
        cairo_curve_to(cr, l - 10, b - 180, l + 22, t + 190, l + 20, t + 140);
        cairo_curve_to(cr, l + 18, t + 60, l + 30, t + 2, cx - 10, t);
    }
    cairo_close_path(cr);
}

void DrawDevicePicture(cairo_t* cr, double w, double h, int variant)
{
    // Soft floor shadow.
    cairo_save(cr);
    cairo_translate(cr, w / 2, h - 14);
    cairo_scale(cr, w * 0.38, 8);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    Set(cr, Hex(0x000000, 0.35));
    cairo_fill(cr);

    MouseBody(cr, w, h, variant);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, w, h);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.20, 0.21, 0.24);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.11, 0.12, 0.14);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.06, 0.06, 0.07);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    Set(cr, Hex(0x4A4F59));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);

    const double cx = variant == 0 ? w / 2 : w / 2 - 6;
    // Split between the two main keys and the key edge.
    MouseBody(cr, w, h, variant);
    cairo_save(cr);
    cairo_clip(cr);
    Line(cr, cx, 20, cx, 170, 2, Hex(0x08090A));
    cairo_move_to(cr, 0, 175);
    cairo_curve_to(cr, w * 0.3, 160, w * 0.7, 160, w, 175);
    cairo_set_line_width(cr, 2);
    Set(cr, Hex(0x08090A));
    cairo_stroke(cr);
    // Accent light strip along the back.
    cairo_move_to(cr, cx - 50, h - 70);
    cairo_curve_to(cr, cx - 20, h - 50, cx + 20, h - 50, cx + 50, h - 70);
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Set(cr, kAccent);
    cairo_stroke(cr);
    cairo_restore(cr);

    // Wheel and DPI button.
    RoundRect(cr, cx - 9, 70, 18, 46, 8);
    Set(cr, Hex(0x2E3138));
    cairo_fill_preserve(cr);
    Set(cr, Hex(0x5A606B));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i)
        Line(cr, cx - 6, 76 + i * 7, cx + 6, 76 + i * 7, 1, Hex(0x464A53));
    RoundRect(cr, cx - 6, 130, 12, 22, 4);
    Set(cr, Hex(0x2A2D33));
    cairo_fill_preserve(cr);
    Set(cr, kAccent);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    // The talon's second top key, behind the DPI button.
    if (variant == 1) {
        RoundRect(cr, cx - 5, 166, 10, 18, 4);
        Set(cr, Hex(0x2A2D33));
        cairo_fill_preserve(cr);
        Set(cr, Hex(0x5A606B));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }

    // Side buttons on the thumb side.
    double sx = variant == 0 ? 42 : 26;
    for (int i = 0; i < 2; ++i) {
        RoundRect(cr, sx, 190 + i * 38, 10, 32, 4);
        Set(cr, Hex(0x30333A));
        cairo_fill_preserve(cr);
        Set(cr, Hex(0x5A606B));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
}

// ---------------------------------------------------------------------------------------------
// Whole images

void DrawStrip(cairo_t* cr, const SkinImage& img)
{
    const double w = img.frameWidth, h = img.height;
    for (int f = 0; f < img.frames; ++f) {
        const double x = f * w;
        cairo_save(cr);
        cairo_rectangle(cr, x, 0, w, h);
        cairo_clip(cr);
        switch (img.kind) {
        case Kind::Button:
            DrawButton(cr, x, w, h, f, false);
            break;
        case Kind::Button2:
            DrawButton(cr, x, w, h, f, true);
            break;
        case Kind::GlyphButton:
            DrawGlyphButton(cr, x, w, h, f, static_cast<Glyph>(img.param), false);
            break;
        case Kind::CloseButton:
            DrawGlyphButton(cr, x, w, h, f, static_cast<Glyph>(img.param), true);
            break;
        case Kind::SquareButton:
            DrawSquareButton(cr, x, w, h, f, static_cast<Glyph>(img.param));
            break;
        case Kind::CheckBox:
            DrawCheck(cr, x, w, h, f, false);
            break;
        case Kind::RadioBox:
            DrawCheck(cr, x, w, h, f, true);
            break;
        case Kind::Edit:
            DrawEdit(cr, x, w, h, f);
            break;
        case Kind::Combo:
            DrawCombo(cr, x, w, h, f);
            break;
        case Kind::ListRow:
            cairo_rectangle(cr, x, 0, w, h);
            Set(cr, f == 0 ? Hex(0x1E2025) : Hex(0x3A2226));
            cairo_fill(cr);
            Line(cr, x, h - 0.5, x + w, h - 0.5, 1, f == 0 ? kBorderSoft : WithAlpha(kAccent, 0.7));
            if (f == 1) {
                cairo_rectangle(cr, x, 0, 2, h);
                Set(cr, kAccent);
                cairo_fill(cr);
            }
            break;
        case Kind::KeyLabel:
            Box(cr, x, 0, w, h, 5, f == 0 ? Hex(0x24272D) : Hex(0x3A2226), f == 0 ? kBorder : kAccent);
            break;
        case Kind::Surface:
            DrawSurface(cr, w, h, img.param);
            break;
        case Kind::StateArea:
            Box(cr, x, 0, w, h, 4,
                f == 3   ? kDisabledFill
                : f == 0 ? kControl
                         : kControlHot,
                f == 2   ? kAccent
                : f == 3 ? kDisabledLine
                         : kBorderSoft);
            break;
        case Kind::TabItem:
            DrawTabItem(cr, x, w, h, f);
            break;
        case Kind::TabIcon:
            DrawTabIcon(cr, x, w, h, f, static_cast<Glyph>(img.param));
            break;
        case Kind::IconStrip: {
            double s = std::min(w, h);
            Rgba c = img.frames == 1 ? kGlyph : f == 0 ? kGlyphHot : GlyphColour(f);
            if (img.param == static_cast<int>(Glyph::Record) && f != Disabled)
                c = f == Pressed ? kAccentDeep : kAccent;
            DrawGlyph(cr, static_cast<Glyph>(img.param), x + (w - s) / 2, (h - s) / 2, s, c, kPanel);
            break;
        }
        case Kind::ScrollV: {
            Rgba c = f == 0 ? Hex(0x141414) : f == 1 ? Hex(0x55595F) : f == 2 ? kAccentHot : kAccent;
            RoundRect(cr, x, 0, w, h, 2.5);
            Set(cr, c);
            cairo_fill(cr);
            break;
        }
        case Kind::ScrollH: {
            // Rows of a quarter of the height: track, normal, hover, dragging. 6-pixel end caps.
            double rh = h / 4;
            for (int row = 0; row < 4; ++row) {
                Rgba c = row == 0   ? Hex(0x141414)
                         : row == 1 ? Hex(0x55595F)
                         : row == 2 ? kAccentHot
                                    : kAccent;
                RoundRect(cr, 0, row * rh, w, rh, rh / 2);
                Set(cr, c);
                cairo_fill(cr);
            }
            break;
        }
        case Kind::SliderThumb: {
            double s = std::min(w, h);
            Rgba ring = f == Hover      ? kAccentHot
                        : f == Pressed  ? kGlyphHot
                        : f == Disabled ? kDisabledLine
                                        : kAccent;
            cairo_arc(cr, x + w / 2, h / 2, s / 2 - 1.5, 0, 2 * M_PI);
            Set(cr, f == Disabled ? kDisabledFill : Hex(0xF2F2F2));
            cairo_fill_preserve(cr);
            Set(cr, ring);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
            break;
        }
        case Kind::SliderTrack:
            RoundRect(cr, x, 0, w, h, h / 2);
            Set(cr, f == 0 ? Hex(0x30333A) : kAccent);
            cairo_fill(cr);
            break;
        case Kind::DpiThumb:
            cairo_move_to(cr, x + 1, 1);
            cairo_line_to(cr, x + w - 1, 1);
            cairo_line_to(cr, x + w - 1, h - 7);
            cairo_line_to(cr, x + w / 2, h - 1);
            cairo_line_to(cr, x + 1, h - 7);
            cairo_close_path(cr);
            Set(cr, kAccent);
            cairo_fill_preserve(cr);
            Set(cr, Hex(0xFFFFFF, 0.85));
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            break;
        case Kind::PaletteThumb: {
            Rgba c = f == Hover      ? kGlyphHot
                     : f == Pressed  ? kAccent
                     : f == Disabled ? kDisabledGlyph
                                     : kGlyph;
            cairo_move_to(cr, x + 1, h / 2);
            cairo_line_to(cr, x + w - 1, 1);
            cairo_line_to(cr, x + w - 1, h - 1);
            cairo_close_path(cr);
            Set(cr, c);
            cairo_fill(cr);
            break;
        }
        case Kind::Tip:
            Box(cr, 0, 0, w, h, 5, Hex(0x2B2E35, 0.97), kAccent);
            break;
        case Kind::TipArrow:
            if (img.param == 0) {
                cairo_move_to(cr, w, 0);
                cairo_line_to(cr, 0, h / 2);
                cairo_line_to(cr, w, h);
            } else if (img.param == 1) {
                cairo_move_to(cr, 0, 0);
                cairo_line_to(cr, w, h / 2);
                cairo_line_to(cr, 0, h);
            } else {
                cairo_move_to(cr, 0, h);
                cairo_line_to(cr, w / 2, 0);
                cairo_line_to(cr, w, h);
            }
            cairo_close_path(cr);
            Set(cr, Hex(0x2B2E35));
            cairo_fill(cr);
            break;
        case Kind::BatteryBkg:
            Box(cr, 1, 1, w - 4, h - 2, 3, Hex(0x16171B), kGlyph);
            cairo_rectangle(cr, w - 3, h / 2 - 3, 2, 6);
            Set(cr, kGlyph);
            cairo_fill(cr);
            break;
        case Kind::BatteryValue:
            cairo_rectangle(cr, 0, 0, w, h);
            Set(cr, Hex(0x3DDC84));
            cairo_fill(cr);
            break;
        case Kind::Charge:
            cairo_move_to(cr, w * 0.65, 0);
            cairo_line_to(cr, 0, h * 0.58);
            cairo_line_to(cr, w * 0.45, h * 0.58);
            cairo_line_to(cr, w * 0.3, h);
            cairo_line_to(cr, w, h * 0.4);
            cairo_line_to(cr, w * 0.55, h * 0.4);
            cairo_close_path(cr);
            Set(cr, Hex(0xFFC93D));
            cairo_fill(cr);
            break;
        case Kind::DeviceMode: {
            double cx = x + w / 2, cy = h / 2;
            Rgba c = f == 2 ? kDisabledGlyph : kGlyphHot;
            if (f == 0) { // cable plug
                cairo_rectangle(cr, cx - 4, cy - 7, 8, 8);
                Set(cr, c);
                cairo_fill(cr);
                Line(cr, cx, cy + 1, cx, cy + 8, 2, c);
                Line(cr, cx - 2, cy - 9, cx - 2, cy - 7, 1.5, c);
                Line(cr, cx + 2, cy - 9, cx + 2, cy - 7, 1.5, c);
            } else { // radio waves
                cairo_arc(cr, cx, cy + 5, 1.8, 0, 2 * M_PI);
                Set(cr, c);
                cairo_fill(cr);
                for (int i = 1; i <= 3; ++i) {
                    cairo_arc(cr, cx, cy + 5, i * 4.0, -M_PI * 0.78, -M_PI * 0.22);
                    cairo_set_line_width(cr, 1.5);
                    cairo_stroke(cr);
                }
            }
            break;
        }
        case Kind::EventIcons:
            DrawEventIcon(cr, x, w, f);
            break;
        case Kind::Logo:
            DrawLogo(cr, w, h, img.param);
            break;
        case Kind::DevicePicture:
            DrawDevicePicture(cr, w, h, img.param);
            break;
        case Kind::Switch: {
            const bool on = img.param == 1;
            Rgba track = f == Disabled ? kDisabledFill
                         : on          ? (f == Pressed ? kAccentDeep
                                          : f == Hover ? kAccentHot
                                                       : kAccent)
                                       : (f == Hover ? kControlHot : kControl);
            RoundRect(cr, x + 1, 2, w - 2, h - 4, (h - 4) / 2);
            Set(cr, track);
            cairo_fill_preserve(cr);
            Set(cr, f == Disabled ? kDisabledLine : on ? kAccentHot : kBorder);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            const double r = (h - 8) / 2.0;
            const double cx = on ? x + w - 4 - r : x + 4 + r;
            cairo_arc(cr, cx, h / 2, r, 0, 2 * M_PI);
            Set(cr, f == Disabled ? kDisabledGlyph : Hex(0xF4F4F4));
            cairo_fill(cr);
            break;
        }
        case Kind::ProgressStrip: {
            // Two-frame strips hold track and bar; single pictures pick theirs by param.
            const bool bar = img.frames == 1 ? img.param == 1 : f == 1;
            RoundRect(cr, x, 0, w, h, 3);
            Set(cr, bar ? kAccent : Hex(0x25282E));
            cairo_fill(cr);
            if (bar) {
                RoundRect(cr, x + 1, 1, w - 2, h / 2 - 1, 2);
                Set(cr, Hex(0xFFFFFF, 0.18));
                cairo_fill(cr);
            }
            break;
        }
        case Kind::PhotoFrame: {
            Rgba line = f == Hover      ? kAccentHot
                        : f == Pressed  ? kAccent
                        : f == Disabled ? kDisabledLine
                                        : kBorder;
            RoundRect(cr, x + 1.5, 1.5, w - 3, h - 3, 6);
            Set(cr, line);
            cairo_set_line_width(cr, f == Hover || f == Pressed ? 3 : 2);
            cairo_stroke(cr);
            break;
        }
        case Kind::SelectMark: {
            const double s = std::min(w, h);
            Rgba ring = f == Hover      ? kAccentHot
                        : f == Pressed  ? kAccent
                        : f == Disabled ? kDisabledLine
                                        : kBorder;
            Box(cr, x + 1, 1, s - 2, s - 2, 6, f == Disabled ? kDisabledFill : kControl, ring);
            if (f == Pressed) {
                RoundRect(cr, x + 6, 6, s - 12, s - 12, 3);
                Set(cr, kAccent);
                cairo_fill(cr);
            }
            break;
        }
        case Kind::LoadingGif:
            break;
        }
        cairo_restore(cr);
    }
}

// One frame of the loading spinner: 12 dots, the lead dot bright, a fading tail behind it.
void DrawSpinnerFrame(cairo_t* cr, double s, int frame, int frames)
{
    const int dots = 12;
    const double lead = frame * dots / static_cast<double>(frames);
    for (int i = 0; i < dots; ++i) {
        double age = std::fmod(lead - i + dots, dots);
        double a = std::max(0.15, 1.0 - age / 8.0);
        double angle = i * 2 * M_PI / dots - M_PI / 2;
        cairo_arc(cr, s / 2 + std::cos(angle) * s * 0.36, s / 2 + std::sin(angle) * s * 0.36, s * 0.065, 0,
                  2 * M_PI);
        Set(cr, WithAlpha(kAccent, a));
        cairo_fill(cr);
    }
}

bool WriteGif(const std::string& path, const SkinImage& img)
{
    const int w = img.frameWidth, h = img.height;
    // Palette: 0 transparent; 1..255 the accent blended over the panel colour at rising strength.
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    if (!map) return false;
    for (int i = 0; i < 256; ++i) {
        double t = i == 0 ? 0 : (i - 1) / 254.0;
        map->Colors[i].Red =
            static_cast<GifByteType>(std::lround((kPanel.r + (kAccent.r - kPanel.r) * t) * 255));
        map->Colors[i].Green =
            static_cast<GifByteType>(std::lround((kPanel.g + (kAccent.g - kPanel.g) * t) * 255));
        map->Colors[i].Blue =
            static_cast<GifByteType>(std::lround((kPanel.b + (kAccent.b - kPanel.b) * t) * 255));
    }
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) {
        GifFreeMapObject(map);
        return false;
    }
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    EGifSetGifVersion(gif, true);
    // Loop forever.
    unsigned char loop[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, loop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
    std::vector<GifByteType> row(w);
    for (int f = 0; ok && f < img.frames; ++f) {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* cr = cairo_create(surface);
        DrawSpinnerFrame(cr, w, f, img.frames);
        cairo_destroy(cr);
        cairo_surface_flush(surface);

        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_BACKGROUND;
        gcb.DelayTime = 4; // hundredths of a second
        gcb.TransparentColor = 0;
        GifByteType ext[4];
        size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; ok && y < h; ++y) {
            const uint32_t* px = reinterpret_cast<const uint32_t*>(data + y * stride);
            for (int x = 0; x < w; ++x) {
                unsigned alpha = px[x] >> 24;
                row[x] = alpha < 48 ? 0 : static_cast<GifByteType>(1 + alpha * 254 / 255);
            }
            ok = EGifPutLine(gif, row.data(), w) == GIF_OK;
        }
        cairo_surface_destroy(surface);
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok;
}

bool WriteImage(const std::filesystem::path& folder, const SkinImage& img)
{
    const std::filesystem::path path = folder / img.name;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    const std::string tmp = path.string() + ".tmp";
    bool ok;
    if (img.kind == Kind::LoadingGif) {
        ok = WriteGif(tmp, img);
    } else {
        const int width = img.frameWidth * img.frames;
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, img.height);
        cairo_t* cr = cairo_create(surface);
        DrawStrip(cr, img);
        cairo_destroy(cr);
        ok = cairo_surface_write_to_png(surface, tmp.c_str()) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface);
    }
    // Written aside and renamed, so a program that starts during a rebuild never reads half a file.
    if (ok) std::filesystem::rename(tmp, path, ec);
    if (!ok || ec) {
        std::fprintf(stderr, "skingen: cannot write %s\n", path.c_str());
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: skingen <output folder> [--list]\n");
        return 2;
    }
    if (argc > 2 && std::strcmp(argv[2], "--list") == 0) {
        for (const SkinImage& img : kSkin)
            std::printf("%s\t%d x %d\t%d frame(s)\n", img.name, img.frameWidth, img.height, img.frames);
        return 0;
    }
    const std::filesystem::path folder = argv[1];
    int failures = 0;
    for (const SkinImage& img : kSkin)
        failures += WriteImage(folder, img) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}
