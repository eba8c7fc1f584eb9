#pragma once
// Push button with a "1" badge in its top-right corner while an upgrade is available.
#include "trellis/controls/PushBehaviour.h"
#include "trellis/core/MControlFont.h"

namespace DUI {

class UpgradeButton : public MControlFont
{
public:
    UpgradeButton(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                  int enabled);

    void SetUpgradeStatus(int status);
    int GetUpgradeStatus() const { return m_status; }
    int GetState() const { return m_push.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    PushBehaviour m_push{true};
    int m_status = 0;
};

} // namespace DUI
