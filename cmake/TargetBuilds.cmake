# Builds of the deliverables for their real targets, made from a build for this machine
# (TESSALINE_TARGET_BUILDS): each target is a build of its own with its toolchain file, under
# <build>/targets/<platform>. tests/targets checks what they make against this build's ELF
# libraries. With TESSALINE_DIST_DIR the release layout is written there as well.
include(ExternalProject)

# The deliverables as they ship: deliverable, platform directory, file in the target's build.
set(TESSALINE_RELEASE
    Tessaline1      ios-arm64   Tessaline1.dylib
    Tessaline2      ios-arm64   Tessaline2.dylib
    Tessaline3      ios-arm64   Tessaline3.dylib
    Tessaline3Mac   macos-arm64 Tessaline3Mac.bundle
    Tessaline3Linux linux-armhf Tessaline3Linux.so)

# The toolchain of each platform.
set(TESSALINE_TOOLCHAIN_ios-arm64 arm64-apple-ios)
set(TESSALINE_TOOLCHAIN_macos-arm64 arm64-apple-macos)
set(TESSALINE_TOOLCHAIN_linux-armhf arm-linux-gnueabihf)

get_property(native_built GLOBAL PROPERTY TESSALINE_BUILT)
set(platforms ios-arm64 macos-arm64)
if(TESSALINE_DIST_DIR)
  list(APPEND platforms linux-armhf)
endif()

# Items of the release that this build makes (the deliverables whose sources exist), each as
# "deliverable|platform|path in the target build|path as shipped".
set(TESSALINE_SHIPPED)
list(LENGTH TESSALINE_RELEASE columns)
math(EXPR last "${columns} - 1")
foreach(i RANGE 0 ${last} 3)
  math(EXPR j "${i} + 1")
  math(EXPR k "${i} + 2")
  list(GET TESSALINE_RELEASE ${i} deliverable)
  list(GET TESSALINE_RELEASE ${j} platform)
  list(GET TESSALINE_RELEASE ${k} file)
  if(NOT deliverable IN_LIST native_built OR NOT platform IN_LIST platforms)
    continue()
  endif()
  list(APPEND deliverables_${platform} ${deliverable})
  set(built ${CMAKE_BINARY_DIR}/targets/${platform}/plugins/${file})
  set(shipped ${built})
  if(TESSALINE_DIST_DIR)
    set(shipped ${TESSALINE_DIST_DIR}/${deliverable}/${platform}/${file})
  endif()
  list(APPEND TESSALINE_SHIPPED "${deliverable}|${platform}|${built}|${shipped}")
endforeach()

set(target_builds)
foreach(platform IN LISTS platforms)
  if(NOT deliverables_${platform})
    continue()
  endif()
  list(JOIN deliverables_${platform} "|" wanted)
  ExternalProject_Add(target-${platform}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      BINARY_DIR ${CMAKE_BINARY_DIR}/targets/${platform}
      PREFIX ${CMAKE_BINARY_DIR}/targets/.${platform}
      LIST_SEPARATOR |
      CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${TESSALINE_TOOLCHAIN_${platform}}.cmake
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DTESSALINE_HOST=OFF
        -DTESSALINE_DELIVERABLES=${wanted}
      BUILD_ALWAYS TRUE
      INSTALL_COMMAND "")
  list(APPEND target_builds target-${platform})
endforeach()

if(TESSALINE_DIST_DIR)
  set(items_file ${CMAKE_BINARY_DIR}/release_items.cmake)
  file(WRITE ${items_file} "set(RELEASE_ITEMS \"${TESSALINE_SHIPPED}\")\n")
  add_custom_target(release ALL
      COMMAND ${CMAKE_COMMAND} -DITEMS_FILE=${items_file} -DDIST_DIR=${TESSALINE_DIST_DIR}
              -P ${PROJECT_SOURCE_DIR}/cmake/MakeRelease.cmake
      DEPENDS ${target_builds}
      COMMENT "Release layout in ${TESSALINE_DIST_DIR}")
endif()
