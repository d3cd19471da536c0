// Entry point. Until the run modes arrive this only proves that the program links the logic.
#include <windows.h>

#include "host/host_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    hostState.instance = instance;
    return 0;
}
