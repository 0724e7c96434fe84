// Private to the layer: the event loop the application installs.
#pragma once

#include "platform/EventLoop.h"

namespace ui_detail {

EventLoop& ToolkitEventLoop();

}  // namespace ui_detail
