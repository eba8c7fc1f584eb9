#include "trellis/controls/ValueEditHost.h"

#include <atomic>

namespace DUI {

namespace {
std::atomic<ValueEditHost*> g_host{nullptr};
}

ValueEditHost* ValueEditHost::Get()
{
    return g_host.load();
}

ValueEditHost* ValueEditHost::Set(ValueEditHost* host)
{
    return g_host.exchange(host);
}

} // namespace DUI
