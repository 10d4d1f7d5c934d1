# Shared part of the Apple toolchain files (arm64-apple-ios.cmake, arm64-apple-macos.cmake), which
# set TESSALINE_APPLE_PLATFORM (ios or macos) and TESSALINE_APPLE_MINIMUM before including it.
#
# On a Mac, Xcode's compiler and the platform's SDK build the deliverables like any Apple
# library, with the standard headers. Anywhere else there is no SDK: clang 14 compiles for the
# Apple target with no system header at all (product code reaches the C library only through
# bridge/platform.h, which then declares the few functions it uses), and ld64.lld links against
# cmake/libSystem.tbd, a text stub that lists exactly the libSystem symbols the libraries may
# import.
set(CMAKE_SYSTEM_PROCESSOR arm64)

if(CMAKE_HOST_SYSTEM_NAME STREQUAL "Darwin")
  if(TESSALINE_APPLE_PLATFORM STREQUAL "ios")
    set(CMAKE_SYSTEM_NAME iOS)
  else()
    set(CMAKE_SYSTEM_NAME Darwin)
  endif()
  set(CMAKE_OSX_ARCHITECTURES arm64)
  set(CMAKE_OSX_DEPLOYMENT_TARGET ${TESSALINE_APPLE_MINIMUM})
  set(TESSALINE_FREESTANDING OFF)
  return()
endif()

# Without an SDK the target triple alone names the platform and its minimum version; CMake's
# SDK look-up (CMAKE_OSX_SYSROOT, -arch, -m*-version-min) stays empty.
set(CMAKE_SYSTEM_NAME Darwin)
set(triple arm64-apple-${TESSALINE_APPLE_PLATFORM}${TESSALINE_APPLE_MINIMUM})
find_program(TESSALINE_CLANG NAMES clang-14 clang REQUIRED)
find_program(TESSALINE_CLANGXX NAMES clang++-14 clang++ REQUIRED)
find_program(TESSALINE_LD64 NAMES ld64.lld-14 ld64.lld REQUIRED)
set(CMAKE_C_COMPILER ${TESSALINE_CLANG})
set(CMAKE_CXX_COMPILER ${TESSALINE_CLANGXX})
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
# Nothing can be linked into an executable without the SDK: compiler checks build archives.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# -mlinker-version tells clang that the linker takes -platform_version, as ld64 does since 520.
set(link_flags "--ld-path=${TESSALINE_LD64} -mlinker-version=705")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${link_flags}")
set(TESSALINE_FREESTANDING ON)
set(TESSALINE_LIBSYSTEM_STUB ${CMAKE_CURRENT_LIST_DIR}/libSystem.tbd)
