# Source registration. The settings code that both deliverables share is
# compiled twice: once in user mode for kesmui and once with
# KESM_KERNEL_MODE=1 for kesmgr.
#   kesm_sources(SHARED files...)  settings, job settings, storage, the non-UI
#                                  parts of device communication and features
#   kesm_sources(UI files...)      kesmui only
#   kesm_sources(RENDER files...)  kesmgr only
#   kesm_sources(KERNEL files...)  kesmgr only, compiled into the kernel-mode
#                                  build of the shared code (the kernel-mode
#                                  platform layer it calls by name)
function(kesm_sources kind)
  set_property(GLOBAL APPEND PROPERTY KESM_${kind}_SOURCES ${ARGN})
endfunction()

# Registers every .cpp file of the calling folder and its sub-folders under
# one kind.
function(kesm_folder_sources kind)
  file(GLOB_RECURSE src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  kesm_sources(${kind} ${src})
endfunction()

function(_kesm_sources_or_stub kind out)
  get_property(src GLOBAL PROPERTY KESM_${kind}_SOURCES)
  if(NOT src)
    # A library needs at least one translation unit until its folder has code.
    set(stub ${CMAKE_BINARY_DIR}/stub_${kind}.cpp)
    if(NOT EXISTS ${stub})
      file(WRITE ${stub} "// generated: no sources registered yet\n")
    endif()
    set(src ${stub})
  endif()
  set(${out} ${src} PARENT_SCOPE)
endfunction()

# The deliverables export exactly their entry points: everything is compiled
# hidden and the entry points are marked with KESM_EXPORT
# (platform/base/dllexport.h). A process that loads both libraries, as a
# print spooler does, must never bind one library's calls to the other's
# copy of the shared code (the two copies differ: user mode and kernel mode).
function(_kesm_hidden)
  set_target_properties(${ARGN} PROPERTIES
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# The names of an exports list (one a line, '#' starts a comment).
function(kesm_read_exports list out)
  file(STRINGS ${list} lines)
  set(names)
  foreach(line ${lines})
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line)
      list(APPEND names ${line})
    endif()
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# The standard library's template instances keep default visibility whatever
# the compile options say; a version script made from the exports list keeps
# them, and anything else, local.
function(_kesm_export_only target list)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  kesm_read_exports(${list} names)
  set(script "{\n")
  if(names)
    string(APPEND script "  global:\n")
    foreach(name ${names})
      string(APPEND script "    ${name};\n")
    endforeach()
  endif()
  string(APPEND script "  local: *;\n};\n")
  set(map ${CMAKE_BINARY_DIR}/${target}.map)
  file(CONFIGURE OUTPUT ${map} CONTENT "${script}")
  target_link_options(${target} PRIVATE -Wl,--version-script=${map})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map})
  set_property(TARGET ${target} PROPERTY KESM_EXPORTS_LIST ${list})
endfunction()

