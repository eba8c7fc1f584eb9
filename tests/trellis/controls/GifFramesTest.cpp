#include "ControlHarness.h"

#include "trellis/controls/CGifPicture.h"
#include "trellis/controls/GifFrames.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

using DUI::GifFrames;

namespace {

std::vector<char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string kLoadingGif = std::string(KORVANE_RUNTIME_DIR) + "/skins/theme1/loading/loading.gif";

} // namespace

TEST(GifFrames, DecodesTheShippedAnimationWithTransparencyAndDisposal)
{
    GifFrames gif;
    ASSERT_TRUE(gif.Load(kLoadingGif));
    EXPECT_EQ(gif.Width(), 48);
    EXPECT_EQ(gif.Height(), 48);
    ASSERT_EQ(gif.Count(), 18);
    EXPECT_EQ(gif.At(0).delayMs, 40);
    // The corner is transparent in every frame, the spinner's dots are opaque, and frames differ
    // (the background disposal does not leave the previous dots behind).
    EXPECT_EQ(gif.At(5).pixels[0], 0u);
    int opaque = 0;
    for (uint32_t px : gif.At(0).pixels)
        opaque += (px >> 24) == 0xFF;
    EXPECT_GT(opaque, 50);
    EXPECT_NE(gif.At(0).pixels, gif.At(9).pixels);
}

TEST(GifFrames, RejectsMissingGarbageAndTruncatedFilesWithoutCrashing)
{
    TempFolder folder;
    GifFrames gif;
    EXPECT_FALSE(gif.Load(folder.File("missing.gif")));

    WriteAll(folder.File("garbage.gif"), std::vector<char>(300, '\x5a'));
    EXPECT_FALSE(gif.Load(folder.File("garbage.gif")));
    EXPECT_EQ(gif.Count(), 0);

    // Cut inside the raster data of a later frame: whatever decoded before stays usable,
    // nothing reads beyond the file.
    std::vector<char> bytes = ReadAll(kLoadingGif);
    ASSERT_GT(bytes.size(), 400u);
    for (size_t cut : {size_t(13), size_t(40), bytes.size() / 2, bytes.size() - 3}) {
        std::vector<char> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        WriteAll(folder.File("cut.gif"), part);
        if (gif.Load(folder.File("cut.gif"))) {
            EXPECT_GT(gif.Count(), 0);
            EXPECT_EQ(gif.At(0).pixels.size(), size_t(gif.Width()) * gif.Height());
        }
    }
}

TEST(GifPicture, AdvancesEveryFifthTickAndWraps)
{
    testing_controls::RecordingOwner owner;
    DUI::CGifPicture picture(&owner, 1, DUI::CRect(0, 0, 48, 48), 1, 1);
    ASSERT_EQ(picture.SetImage(L"loading\\loading.gif", 1), 1);
    ASSERT_EQ(picture.GetFrameCount(), 18);
    picture.SetRunState(1, 0);
    for (int i = 0; i < 4; ++i)
        picture.OnTimer();
    EXPECT_EQ(picture.GetActiveFrame(), 0);
    picture.OnTimer();
    EXPECT_EQ(picture.GetActiveFrame(), 1);
    for (int i = 0; i < 17 * 5; ++i)
        picture.OnTimer();
    EXPECT_EQ(picture.GetActiveFrame(), 0) << "wraps after the last frame";
    picture.SetRunState(0, 7);
    picture.OnTimer();
    EXPECT_EQ(picture.GetActiveFrame(), 7);
    EXPECT_EQ(picture.SetImage(L"loading\\missing.gif", 1), 0);
}
