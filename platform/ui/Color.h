#pragma once
// Two colour encodings meet in this program: 24-bit COLORREF values (0x00BBGGRR) that the
// settings, the store and the device reports carry, and 32-bit ARGB (0xAARRGGBB) that all
// drawing uses. ColorRef is a distinct type so that one is never passed for the other.
#include <cstdint>

namespace platform::ui {

using Argb = uint32_t;

struct ColorRef
{
    uint32_t value = 0;
    constexpr ColorRef() = default;
    constexpr explicit ColorRef(uint32_t v) : value(v & 0x00FFFFFF) {}
    constexpr bool operator==(const ColorRef&) const = default;
    constexpr uint8_t Red() const { return value & 0xFF; }
    constexpr uint8_t Green() const { return (value >> 8) & 0xFF; }
    constexpr uint8_t Blue() const { return (value >> 16) & 0xFF; }
};

constexpr ColorRef MakeColorRef(uint8_t r, uint8_t g, uint8_t b)
{
    return ColorRef(static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
                    (static_cast<uint32_t>(b) << 16));
}

constexpr Argb MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
           (static_cast<uint32_t>(g) << 8) | b;
}
constexpr uint8_t ArgbAlpha(Argb c)
{
    return c >> 24;
}
constexpr uint8_t ArgbRed(Argb c)
{
    return (c >> 16) & 0xFF;
}
constexpr uint8_t ArgbGreen(Argb c)
{
    return (c >> 8) & 0xFF;
}
constexpr uint8_t ArgbBlue(Argb c)
{
    return c & 0xFF;
}

constexpr Argb ArgbFromColorRef(ColorRef c, uint8_t alpha = 0xFF)
{
    return MakeArgb(alpha, c.Red(), c.Green(), c.Blue());
}
constexpr ColorRef ColorRefFromArgb(Argb c)
{
    return MakeColorRef(ArgbRed(c), ArgbGreen(c), ArgbBlue(c));
}

} // namespace platform::ui
