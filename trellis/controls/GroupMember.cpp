#include "trellis/controls/GroupMember.h"

#include "trellis/core/PaintManager.h"

#include <cwchar>
#include <mutex>

namespace DUI {

void GroupMember::ResetOthers(MControl& self, const std::wstring& group,
                              const std::vector<std::wstring>& classNames, bool skipInactive,
                              bool parentControlOnly)
{
    MObject* parent = self.GetParantObject();
    if (!parent) return;
    std::vector<MControl*>* list = nullptr;
    std::recursive_mutex* lock = nullptr;
    const wchar_t* parentClass = parent->GetClassNameW();
    if (!parentControlOnly && parentClass && std::wcscmp(parentClass, L"MDialog") == 0) {
        PaintManager* manager = self.GetManager();
        if (!manager) return;
        list = &manager->GetControls();
        lock = &manager->ControlLock();
    } else if (auto* owner = dynamic_cast<MControl*>(parent)) {
        list = &owner->GetControls();
        lock = &owner->ControlLock();
    } else {
        return;
    }
    std::vector<MControl*> members;
    {
        std::lock_guard<std::recursive_mutex> guard(*lock);
        for (MControl* other : *list) {
            if (other == &self) continue;
            bool classMatches = false;
            for (const std::wstring& name : classNames)
                classMatches = classMatches || other->IsClass(name.c_str());
            if (!classMatches) continue;
            if (skipInactive && (!other->IsVisible() || !other->IsEnabled())) continue;
            members.push_back(other);
        }
    }
    // Unchecked outside the lock: a member's repaint request walks lists of its own.
    for (MControl* other : members) {
        auto* member = dynamic_cast<GroupMember*>(other);
        if (member && member->GetGroupName() == group) member->SetControlCheck(0);
    }
}

} // namespace DUI
