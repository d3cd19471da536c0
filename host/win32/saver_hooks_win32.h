// Where the saver window lets a watcher look in: the saver's test build installs one to answer
// the end-to-end tests' questions; the shipped saver installs none, and then every hook is a
// null check.
#pragma once

#include <windows.h>

class SaverWatcher {
public:
    virtual ~SaverWatcher() = default;
    // Before each frame is composed.
    virtual void BeforeFrame(bool faceDirty) = 0;
    // After the preview has shown the frame (width by height) in the window.
    virtual void PreviewPainted(HWND window, HDC frame, int width, int height) = 0;
    // Any message of a clock window, before the window handles it; true when answered.
    virtual bool Answer(HWND window, UINT message, LRESULT* result) = 0;
};

// The watcher stays installed for the life of the process; null removes it.
void InstallSaverWatcher(SaverWatcher* watcher);
