#pragma once
// The balloon pop-up (a speech-bubble window next to a control) lives with the pop-up windows.
// Buttons that show one only talk to this seam; the pop-up code installs the real host, and
// without one the buttons simply show no balloon.
#include "trellis/core/MControl.h"

#include <string>

namespace DUI {

class BalloonHost
{
public:
    virtual ~BalloonHost() = default;
    // Shows `text` anchored at a screen point, placed by `type` (and `mode`), owned by `ownerId`.
    virtual void Show(MControl& owner, const std::wstring& text, CPoint screenAnchor, int type, int mode) = 0;
    // Hides the balloon when `ownerId` still owns it.
    virtual void Hide(MControl& owner) = 0;

    static BalloonHost* Get();
    // Installs the process-wide host (nullptr removes it); returns the previous one.
    static BalloonHost* Set(BalloonHost* host);
};

} // namespace DUI
