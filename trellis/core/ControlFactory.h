#pragma once
// Creation of controls by class name. Two tables exist: the window factory (dialogs,
// PaintManager::CreateControl) and the panel factory (MPanel::CreateControl). Each control
// class registers its name in one or both from its own .cpp file:
//
//   TRELLIS_CONTROL_TVE(MButton, DUI::FactoryBoth)      // (parent, id, rect, title, visible, enabled)
//   TRELLIS_CONTROL_VE(MSlider, DUI::FactoryBoth)       // (parent, id, rect, visible, enabled)
//   TRELLIS_CONTROL_V(MListBox, DUI::FactoryBoth)       // (parent, id, rect, visible)
//   TRELLIS_CONTROL_TV(MText, DUI::FactoryBoth)         // (parent, id, rect, title, visible)
//   TRELLIS_REGISTER_CONTROL(L"Name", tables, new X(parent, id, rect, ...));  // anything else
//
// Names are compared exactly and case-sensitively.
#include "trellis/core/MControl.h"

#include <string>
#include <vector>

namespace DUI {

enum FactoryTable : unsigned
{
    FactoryWindow = 1,
    FactoryPanel = 2,
    FactoryBoth = 3
};

using ControlCreator = MControl* (*)(MObject* parent, UINT id, const CRect& rect, const std::wstring& title,
                                     int visible, int enabled);

class ControlFactory
{
public:
    // Adds a name to the given tables; false when the name is empty or already taken there.
    static bool Register(const wchar_t* name, unsigned tables, ControlCreator creator);
    // Constructs the class registered under `name` in `table`; null for an empty or unknown name.
    // The control has no manager yet and is in no list.
    static MControl* Construct(FactoryTable table, const std::wstring& name, MObject* parent, UINT id,
                               const CRect& rect, const std::wstring& title, int visible, int enabled);
    static bool IsKnown(FactoryTable table, const std::wstring& name);
    static std::vector<std::wstring> Names(FactoryTable table);
};

} // namespace DUI

#define TRELLIS_FACTORY_CAT2(a, b) a##b
#define TRELLIS_FACTORY_CAT(a, b) TRELLIS_FACTORY_CAT2(a, b)
#define TRELLIS_REGISTER_CONTROL(NAME, TABLES, ...)                                                          \
    static const bool TRELLIS_FACTORY_CAT(trellisFactoryEntry_, __LINE__) = ::DUI::ControlFactory::Register( \
        NAME, TABLES,                                                                                        \
        [](::DUI::MObject* parent, ::DUI::UINT id, const ::DUI::CRect& rect, const std::wstring& title,      \
           int visible, int enabled) -> ::DUI::MControl* {                                                   \
            (void)parent, (void)id, (void)rect, (void)title, (void)visible, (void)enabled;                   \
            return __VA_ARGS__;                                                                              \
        })
#define TRELLIS_CONTROL_TVE(CLASS, TABLES)                                                                   \
    TRELLIS_REGISTER_CONTROL(L## #CLASS, TABLES, new CLASS(parent, id, rect, title, visible, enabled))
#define TRELLIS_CONTROL_VE(CLASS, TABLES)                                                                    \
    TRELLIS_REGISTER_CONTROL(L## #CLASS, TABLES, new CLASS(parent, id, rect, visible, enabled))
#define TRELLIS_CONTROL_V(CLASS, TABLES)                                                                     \
    TRELLIS_REGISTER_CONTROL(L## #CLASS, TABLES, new CLASS(parent, id, rect, visible))
#define TRELLIS_CONTROL_TV(CLASS, TABLES)                                                                    \
    TRELLIS_REGISTER_CONTROL(L## #CLASS, TABLES, new CLASS(parent, id, rect, title, visible))
