# What the ARM toolchain files share: Debian's cross compiler, the ARM libraries unpacked by
# pkg/cross/sysroot.sh, and the user-mode emulator that runs the build's programs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${FRETFALL_TRIPLET}-g++)

if(NOT FRETFALL_SYSROOT)
  if(DEFINED ENV{FRETFALL_SYSROOTS})
    set(FRETFALL_SYSROOT $ENV{FRETFALL_SYSROOTS}/${FRETFALL_DEB_ARCH})
  else()
    set(FRETFALL_SYSROOT /opt/fretfall-cross/${FRETFALL_DEB_ARCH})
  endif()
endif()
set(FRETFALL_SYSROOT ${FRETFALL_SYSROOT} CACHE PATH "ARM library tree of pkg/cross/sysroot.sh")
if(NOT EXISTS ${FRETFALL_SYSROOT}/.fretfall-sysroot)
  message(FATAL_ERROR "No ARM library tree in ${FRETFALL_SYSROOT}: run "
                      "pkg/install-deps.sh cross ${FRETFALL_DEB_ARCH}")
endif()
# try_compile projects see the same settings.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FRETFALL_SYSROOT FRETFALL_STATIC_CXX)

# The compiler keeps its own C library and C++ headers; everything else comes from the
# tree. It is not a --sysroot: the tree holds no C library headers (sysroot.sh).
set(CMAKE_FIND_ROOT_PATH ${FRETFALL_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Headers that pkg-config leaves implied: the tree's own include directory and its
# architecture's one (jconfig.h), searched after the compiler's, so they shadow nothing.
# Everything is built by the one compiler, so its notes on ABI changes since GCC 7 are noise.
set(CMAKE_CXX_FLAGS_INIT
    "-idirafter ${FRETFALL_SYSROOT}/usr/include/${FRETFALL_TRIPLET} -idirafter ${FRETFALL_SYSROOT}/usr/include -Wno-psabi")
# Debian 11's libopusfile is not multiarch: its files are in usr/lib.
set(ENV{PKG_CONFIG_LIBDIR}
    ${FRETFALL_SYSROOT}/usr/lib/${FRETFALL_TRIPLET}/pkgconfig:${FRETFALL_SYSROOT}/usr/lib/pkgconfig:${FRETFALL_SYSROOT}/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${FRETFALL_SYSROOT})
set(ENV{PKG_CONFIG_PATH} "")

# The libraries the SDL libraries need in turn are found in the tree at link time;
# libpulse's private library sits in the directory of its run path. The C++ runtime stays
# shared: Debian's libjack, libfluidsynth and libLerc need libstdc++.so.6 anyway, so the
# bundle carries it, and a copy linked into each program would only add 700 KB to its tarball.
set(_libdirs ${FRETFALL_SYSROOT}/usr/lib/${FRETFALL_TRIPLET}:${FRETFALL_SYSROOT}/lib/${FRETFALL_TRIPLET})
string(APPEND _libdirs :${FRETFALL_SYSROOT}/usr/lib/${FRETFALL_TRIPLET}/pulseaudio:${FRETFALL_SYSROOT}/usr/lib)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,-rpath-link,${_libdirs}")
# The handheld port's programs carry the C++ runtime themselves: a firmware's own may be
# older than the compiler's, and the port bundles none.
if(FRETFALL_STATIC_CXX)
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -static-libstdc++ -static-libgcc")
endif()
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,-rpath-link,${_libdirs}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-Wl,-rpath-link,${_libdirs}")

# ctest, test discovery and the build's own runs go through the emulator, which finds the
# ARM loader and libraries in the tree.
set(CMAKE_CROSSCOMPILING_EMULATOR ${FRETFALL_QEMU} -L ${FRETFALL_SYSROOT})
