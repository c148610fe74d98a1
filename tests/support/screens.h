// One screen run inside the test process on the dummy video, fed a script's key events.
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
