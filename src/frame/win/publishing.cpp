#include "frame/win/publishing.h"

namespace kolo::win {

namespace {
Publisher* g_publisher = nullptr;
}

void SetPublisher(Publisher* publisher) { g_publisher = publisher; }
Publisher* GetPublisher() { return g_publisher; }

}  // namespace kolo::win
