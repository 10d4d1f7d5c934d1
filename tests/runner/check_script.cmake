# Runs `tessaline run SCRIPT` and compares what it prints with SCRIPT's .expected file (standard
# output) and, when there is one, its .error file (the error, which also means exit status 1).
#   cmake -DTESSALINE=... -DSCRIPT=path/name.xojo_script -P check_script.cmake
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
execute_process(COMMAND ${TESSALINE} run ${SCRIPT}
    OUTPUT_VARIABLE output ERROR_VARIABLE error RESULT_VARIABLE status)

file(READ ${dir}/${name}.expected expected_output)
set(expected_error "")
set(expected_status 0)
if(EXISTS ${dir}/${name}.error)
  file(READ ${dir}/${name}.error expected_error)
  string(REPLACE "SCRIPT" "${SCRIPT}" expected_error "${expected_error}")
  set(expected_status 1)
endif()

set(failed FALSE)
foreach(stream output error)
  if(NOT "${${stream}}" STREQUAL "${expected_${stream}}")
    file(WRITE ${name}.${stream}.actual "${${stream}}")
    file(WRITE ${name}.${stream}.wanted "${expected_${stream}}")
    execute_process(COMMAND diff -u ${name}.${stream}.wanted ${name}.${stream}.actual)
    set(failed TRUE)
  endif()
endforeach()
if(NOT status EQUAL expected_status)
  message(SEND_ERROR "exit status ${status}, expected ${expected_status}")
endif()
if(failed)
  message(SEND_ERROR "${SCRIPT}: the output differs from ${name}.expected or ${name}.error")
endif()
