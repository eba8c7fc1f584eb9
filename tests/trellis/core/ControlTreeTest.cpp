// The control tree: factory names, class names, mouse and keyboard routing, visibility and
// repaint requests, removal while a control holds the hover or the focus.
#include "CoreTestSupport.h"

#include "trellis/core/ControlFactory.h"

using namespace coretest;

TRELLIS_REGISTER_CONTROL(L"TestProbe", DUI::FactoryWindow,
                         new coretest::Probe(parent, id, rect, title, visible, enabled));
TRELLIS_REGISTER_CONTROL(L"TestPanelOnly", DUI::FactoryPanel,
                         new coretest::Probe(parent, id, rect, title, visible, enabled));

namespace {

class NamedProbe : public Probe
{
public:
    using Probe::Probe;
    const wchar_t* GetClassNameW() override { return L"ColorButton"; }
};

} // namespace

using ControlTree = HeadlessTest;

TEST_F(ControlTree, FactoryCreatesByExactNameInTheRightTable)
{
    TestDialog dlg;
    Open(dlg);
    MControl* c = dlg.CreateControl(L"TestProbe", 7, CRect(10, 10, 50, 30), L"hello");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetManager(), &dlg.GetPaintManager());
    EXPECT_EQ(c->GetParantObject(), static_cast<MObject*>(&dlg));
    EXPECT_EQ(dlg.GetControl(7), c);
    EXPECT_EQ(static_cast<MControlFont*>(c)->GetTitle(), L"hello");
    // Case, empty names, unknown names and panel-only names create nothing.
    for (const wchar_t* name : {L"testprobe", L"", L"NoSuchControl", L"TestPanelOnly", L"DPIControl"})
        EXPECT_EQ(dlg.CreateControl(name, 8, CRect(0, 0, 5, 5)), nullptr) << std::wstring(name).size();
    EXPECT_EQ(dlg.GetControls().size(), 1u);
    std::unique_ptr<MControl> panelOnly(
        ControlFactory::Construct(FactoryPanel, L"TestPanelOnly", nullptr, 1, CRect(), L"", 1, 1));
    EXPECT_NE(panelOnly, nullptr);
    EXPECT_FALSE(ControlFactory::Register(
        L"TestProbe", FactoryWindow,
        [](MObject*, UINT, const CRect&, const std::wstring&, int, int) -> MControl* { return nullptr; }));
}

TEST_F(ControlTree, IsClassTellsOnlyOwnNamesApart)
{
    NamedProbe color(nullptr, 1, CRect(), L"", 1, 1);
    Probe plain(nullptr, 2, CRect(), L"", 1, 1);
    EXPECT_EQ(color.IsClass(L"ColorButton"), 1);
    EXPECT_EQ(color.IsClass(L"CColorButton"), 0);
    EXPECT_EQ(color.IsClass(L"colorbutton"), 0);
    EXPECT_EQ(plain.IsClass(L"MControl"), 1);
    EXPECT_EQ(plain.IsClass(nullptr), 0);
    TestDialog dlg;
    EXPECT_EQ(static_cast<MObject&>(dlg).IsClass(L"MDialog"), 1);
}

TEST_F(ControlTree, ClickOnOverlapGoesToTheLaterControl)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* below = AddProbe(dlg, 1, CRect(10, 10, 110, 60));
    Probe* above = AddProbe(dlg, 2, CRect(50, 20, 150, 80));
    Click(h, CPoint(60, 30));
    EXPECT_EQ(std::count(below->log.begin(), below->log.end(), L"down"), 0);
    EXPECT_EQ(dlg.events, (std::vector<Event>{{2, NOTIFY_PRESS, 0, 0}, {2, NOTIFY_CLICK, 0, 0}}));

    // The same holds one level down, inside a container control.
    dlg.events.clear();
    auto* inner1 = new Probe(above, 11, CRect(60, 30, 100, 70), L"", 1, 1);
    auto* inner2 = new Probe(above, 12, CRect(80, 40, 120, 75), L"", 1, 1);
    above->AddChild(1, inner1);
    above->AddChild(1, inner2);
    inner1->SetManager(&dlg.GetPaintManager());
    inner2->SetManager(&dlg.GetPaintManager());
    Click(h, CPoint(90, 50));
    EXPECT_EQ(std::count(inner1->log.begin(), inner1->log.end(), L"down"), 0);
    EXPECT_EQ(std::count(inner2->log.begin(), inner2->log.end(), L"down"), 1) << inner2->log.size();
}

