#pragma once
// Controls that take part in an exclusive group (radio, select, colour buttons, function
// buttons and, once it exists, the function combo box). Group resets find the other members
// among the parent's children through this interface and the class name (IsClass).
#include "trellis/core/MControl.h"

#include <string>
#include <vector>

namespace DUI {

class GroupMember
{
public:
    virtual ~GroupMember() = default;
    virtual std::wstring GetGroupName() const = 0;
    // Sets the check without touching the group, even while disabled.
    virtual void SetControlCheck(int check) = 0;
    virtual int GetCheck() const = 0;

    // Unchecks every other member of the parent's child list (the dialog's top-level list when
    // the parent is a dialog) whose class name is one of `classNames` and whose group name
    // equals `group`. `skipInactive` leaves invisible and disabled members alone.
    static void ResetOthers(MControl& self, const std::wstring& group,
                            const std::vector<std::wstring>& classNames, bool skipInactive,
                            bool parentControlOnly = false);
};

} // namespace DUI