function(kesm_define_deliverables)
  _kesm_sources_or_stub(SHARED shared)
  _kesm_sources_or_stub(UI ui)
  _kesm_sources_or_stub(RENDER render)
  get_property(kernel GLOBAL PROPERTY KESM_KERNEL_SOURCES)

  add_library(kesmshared_um OBJECT ${shared})
  target_include_directories(kesmshared_um PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(kesmshared_um PUBLIC winplat)

  add_library(kesmshared_km OBJECT ${shared} ${kernel})
  target_include_directories(kesmshared_km PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_definitions(kesmshared_km PUBLIC KESM_KERNEL_MODE=1)
  target_link_libraries(kesmshared_km PUBLIC winplat)

  add_library(kesmui_obj OBJECT ${ui})
  target_link_libraries(kesmui_obj PUBLIC kesmshared_um)
  add_library(kesmui SHARED $<TARGET_OBJECTS:kesmui_obj> $<TARGET_OBJECTS:kesmshared_um>)
  target_link_libraries(kesmui PUBLIC winplat)

  add_library(kesmgr_obj OBJECT ${render})
  target_link_libraries(kesmgr_obj PUBLIC kesmshared_km)
  add_library(kesmgr SHARED $<TARGET_OBJECTS:kesmgr_obj> $<TARGET_OBJECTS:kesmshared_km>)
  target_link_libraries(kesmgr PUBLIC winplat)

  _kesm_hidden(kesmshared_um kesmshared_km kesmui_obj kesmui kesmgr_obj kesmgr)
  _kesm_export_only(kesmui ${PROJECT_SOURCE_DIR}/ui/exports.txt)
  _kesm_export_only(kesmgr ${PROJECT_SOURCE_DIR}/render/exports.txt)
endfunction()

# Resource tables. The resource compiler (tools/kesmrc) turns a resource
# script into C++ source defining the table; a module that carries it answers
# LoadStringW and FindResourceW when loaded, and EngFindResource when mapped
# as an image. The script's syntax is described in tools/kesmrc/script.h.
#   kesm_resource_module(target script [script...] [OVER script...])
#                                        a shared object holding only the
#                                        table (a resource DLL), <target>.so;
#                                        the OVER scripts replace the entries
#                                        of the same ids
#   kesm_add_resources(target script)    the table compiled into another
#                                        library (a driver's own resources);
#                                        one script per library
# kesm_add_resources may be called from any folder: the table is added at the
# end of the folder that defines the target (for the deliverables, which do
# not exist yet while the subsystem folders are read, the top level).
function(_kesm_resource_source target script out)
  # ARGV3: scripts read over the others.
  set(over_args)
  foreach(one ${ARGV3})
    list(APPEND over_args --over ${one})
  endforeach()
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  add_custom_command(OUTPUT ${gen}
    COMMAND kesmrc ${script} ${gen} ${over_args} --depfile ${gen}.d
    DEPENDS kesmrc ${script} ${ARGV3}
    DEPFILE ${gen}.d
    COMMENT "Compiling resource script ${script}"
    VERBATIM)
  set(${out} ${gen} PARENT_SCOPE)
endfunction()

function(kesm_resource_module target script)
  # Further scripts (ARGN) go into the same table, e.g. generated dialogs.
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "OVER")
  set(abs)
  foreach(one ${script} ${arg_UNPARSED_ARGUMENTS})
    cmake_path(ABSOLUTE_PATH one BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               OUTPUT_VARIABLE one_abs)
    list(APPEND abs ${one_abs})
  endforeach()
  set(over)
  foreach(one ${arg_OVER})
    cmake_path(ABSOLUTE_PATH one BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
               OUTPUT_VARIABLE one_abs)
    list(APPEND over ${one_abs})
  endforeach()
  _kesm_resource_source(${target} "${abs}" src "${over}")
  add_library(${target} MODULE ${src})
  set_target_properties(${target} PROPERTIES PREFIX "")
endfunction()

function(_kesm_add_resources_here target script)
  if(NOT TARGET ${target})
    message(FATAL_ERROR "kesm_add_resources: no target ${target}")
  endif()
  _kesm_resource_source(${target} ${script} src)
  target_sources(${target} PRIVATE ${src})
endfunction()

function(kesm_add_resources target script)
  cmake_path(ABSOLUTE_PATH script BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
             OUTPUT_VARIABLE abs)
  get_property(taken GLOBAL PROPERTY KESM_RESOURCES_OF_${target})
  if(taken)
    message(FATAL_ERROR "kesm_add_resources: ${target} already has the resources of ${taken}")
  endif()
  set_property(GLOBAL PROPERTY KESM_RESOURCES_OF_${target} ${abs})
  set(dir ${PROJECT_SOURCE_DIR})
  if(TARGET ${target})
    get_target_property(dir ${target} SOURCE_DIR)
  endif()
  if(dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
    _kesm_add_resources_here(${target} ${abs})
  else()
    # A deferred call reads its arguments when it runs: pass the values.
    cmake_language(EVAL CODE
      "cmake_language(DEFER DIRECTORY [[${dir}]] CALL _kesm_add_resources_here [[${target}]] [[${abs}]])")
  endif()
endfunction()
