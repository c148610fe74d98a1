// In-process screen runs for tests that look at globals the trace does not show.
#include "screens.h"

#include "video.h"

#include "engine/assets.h"
#include "headless/session.h"
#include "platform/platform.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

ScreenScript::ScreenScript(const std::string &script) {
    open_test_video();
    char name[] = "/tmp/fretfall-screen-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) {
        message = "cannot make a script file";
        return;
    }
    close(fd);
    path = name;
    std::ofstream(path) << script;
    ok = screen && headless_start_script(path, "/dev/null", message);
}

ScreenScript::~ScreenScript() {
    headless_start_virtual();
    if (!path.empty()) std::remove(path.c_str());
}
