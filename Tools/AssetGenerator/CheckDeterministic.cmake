# Runs GENERATOR into WORK/a and WORK/b and requires identical files; with COMMITTED set it
# also requires every generated file to equal its counterpart there.
file(REMOVE_RECURSE ${WORK})
foreach(run a b)
  execute_process(COMMAND ${GENERATOR} ${WORK}/${run} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "generator failed: ${status}")
  endif()
endforeach()

file(GLOB_RECURSE made RELATIVE ${WORK}/a ${WORK}/a/*)
file(GLOB_RECURSE again RELATIVE ${WORK}/b ${WORK}/b/*)
list(LENGTH made count)
if(count LESS 30 OR NOT made STREQUAL again)
  message(FATAL_ERROR "the two runs wrote different file sets (${count} files)")
endif()

foreach(name ${made})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/a/${name} ${WORK}/b/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs between two runs")
  endif()
  if(DEFINED COMMITTED)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/a/${name} ${COMMITTED}/${name}
                    RESULT_VARIABLE stale)
    if(stale)
      message(FATAL_ERROR "${COMMITTED}/${name} is not what the generator makes; regenerate it")
    endif()
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
