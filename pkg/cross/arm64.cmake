# Toolchain file for 64-bit ARM Linux.
set(FRETFALL_TRIPLET aarch64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(FRETFALL_QEMU qemu-aarch64-static)
set(FRETFALL_DEB_ARCH arm64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
