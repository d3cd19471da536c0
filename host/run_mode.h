// The run-mode decision of start-up: which of the four modes a command line asks for, which
// window it names, and the exit codes of the process. Platform-free.
#pragma once

#include <cstdint>

enum class SaverMode { FullScreen, Preview, Configure, ChangePassword };

// The process exit codes, one name per situation.
namespace exit_code {
constexpr int GdiplusFailed = 1;
constexpr int MissingWindowHandle = 1;   // switch A, C or P without a non-zero handle
constexpr int PasswordServiceMissing = 1;
constexpr int PasswordChanged = 0;
constexpr int DialogEnded = 0;
constexpr int WindowNotCreated = 0;      // class not registered or window not created
constexpr int WindowLoopFailed = 0;      // the message loop ended on an error, without a quit message
}  // namespace exit_code

struct RunChoice {
    SaverMode mode;
    uint32_t parentWindow;   // 0 in FullScreen
    bool endAtOnce;          // a switch that needs a window handle found none: exit, show nothing
};

// The decision over the words already split one per line: line 1 holds the switch word, line 2
// the word after it (each without its leading "-" or "/"); a missing line is the empty text.
RunChoice ChooseRunModeFromWords(const char* line1, const char* line2);

// The decision over the whole raw command line, program path included.
RunChoice ChooseRunMode(const char* commandLine);
