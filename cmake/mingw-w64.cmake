# Cross-building for 64-bit Windows with Debian's MinGW-w64 g++ in its POSIX thread model (the
# win32 model of GCC 12 has neither std::thread nor std::mutex), against a Qt built for MinGW-w64
# (TALVO_WINDOWS_QT_PREFIX: the unpacked kit, see scripts/build-windows.sh) and Debian's own Qt
# host tools (moc, rcc, uic). Unit tests run through Wine (scripts/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TALVO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TALVO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALVO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TALVO_MINGW}-windres)

set(TALVO_WINDOWS_QT_PREFIX "" CACHE PATH "The unpacked Qt for MinGW-w64 (its folder holds bin/ and lib/)")
if(NOT EXISTS "${TALVO_WINDOWS_QT_PREFIX}/lib/cmake/Qt6")
    message(FATAL_ERROR "TALVO_WINDOWS_QT_PREFIX (\"${TALVO_WINDOWS_QT_PREFIX}\") holds no Qt for "
                        "MinGW-w64: scripts/build-windows.sh unpacks one and sets it")
endif()
# The toolchain file is read again by try_compile's projects: they need the Qt folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TALVO_WINDOWS_QT_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${TALVO_MINGW} ${TALVO_WINDOWS_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_PREFIX_PATH ${TALVO_WINDOWS_QT_PREFIX})
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The test programs, and whatever else CMake runs of the build, run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
