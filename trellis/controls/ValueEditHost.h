#pragma once
// The small in-place value editor (a borderless edit window over a control) belongs to the
// pop-up windows. Controls that offer in-place editing open it through this seam; the editor
// reports back with the control's CommitEdit / EndEdit. Without a host nothing opens.
#include "trellis/core/MControl.h"

#include <string>

namespace DUI {

class ColorButtonEx;

class ValueEditHost
{
public:
    virtual ~ValueEditHost() = default;
    // Opens an editor over `screenRect` holding `text`; false when it cannot.
    virtual bool Open(ColorButtonEx& owner, CRect screenRect, const std::wstring& text) = 0;
    // Closes the editor of `owner` without committing.
    virtual void Close(ColorButtonEx& owner) = 0;

    static ValueEditHost* Get();
    static ValueEditHost* Set(ValueEditHost* host);
};

} // namespace DUI
