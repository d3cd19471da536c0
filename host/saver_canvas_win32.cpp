#include "host/saver_canvas_win32.h"

SaverCanvas saverCanvas{0, 0, nullptr, nullptr, true};
