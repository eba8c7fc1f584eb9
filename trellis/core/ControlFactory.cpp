#include "trellis/core/ControlFactory.h"

#include <map>
#include <mutex>

namespace DUI {

namespace {

struct Registry
{
    std::mutex mutex;
    std::map<std::wstring, ControlCreator> window;
    std::map<std::wstring, ControlCreator> panel;
};

Registry& GetRegistry()
{
    static Registry r;
    return r;
}

} // namespace

bool ControlFactory::Register(const wchar_t* name, unsigned tables, ControlCreator creator)
{
    if (!name || !*name || !creator) return false;
    Registry& r = GetRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    bool ok = true;
    if (tables & FactoryWindow) ok = r.window.emplace(name, creator).second && ok;
    if (tables & FactoryPanel) ok = r.panel.emplace(name, creator).second && ok;
    return ok;
}

MControl* ControlFactory::Construct(FactoryTable table, const std::wstring& name, MObject* parent, UINT id,
                                    const CRect& rect, const std::wstring& title, int visible, int enabled)
{
    if (name.empty()) return nullptr;
    ControlCreator creator = nullptr;
    {
        Registry& r = GetRegistry();
        std::lock_guard<std::mutex> lock(r.mutex);
        auto& map = table == FactoryPanel ? r.panel : r.window;
        auto it = map.find(name);
        if (it == map.end()) return nullptr;
        creator = it->second;
    }
    return creator(parent, id, rect, title, visible, enabled);
}

bool ControlFactory::IsKnown(FactoryTable table, const std::wstring& name)
{
    Registry& r = GetRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto& map = table == FactoryPanel ? r.panel : r.window;
    return map.count(name) != 0;
}

std::vector<std::wstring> ControlFactory::Names(FactoryTable table)
{
    Registry& r = GetRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto& map = table == FactoryPanel ? r.panel : r.window;
    std::vector<std::wstring> out;
    for (auto& [n, c] : map)
        out.push_back(n);
    return out;
}

} // namespace DUI
