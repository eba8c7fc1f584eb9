// trellis-gallery --screenshot renders its pages headless; the core page matches its golden.
#include "../GoldenImage.h"
#include "TempFolder.h"

#include <cstdlib>
#include <string>

namespace {

int RunGallery(const std::string& args)
{
    std::string cmd = std::string(KORVANE_RUNTIME_DIR) + "/trellis-gallery " + args + " >/dev/null 2>&1";
    return std::system(cmd.c_str());
}

} // namespace

TEST(Gallery, ScreenshotOfTheDrawingPageMatchesItsGolden)
{
    TempFolder tmp;
    std::string file = tmp.File("page0.png");
    ASSERT_EQ(RunGallery("--screenshot=" + file + " --page=0"), 0);
    auto img = platform::ui::Image::LoadPng(file);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->Width(), 1000);
    EXPECT_EQ(img->Height(), 640);
    platform::ui::Surface s(img->Width(), img->Height());
    platform::ui::Surface src(1, 1);
    for (int y = 0; y < img->Height(); ++y)
        for (int x = 0; x < img->Width(); ++x)
            s.SetPixel(x, y, img->GetPixel(x, y));
    EXPECT_TRUE(golden::MatchesGolden(s, "core_gallery_drawing"));
}

TEST(Gallery, RejectsUnknownPagesAndArguments)
{
    TempFolder tmp;
    EXPECT_NE(RunGallery("--screenshot=" + tmp.File("x.png") + " --page=999"), 0);
    EXPECT_NE(RunGallery("--bogus"), 0);
    EXPECT_NE(RunGallery("--screenshot=/no/such/folder/x.png"), 0);
}
