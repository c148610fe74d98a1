// Runs one screen inside the test process: the video on SDL's dummy driver, no assets,
// and the key events of a script fed through the headless platform.
#pragma once
#include <string>

class ScreenScript {
  public:
    // Starts the virtual clock on `script` (the text of a driver script). The script
    // must last longer than the screen run; the headless run ends the process otherwise.
    explicit ScreenScript(const std::string &script);
    // Puts the platform back on a virtual clock without events.
    ~ScreenScript();
    ScreenScript(const ScreenScript &) = delete;
    ScreenScript &operator=(const ScreenScript &) = delete;

    bool started() const { return ok; }
    const std::string &error() const { return message; }

  private:
    bool ok = false;
    std::string message;
    std::string path;
};
