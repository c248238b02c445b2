// A desk file that reaches up to the main window and into a sibling's internals.
#include "app/main_window.h"
#include "session/session_internal.h"
#include "desk.h"
#include "base/handle.h"
