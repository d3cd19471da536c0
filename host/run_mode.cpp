#include "host/run_mode.h"

#include "host/counted_text.h"

namespace {

// Window handles are read as non-negative decimal numbers; the value is the handle itself.
uint32_t HandleIn(const char* word) { return static_cast<uint32_t>(firstNumber(word)); }

}  // namespace

RunChoice ChooseRunModeFromWords(const char* line1, const char* line2) {
    RunChoice choice{SaverMode::FullScreen, 0, false};
    switch (line1[0]) {
        case 'A':
        case 'a':
            // Both "/a 1234" and "/a:1234" name the window.
            choice.mode = SaverMode::ChangePassword;
            choice.parentWindow = HandleIn(line1);
            if (choice.parentWindow == 0) choice.parentWindow = HandleIn(line2);
            break;
        case 'C':
        case 'c':
            // Only the switch word itself: "/c:1234", never "/c 1234".
            choice.mode = SaverMode::Configure;
            choice.parentWindow = HandleIn(line1);
            break;
        case 'P':
        case 'p':
            // Only the next word: "/p 1234", never "/p:1234".
            choice.mode = SaverMode::Preview;
            choice.parentWindow = HandleIn(line2);
            break;
        default:
            return choice;
    }
    choice.endAtOnce = choice.parentWindow == 0;
    return choice;
}

RunChoice ChooseRunMode(const char* commandLine) {
    CountedText text(commandLine);
    text.assign(argumentLines(text));
    // lineAt gives the empty text for a missing line, so a missing switch reads as NUL.
    const CountedText line1 = text.lineAt(1);
    const CountedText line2 = text.lineAt(2);
    return ChooseRunModeFromWords(line1.c_str(), line2.c_str());
}
