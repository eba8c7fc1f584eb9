// The gallery pages of the generic controls render headless and match their golden pictures.
#include "TempFolder.h"
#include "trellis/GoldenImage.h"

#include <cstdlib>
#include <string>

namespace {

int RunGallery(const std::string& args)
{
    std::string cmd = std::string(KORVANE_RUNTIME_DIR) + "/trellis-gallery " + args + " >/dev/null 2>&1";
    return std::system(cmd.c_str());
}

struct PageCase
{
    int page;
    const char* golden;
};

} // namespace

TEST(ControlsGallery, EveryPageMatchesItsGolden)
{
    const PageCase pages[] = {{1, "controls_push_buttons"},
                              {2, "controls_choice_buttons"},
                              {3, "controls_pictures"},
                              {4, "controls_tabs_panels"},
                              {5, "controls_ranges"}};
    TempFolder tmp;
    for (const PageCase& pc : pages) {
        SCOPED_TRACE(pc.golden);
        const std::string file = tmp.File(std::string(pc.golden) + ".png");
        ASSERT_EQ(RunGallery("--screenshot=" + file + " --page=" + std::to_string(pc.page)), 0);
        auto image = platform::ui::Image::LoadPng(file);
        ASSERT_NE(image, nullptr);
        platform::ui::Surface frame(image->Width(), image->Height());
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x)
                frame.SetPixel(x, y, image->GetPixel(x, y));
        EXPECT_TRUE(golden::MatchesGolden(frame, pc.golden));
    }
}
