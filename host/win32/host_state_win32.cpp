#include "host/win32/host_state_win32.h"

HostState hostState{};
