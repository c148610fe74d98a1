# Toolchain file for 32-bit ARM Linux (ARMv7, hard float), the ABI of most handhelds.
set(FRETFALL_TRIPLET arm-linux-gnueabihf)
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(FRETFALL_QEMU qemu-arm-static)
set(FRETFALL_DEB_ARCH armhf)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
