# macOS arm64: Tessaline3Mac as a loadable bundle.
include(${CMAKE_CURRENT_LIST_DIR}/apple-platforms.cmake)
set(TESSALINE_APPLE_PLATFORM macos)
set(TESSALINE_APPLE_MINIMUM ${TESSALINE_MINIMUM_macos})
include(${CMAKE_CURRENT_LIST_DIR}/apple-arm64.cmake)
