# Fails when a plug-in library carries a fused multiply-add where it must round.
#
#   cmake -DOBJDUMP=... -DLIBRARY=... -DARCH=x86_64|arm|arm64 [-DFUSED_SUMS=ON]
#         [-DEXPECT_FUSED=ON] -P check_fused.cmake
#
# Only the Apple flavour of VectorF_3D fuses (FUSED_SUMS), and only its sums of products:
# Length, Normalize, Distance, Angle and the three tilt angles, with the helpers that compute
# them when they are not inlined. Every other function, and every function of the Linux flavour
# and of the planar and lines libraries, must round each product: it carries no fused
# instruction and makes no call to the C library's fma (which is how a fused multiply-add looks
# on an instruction set without one). EXPECT_FUSED (an instruction set with a native fused
# multiply-add) also requires the instruction to be there, so that the check cannot pass on a
# library whose fused sums went missing or became calls.
cmake_minimum_required(VERSION 3.25)

set(fused_arm64 "[ \t](fmadd|fmsub|fnmadd|fnmsub|fmla|fmls)[ \t.]")
set(fused_arm "[ \t]vfn?m[as][ \t.]")
set(fused_x86_64 "[ \t]vfn?m(add|sub|addsub|subadd)[0-9]*[ps][sd][ \t]")
set(fused ${fused_${ARCH}})
if(NOT fused)
  message(FATAL_ERROR "no fused instructions known for ${ARCH}")
endif()
set(fma_call "<_?fma(@plt)?(\\+0x[0-9a-f]+)?>")
set(allowed "VectorF_3D_(Length|Normalize|Distance|Angle|Pitch|Yew|Roll)\\(|"
            "(squares3|squares2|dot|length)\\(")
string(JOIN "" allowed ${allowed})

execute_process(COMMAND ${OBJDUMP} -d -C ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} ${LIBRARY}: ${errors}")
endif()
# Semicolons and square brackets have meanings in a CMake list; the lines need neither.
string(REGEX REPLACE "[][;]" " " listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")

set(function "")
set(fused_in "")
set(has_instruction OFF)
set(violations "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-f]+ <(.*)>:$")
    set(label "${CMAKE_MATCH_1}")
    # ARM mapping symbols ($x, $a, $d, $t) mark code and data inside a function.
    if(NOT label MATCHES "^\\$[adtx](\\.|$)")
      set(function "${label}")
    endif()
  elseif(line MATCHES "^ *[0-9a-f]+:" AND (line MATCHES "${fused}" OR line MATCHES "${fma_call}"))
    list(APPEND fused_in "${function}")
    if(line MATCHES "${fused}")
      set(has_instruction ON)
    endif()
    if(NOT FUSED_SUMS OR NOT function MATCHES "${allowed}")
      string(STRIP "${line}" instruction)
      list(APPEND violations "  ${function}: ${instruction}")
    endif()
  endif()
endforeach()

if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "${LIBRARY} fuses where it must round:\n${text}")
endif()
if(EXPECT_FUSED AND NOT has_instruction)
  message(FATAL_ERROR "${LIBRARY} carries no fused multiply-add instruction on ${ARCH}")
elseif(fused_in)
  list(REMOVE_DUPLICATES fused_in)
  list(JOIN fused_in "\n  " text)
  message(STATUS "${LIBRARY}: fused multiply-add only in\n  ${text}")
else()
  message(STATUS "${LIBRARY}: no fused multiply-add")
endif()
