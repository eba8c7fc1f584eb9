#include "trellis/controls/BalloonHost.h"

#include <atomic>

namespace DUI {

namespace {
std::atomic<BalloonHost*> g_host{nullptr};
}

BalloonHost* BalloonHost::Get()
{
    return g_host.load();
}

BalloonHost* BalloonHost::Set(BalloonHost* host)
{
    return g_host.exchange(host);
}

} // namespace DUI
