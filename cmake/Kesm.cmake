# Source registration. The settings code that both deliverables share is
# compiled twice: once in user mode for kesmui and once with
# KESM_KERNEL_MODE=1 for kesmgr.
#   kesm_sources(SHARED files...)  settings, job settings, storage, the non-UI
#                                  parts of device communication and features
#   kesm_sources(UI files...)      kesmui only
#   kesm_sources(RENDER files...)  kesmgr only
function(kesm_sources kind)
  set_property(GLOBAL APPEND PROPERTY KESM_${kind}_SOURCES ${ARGN})
endfunction()

# Registers every .cpp file of the calling folder under one kind.
function(kesm_folder_sources kind)
  file(GLOB src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
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

function(kesm_define_deliverables)
  _kesm_sources_or_stub(SHARED shared)
  _kesm_sources_or_stub(UI ui)
  _kesm_sources_or_stub(RENDER render)

  add_library(kesmshared_um OBJECT ${shared})
  target_include_directories(kesmshared_um PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(kesmshared_um PUBLIC winplat)

  add_library(kesmshared_km OBJECT ${shared})
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
endfunction()
