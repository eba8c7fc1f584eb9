#pragma once
// One cached skin image: the decoded strip and how it is cut into frames.
#include "trellis/core/Types.h"

namespace DUI {

struct ImgResInfo
{
    ImagePtr image;
    int frameWidth = 0;  // image width / frame count (remainder dropped)
    int frameHeight = 0; // image height
    int frameCount = 1;
    std::wstring fileName; // empty for resource images
    UINT resourceId = 0;   // 0 for files
};

} // namespace DUI
