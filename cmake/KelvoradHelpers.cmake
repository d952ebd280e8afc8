# Warnings for the project's own targets: always on; fatal with KELVORAD_WERROR (CI turns it
# on, so that a packager's build with a newer compiler does not stop on a new warning).
function(kelvorad_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(KELVORAD_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # g++ 12 at -O3 reports overlapping copies inside std::string's own inlined code for plain
    # concatenations (GCC bugs 105329 and 105651, fixed in g++ 13); the warning stays visible
    # but does not stop the build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
endfunction()

# A static library whose code also goes into the workbook file library (a shared module):
# position-independent, and with hidden symbols so that the module exports only its entry
# points.
function(kelvorad_shared_code target)
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# Installs program-private binaries (the workbook file library, helper programs) into
# <prefix>/lib/kelvorad, where the installed program looks for them (desktop/program_folders).
function(kelvorad_install_private)
  install(TARGETS ${ARGN}
    RUNTIME DESTINATION ${KELVORAD_INSTALL_PRIVATE_DIR}
    LIBRARY DESTINATION ${KELVORAD_INSTALL_PRIVATE_DIR})
endfunction()

# A GoogleTest executable registered with CTest; GUI tests run on the offscreen platform.
function(kelvorad_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  kelvorad_warnings(${name})
  target_compile_definitions(${name} PRIVATE
    KELVORAD_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
    KELVORAD_SHARE_DIR="${CMAKE_SOURCE_DIR}/share")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Writes every link between two of the project's targets to `file`, one
# "<folder>|<target>|<linked folder>|<linked target>" line each (folders relative to the
# source tree), for the layer check (cmake/check_layers.cmake).
function(kelvorad_write_target_links file)
  set(lines "")
  set(pending "${CMAKE_SOURCE_DIR}")
  while(pending)
    list(POP_FRONT pending dir)
    get_property(children DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
    list(APPEND pending ${children})
    get_property(targets DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(links ${target} LINK_LIBRARIES)
      get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
      foreach(linked IN LISTS links interface_links)
        if(TARGET "${linked}")
          get_target_property(imported ${linked} IMPORTED)
          if(NOT imported)
            get_target_property(linked_dir ${linked} SOURCE_DIR)
            file(RELATIVE_PATH from "${CMAKE_SOURCE_DIR}" "${dir}")
            file(RELATIVE_PATH to "${CMAKE_SOURCE_DIR}" "${linked_dir}")
            list(APPEND lines "${from}|${target}|${to}|${linked}")
          endif()
        endif()
      endforeach()
    endforeach()
  endwhile()
  list(REMOVE_DUPLICATES lines)
  list(JOIN lines "\n" text)
  file(WRITE "${file}" "${text}\n")
endfunction()
