# Plug-in deliverables: the bridge plus a class library, compiled in one build profile.
#
#   ios    Tessaline1, Tessaline2, Tessaline3
#   macos  Tessaline3Mac
#   linux  Tessaline3Linux

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

function(tessaline_wants deliverable out)
  if(deliverable IN_LIST TESSALINE_DELIVERABLES)
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# tessaline_plugin(NAME PROFILE SOURCES...)
function(tessaline_plugin name profile)
  tessaline_wants(${name} wanted)
  if(NOT wanted)
    return()
  endif()
  string(TOUPPER ${profile} upper)
  add_library(${name} SHARED ${ARGN} ${TESSALINE_BRIDGE_SOURCES})
  target_compile_definitions(${name} PRIVATE TESSALINE_PROFILE_${upper})
  target_compile_options(${name} PRIVATE ${TESSALINE_PRODUCT_OPTIONS})
  # Calls inside the library bind to the library itself, whatever else the host has loaded.
  target_link_options(${name} PRIVATE -Wl,-Bsymbolic -Wl,--no-undefined)
  target_link_libraries(${name} PRIVATE m)
  set_target_properties(${name} PROPERTIES
      PREFIX "" SUFFIX ".so"
      LIBRARY_OUTPUT_DIRECTORY ${TESSALINE_PLUGIN_DIR})
  set_property(GLOBAL APPEND PROPERTY TESSALINE_BUILT ${name})
endfunction()
