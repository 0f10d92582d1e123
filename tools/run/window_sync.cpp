#include "run/window_sync.h"

#include <GL/glx.h>

void SyncWindowSystem() {
    if (::Display* display = glXGetCurrentDisplay()) XSync(display, False);
}

void RequestWindowClose() {
    ::Display* display = glXGetCurrentDisplay();
    if (display == nullptr) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = glXGetCurrentDrawable();  // GLUT draws straight into its window
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XSync(display, False);
}
