// Preloaded into the program by the window test: every event that SDL sends from another thread
// to wake its main loop goes to a window that does not exist, as a wakeup does that reaches the
// X server just after the window was closed. The program must take that in its stride.
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

namespace {

// The last resource of the last possible client: never a window of this test's X server.
constexpr Window NO_WINDOW = 0x1fffffff;

} // namespace

extern "C" Status XSendEvent(Display* display, Window window, Bool propagate, long mask, XEvent* event)
{
    using Send = Status (*)(Display*, Window, Bool, long, XEvent*);
    static const auto send = reinterpret_cast<Send>(dlsym(RTLD_NEXT, "XSendEvent"));
    if (event->type == ClientMessage && gettid() != getpid())
        window = NO_WINDOW;
    return send(display, window, propagate, mask, event);
}
