#pragma once
// A stand-in owner for controls under test: records every event and repaint request they send,
// so state machines can be driven with synthetic input and checked without a window.
#include "trellis/core/MControl.h"

#include <vector>

namespace testing_controls {

struct Event
{
    unsigned id;
    unsigned code;
    unsigned wParam;
    int lParam;
    bool operator==(const Event&) const = default;
};

class RecordingOwner : public DUI::MObject
{
public:
    int OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override
    {
        events.push_back({id, code, wParam, lParam});
        return 0;
    }
    int OnControlUpdate(DUI::CRect rect, int redraw, DUI::MControl* control) override
    {
        ++repaints;
        if (redraw) ++rebuilds;
        return 0;
    }
    // Events of one code, in order.
    std::vector<Event> Of(unsigned code) const
    {
        std::vector<Event> out;
        for (const Event& e : events)
            if (e.code == code) out.push_back(e);
        return out;
    }
    void Clear()
    {
        events.clear();
        repaints = rebuilds = 0;
    }

    std::vector<Event> events;
    int repaints = 0;
    int rebuilds = 0;
};

inline DUI::CPoint Inside(const DUI::MControl& c)
{
    return c.GetRect().CenterPoint();
}
inline DUI::CPoint Outside(const DUI::MControl& c)
{
    return {c.GetRect().right + 50, c.GetRect().bottom + 50};
}

} // namespace testing_controls