TEST_F(ControlTree, DoubleClickIsASecondPress)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* p = AddProbe(dlg, 3, CRect(10, 10, 60, 40));
    Click(h, CPoint(20, 20));
    Click(h, CPoint(20, 20)); // quick second click on the same spot: a double-click message
    std::vector<Event> pair{{3, NOTIFY_PRESS, 0, 0}, {3, NOTIFY_CLICK, 0, 0}};
    EXPECT_EQ(dlg.events, (std::vector<Event>{pair[0], pair[1], pair[0], pair[1]}));
    EXPECT_EQ(std::count(p->log.begin(), p->log.end(), L"dblclk"), 0);

    // A control that asks for double-clicks gets them.
    p->SetDblClk(1);
    p->log.clear();
    Click(h, CPoint(30, 30));
    Click(h, CPoint(30, 30));
    EXPECT_EQ(std::count(p->log.begin(), p->log.end(), L"dblclk"), 1);
}

TEST_F(ControlTree, DragOutKeepsMovesAndReleaseReachesThePressedControl)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* p = AddProbe(dlg, 4, CRect(10, 10, 60, 40));
    Probe* other = AddProbe(dlg, 5, CRect(100, 100, 200, 150));
    ws::InjectMouseMove(h, CPoint(20, 20));
    ws::InjectMouseButton(h, CPoint(20, 20), 0, true);
    ws::PumpMessages();
    p->log.clear();
    ws::InjectMouseMove(h, CPoint(120, 120)); // over another control, button still held
    ws::InjectMouseMove(h, CPoint(250, 190));
    ws::InjectMouseButton(h, CPoint(250, 190), 0, false);
    ws::PumpMessages();
    EXPECT_EQ(p->log, (std::vector<std::wstring>{L"move", L"move", L"up-out"}));
    EXPECT_TRUE(std::none_of(other->log.begin(), other->log.end(), [](auto& s) { return s == L"down"; }));
    EXPECT_EQ(dlg.events, (std::vector<Event>{{4, NOTIFY_PRESS, 0, 0}}));
    EXPECT_EQ(ws::GetCapture(), HWND(0));
}

namespace {

// Records the repaint requests a parent receives.
class UpdateSink : public MObject
{
public:
    int OnControlUpdate(CRect rect, int redraw, MControl*) override
    {
        requests.push_back({rect, redraw});
        return 0;
    }
    std::vector<std::pair<CRect, int>> requests;
};

} // namespace

TEST(ControlState, SetVisibleAndEnabledRequestRepaintsOnlyOnChange)
{
    UpdateSink sink;
    Probe p(&sink, 1, CRect(0, 0, 10, 10), L"", 1, 1);
    p.SetVisible(1);
    EXPECT_TRUE(sink.requests.empty());
    p.SetVisible(0, 0);
    EXPECT_TRUE(sink.requests.empty());
    EXPECT_EQ(p.IsVisible(), 0);
    p.SetVisible(1);
    p.SetVisible(0); // hiding requests a repaint too
    EXPECT_EQ(sink.requests.size(), 2u);
    p.SetEnabled(0); // invisible: state changes, no request
    EXPECT_EQ(sink.requests.size(), 2u);
    p.SetVisible(1);
    p.SetRect(CRect(5, 5, 20, 20));
    ASSERT_EQ(sink.requests.size(), 4u);
    EXPECT_EQ(sink.requests.back().first, CRect(0, 0, 20, 20)); // union of old and new
    EXPECT_EQ(sink.requests.back().second, 1);
}

