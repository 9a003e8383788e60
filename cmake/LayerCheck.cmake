# Fails the build of a library when one of its files includes a header of a
# layer above it (or Qt, for the Qt-free libraries). The check runs before
# the library is compiled and again whenever one of its files changes.
function(orlan_check_layer target forbidden)
  get_target_property(sources ${target} SOURCES)
  set(files "")
  set(dirs "")
  foreach(source ${sources})
    get_filename_component(dir ${source} DIRECTORY)
    list(APPEND dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(dir ${dirs})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-check)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DFILES=${files}" "-DFORBIDDEN=${forbidden}" "-DSTAMP=${stamp}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking the includes of ${target}"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
endfunction()
