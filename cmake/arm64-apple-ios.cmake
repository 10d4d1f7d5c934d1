# iOS arm64: Tessaline1, Tessaline2 and Tessaline3 as dynamic libraries.
include(${CMAKE_CURRENT_LIST_DIR}/apple-platforms.cmake)
set(TESSALINE_APPLE_PLATFORM ios)
set(TESSALINE_APPLE_MINIMUM ${TESSALINE_MINIMUM_ios})
include(${CMAKE_CURRENT_LIST_DIR}/apple-arm64.cmake)
