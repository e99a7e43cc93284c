# Cross-compiling for 32-bit Windows with MinGW-w64. The win32-thread-model compilers link no
# thread runtime (the POSIX one imports functions that Windows 98 and XP lack), so what ships loads
# on Windows 98 SE. The runtime is linked statically so the program is one exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Pentium code: Windows 98 runs on processors without the Pentium Pro's conditional moves (the
# compilers' default), and the x87 does the floating point. Tuned for today's processors.
set(CMAKE_C_FLAGS_INIT "-march=i586 -mtune=generic")
set(CMAKE_CXX_FLAGS_INIT "-march=i586 -mtune=generic")
# The runtime linked statically, built for the Pentium by scripts/pentium-runtime.sh: its start-up
# objects and libraries come first.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PENTIUM_RUNTIME)
if(PENTIUM_RUNTIME)
    foreach(kind EXE SHARED MODULE)
        set(CMAKE_${kind}_LINKER_FLAGS_INIT "-B${PENTIUM_RUNTIME}/lib/ -L${PENTIUM_RUNTIME}/lib")
    endforeach()
endif()
