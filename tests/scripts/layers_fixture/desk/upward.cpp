// A desk file that reaches up to the main window and sideways to a sibling feature.
#include "app/main_window.h"
#include "session/session.h"
#include "desk.h"
#include "base/handle.h"
