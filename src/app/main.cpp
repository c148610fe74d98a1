// The game: runs in the working directory that holds the asset tree and data/.
#include "app/platform.h"
#include "app/startup.h"

int main() {
    platform_start_real();
    return fretfall_main();
}
