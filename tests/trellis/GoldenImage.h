#pragma once
// Golden-image comparison for GUI tests: a rendered frame is compared with
// tests/fixtures/golden/<name>.png pixel by pixel with a small tolerance. The goldens are
// rewritten only on request: run the test with KORVANE_UPDATE_GOLDEN=1 in the environment.
// On a mismatch the actual picture is written beside the temporary folder for inspection.
#include "platform/ui/Image.h"
#include "platform/ui/Surface.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#ifndef KORVANE_FIXTURES_DIR
#error "GoldenImage.h needs KORVANE_FIXTURES_DIR (set by tests/CMakeLists.txt)"
#endif

// Pango and fontconfig keep per-thread caches (and a font-map thread) that are never freed
// before exit; LeakSanitizer would report them on every test program that draws text.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\nleak:libpango-1.0.so\nleak:libpangoft2-1.0.so\nleak:libpangocairo-1.0.so\n"
           "leak:libcairo.so\nleak:libglib-2.0.so\nleak:libdbus-1.so\nleak:libSDL2\nleak:libX11.so\n";
}

// Pango starts fontconfig on a thread of its own and hands the results over with GLib's own
// futex locks, which ThreadSanitizer cannot see through.
extern "C" __attribute__((weak)) const char* __tsan_default_suppressions()
{
    return "race:libfontconfig.so\nrace:libpangoft2-1.0.so\nrace:libpango-1.0.so\nrace:libglib-2.0.so\n"
           "race:libcairo.so\nrace:libharfbuzz.so\nrace:libfreetype.so\n";
}

namespace golden {

inline std::string GoldenPath(const std::string& name)
{
    return std::string(KORVANE_FIXTURES_DIR) + "/golden/" + name + ".png";
}

inline bool UpdateRequested()
{
    const char* v = std::getenv("KORVANE_UPDATE_GOLDEN");
    return v && *v && std::string(v) != "0";
}

// tolerance: largest difference allowed in any channel of a pixel; maxBadFraction: share of
// pixels that may exceed it (antialiased text edges move by a shade between runs of fontconfig).
inline ::testing::AssertionResult MatchesGolden(platform::ui::Surface& frame, const std::string& name,
                                                int tolerance = 24, double maxBadFraction = 0.002)
{
    std::string path = GoldenPath(name);
    if (UpdateRequested()) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (!frame.SavePng(path)) return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess() << "golden rewritten: " << path;
    }
    auto want = platform::ui::Image::LoadPng(path);
    std::string actual =
        (std::filesystem::temp_directory_path() / ("golden-" + name + "-actual.png")).string();
    if (!want) {
        frame.SavePng(actual);
        return ::testing::AssertionFailure() << "no golden " << path << " (actual picture: " << actual
                                             << "; run with KORVANE_UPDATE_GOLDEN=1 to create it)";
    }
    if (want->Width() != frame.Width() || want->Height() != frame.Height()) {
        frame.SavePng(actual);
        return ::testing::AssertionFailure()
               << "size " << frame.Width() << "x" << frame.Height() << " differs from golden "
               << want->Width() << "x" << want->Height() << " (actual: " << actual << ")";
    }
    long bad = 0, total = long(frame.Width()) * frame.Height();
    int worst = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            uint32_t a = frame.GetPixel(x, y), b = want->GetPixel(x, y);
            int d = 0;
            for (int s = 0; s < 32; s += 8)
                d = std::max(d, std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)));
            worst = std::max(worst, d);
            if (d > tolerance) ++bad;
        }
    if (bad > long(maxBadFraction * total)) {
        frame.SavePng(actual);
        return ::testing::AssertionFailure()
               << bad << " of " << total << " pixels differ from " << path << " by more than " << tolerance
               << " (worst " << worst << "); actual picture: " << actual;
    }
    return ::testing::AssertionSuccess();
}

} // namespace golden
