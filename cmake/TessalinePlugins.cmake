# Plug-in deliverables: the bridge plus a class library, compiled in one build profile.
#
#   ios    Tessaline1, Tessaline2, Tessaline3
#   macos  Tessaline3Mac
#   linux  Tessaline3Linux
#
# Formats: on an ELF target (this machine, Linux ARM) every deliverable is a shared object named
# <deliverable>.so, whatever its profile, so that all of them can be tested. On an Apple target
# (cmake/arm64-apple-*.cmake) only the deliverables of that platform are built, in their real
# formats: <deliverable>.dylib for iOS, <deliverable>.bundle for macOS.

set(TESSALINE_BRIDGE_SOURCES
    ${PROJECT_SOURCE_DIR}/bridge/core.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/core.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/objects.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/strings.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/properties.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/arrays.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/graphics.cpp
    ${PROJECT_SOURCE_DIR}/bridge/wrappers/system.cpp
    ${PROJECT_SOURCE_DIR}/bridge/class_support.cpp)

# Flags of all product code: no exceptions or RTTI (the host calls plain C functions), nothing
# exported but what carries TL_EXPORT.
set(TESSALINE_PRODUCT_OPTIONS
    -fno-exceptions -fno-rtti -fvisibility=hidden -fvisibility-inlines-hidden -Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Separate loads of a library must not share state through unique symbols.
  list(APPEND TESSALINE_PRODUCT_OPTIONS -fno-gnu-unique)
endif()
if(TESSALINE_FREESTANDING)
  # No SDK: only the compiler's own headers (stddef.h, stdint.h) exist.
  list(APPEND TESSALINE_PRODUCT_OPTIONS -ffreestanding -nostdlibinc -nostdinc++)
endif()

function(tessaline_wants deliverable out)
  if(deliverable IN_LIST TESSALINE_DELIVERABLES)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# Whether this target can carry a deliverable of `profile`: an ELF target carries every profile,
# an Apple target its own platform's.
function(tessaline_target_carries profile out)
  if(NOT APPLE OR profile STREQUAL TESSALINE_APPLE_PLATFORM)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

if(APPLE AND NOT TESSALINE_APPLE_PLATFORM)
  message(FATAL_ERROR "Apple targets are built with cmake/arm64-apple-ios.cmake or "
                      "cmake/arm64-apple-macos.cmake (presets ios and macos)")
endif()

# tessaline_plugin(NAME PROFILE SOURCES...)
function(tessaline_plugin name profile)
  tessaline_wants(${name} wanted)
  tessaline_target_carries(${profile} carried)
  if(NOT wanted OR NOT carried)
    return()
  endif()
  string(TOUPPER ${profile} upper)
  if(APPLE AND profile STREQUAL "macos")
    add_library(${name} MODULE ${ARGN} ${TESSALINE_BRIDGE_SOURCES})
  else()
    add_library(${name} SHARED ${ARGN} ${TESSALINE_BRIDGE_SOURCES})
  endif()
  target_compile_definitions(${name} PRIVATE TESSALINE_PROFILE_${upper})
  target_compile_options(${name} PRIVATE ${TESSALINE_PRODUCT_OPTIONS})
  set_target_properties(${name} PROPERTIES
      LIBRARY_OUTPUT_DIRECTORY ${TESSALINE_PLUGIN_DIR}
      TESSALINE_PROFILE ${profile})
  if(APPLE)
    tessaline_apple_format(${name} ${profile})
  else()
    # Calls inside the library bind to the library itself, whatever else the host has loaded.
    target_link_options(${name} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined)
    target_link_libraries(${name} PRIVATE m)
    set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".so")
  endif()
  set_property(GLOBAL APPEND PROPERTY TESSALINE_BUILT ${name})
endfunction()

# Mach-O: an iOS dynamic library found through the app's run paths, or a macOS loadable bundle.
# Either links libSystem alone (never libc++: the product uses no C++ library code).
function(tessaline_apple_format name profile)
  if(profile STREQUAL "macos")
    set_target_properties(${name} PROPERTIES
        BUNDLE TRUE
        BUNDLE_EXTENSION bundle
        MACOSX_BUNDLE_INFO_PLIST ${PROJECT_SOURCE_DIR}/cmake/PluginBundleInfo.plist.in
        MACOSX_BUNDLE_BUNDLE_NAME ${name}
        MACOSX_BUNDLE_GUI_IDENTIFIER org.tessaline.${name})
  else()
    set_target_properties(${name} PROPERTIES
        PREFIX "" SUFFIX ".dylib"
        INSTALL_NAME_DIR "@rpath"
        BUILD_WITH_INSTALL_NAME_DIR TRUE)
  endif()
  if(TESSALINE_FREESTANDING)
    target_compile_definitions(${name} PRIVATE TESSALINE_FREESTANDING)
    target_link_options(${name} PRIVATE -nostdlib)
    target_link_libraries(${name} PRIVATE ${TESSALINE_LIBSYSTEM_STUB})
  else()
    target_link_options(${name} PRIVATE -nostdlib++)
  endif()
endfunction()