TEST(ControlState, SetCursorExKnownNamesOnly)
{
    Probe p(nullptr, 1, CRect(), L"", 1, 1);
    EXPECT_EQ(p.SetCursorEx(L"hand"), 0);
    EXPECT_EQ(p.GetCursorEx(), HCURSOR::Hand);
    EXPECT_EQ(p.SetCursorEx(L"no-such-cursor"), 0);
    EXPECT_EQ(p.GetCursorEx(), HCURSOR::Hand);
}

TEST(ControlState, PositionItemModes)
{
    struct Case
    {
        POSITION_ITEM item;
        int expected;
    } cases[] = {{{0, 0, 10}, 110}, {{0, 1, 10}, 190},  {{1, 0, 5}, 155}, {{1, 1, 5}, 145},
                 {{2, 0, 25}, 125}, {{2, 0, 150}, 200}, {{7, 0, 1}, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(MControl::PositionItem2Value(c.item, 100, 200), c.expected);
}

TEST_F(ControlTree, RemovingTheHoverAndFocusControlIsSafe)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* p = AddProbe(dlg, 9, CRect(10, 10, 60, 40));
    auto* leaked = ControlFactory::Construct(FactoryPanel, L"TestPanelOnly", nullptr, 1, CRect(), L"", 1, 1);
    delete leaked;
    p->SetTooltip(L"tip");
    ws::InjectMouseMove(h, CPoint(20, 20));
    ws::InjectMouseButton(h, CPoint(20, 20), 0, true);
    ws::PumpMessages();
    PaintManager& pm = dlg.GetPaintManager();
    ASSERT_EQ(pm.GetHoverControl(), p);
    ASSERT_EQ(pm.GetFocusControl(), p);
    EXPECT_EQ(pm.GetTooltipCtrlID(), 9);
    pm.SetTimer(p, 1, 10);
    EXPECT_EQ(pm.RemoveControl(p), 1);
    EXPECT_EQ(pm.GetHoverControl(), nullptr);
    EXPECT_EQ(pm.GetFocusControl(), nullptr);
    EXPECT_EQ(pm.GetTooltipCtrlID(), 0);
    // Further input on the spot where it was reaches nothing and crashes nothing.
    ws::InjectMouseMove(h, CPoint(21, 21));
    ws::InjectMouseButton(h, CPoint(21, 21), 0, false);
    ws::InjectKey(VK_SPACE, true);
    ws::PumpMessages();
    EXPECT_EQ(dlg.GetControl(9), nullptr);
}

TEST_F(ControlTree, KeysGoToTheFocusedBranch)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* box = AddProbe(dlg, 1, CRect(0, 0, 200, 200));
    auto* a = new Probe(box, 2, CRect(10, 10, 50, 50), L"", 1, 1);
    auto* b = new Probe(box, 3, CRect(60, 10, 100, 50), L"", 1, 1);
    box->AddChild(1, a);
    box->AddChild(1, b);
    b->SetControlFocus(1);
    b->acceptKeys = 1;
    dlg.SetFocus();
    ws::InjectKey(VK_LCONTROL, true);
    ws::InjectKey('A', true);
    ws::InjectKey('A', false);
    ws::InjectKey(VK_LCONTROL, false);
    ws::PumpMessages();
    EXPECT_TRUE(a->keys.empty());
    ASSERT_EQ(b->keys.size(), 2u); // Ctrl itself, then A with the Ctrl code
    EXPECT_EQ(b->keys[1], unsigned('A') | (17u << 16));
    (void)h;
}

TEST_F(ControlTree, WheelNotchesScrollTheHoverControl)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* p = AddProbe(dlg, 1, CRect(10, 10, 100, 100));
    ws::InjectMouseMove(h, CPoint(50, 50));
    ws::InjectMouseWheel(h, CPoint(50, 50), -240);
    ws::InjectMouseWheel(h, CPoint(50, 50), 120);
    ws::InjectMouseWheel(h, CPoint(50, 50), 60); // less than a notch: nothing
    ws::PumpMessages();
    EXPECT_EQ(p->scrolls, (std::vector<unsigned>{1, 1, 0}));
}
