# Writes the release layout: DIST_DIR/<deliverable>/<platform>/<file>, and DIST_DIR/SHA256SUMS
# with the SHA-256 of every file in it, in the format `sha256sum -c` reads.
#
#   cmake -DITEMS_FILE=<build>/release_items.cmake -DDIST_DIR=<dir> -P MakeRelease.cmake
cmake_minimum_required(VERSION 3.25)
include(${ITEMS_FILE}) # RELEASE_ITEMS: "deliverable|platform|built path|shipped path" each

if(NOT DIST_DIR OR NOT IS_ABSOLUTE "${DIST_DIR}" OR EXISTS "${DIST_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "refusing to write a release into '${DIST_DIR}'")
endif()
file(REMOVE_RECURSE ${DIST_DIR})

foreach(item IN LISTS RELEASE_ITEMS)
  string(REPLACE "|" ";" fields "${item}")
  list(GET fields 2 built)
  list(GET fields 3 shipped)
  get_filename_component(directory ${shipped} DIRECTORY)
  file(MAKE_DIRECTORY ${directory})
  # A bundle is a directory; copy it whole, symbolic links included.
  file(COPY ${built} DESTINATION ${directory})
endforeach()

file(GLOB_RECURSE files RELATIVE ${DIST_DIR} LIST_DIRECTORIES false ${DIST_DIR}/*)
list(SORT files)
set(sums "")
foreach(file IN LISTS files)
  file(SHA256 ${DIST_DIR}/${file} sum)
  string(APPEND sums "${sum}  ${file}\n")
endforeach()
file(WRITE ${DIST_DIR}/SHA256SUMS "${sums}")
list(LENGTH files count)
message(STATUS "${count} files and SHA256SUMS in ${DIST_DIR}")
