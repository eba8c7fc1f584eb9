#include "trellis/core/MObject.h"

#include <cwchar>

namespace DUI {

int MObject::IsClass(const wchar_t* name)
{
    const wchar_t* mine = GetClassNameW();
    if (!name || !mine) return 0;
    return std::wcscmp(name, mine) == 0 ? 1 : 0;
}

} // namespace DUI
