# Compares the dynamic symbols a library defines with its exports list.
# cmake -DLIB=<library file> -DLIST=<exports list> -DNM=<nm> -P CheckExports.cmake
include(${CMAKE_CURRENT_LIST_DIR}/Kesm.cmake)
kesm_read_exports(${LIST} expected)
execute_process(COMMAND ${NM} -D --defined-only --format=just-symbols ${LIB}
                OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIB}: ${err}")
endif()
string(REPLACE "\n" ";" found "${out}")
list(FILTER found EXCLUDE REGEX "^$")
# What the linker itself may define in any shared object.
list(FILTER found EXCLUDE REGEX "^(_init|_fini|_edata|_end|__bss_start)$")
list(SORT found)
list(SORT expected)
set(extra ${found})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${found})
if(extra OR missing)
  list(LENGTH extra n_extra)
  list(SUBLIST extra 0 20 shown)
  message(FATAL_ERROR "${LIB}: exports differ from ${LIST}\n"
          "  missing: ${missing}\n  not in the list (${n_extra}): ${shown}")
endif()
list(LENGTH found n)
message(STATUS "${LIB}: exactly the ${n} listed entry points")
