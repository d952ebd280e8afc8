# Warnings for the project's own targets: everything on, and fatal.
function(kelvorad_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Installs program-private binaries (the workbook file library, helper programs) into
# <prefix>/lib/kelvorad, where the installed program looks for them (desktop/program_folders).
function(kelvorad_install_private)
  install(TARGETS ${ARGN}
    RUNTIME DESTINATION ${KELVORAD_INSTALL_PRIVATE_DIR}
    LIBRARY DESTINATION ${KELVORAD_INSTALL_PRIVATE_DIR})
endfunction()

# Adds each named subdirectory that holds a CMakeLists.txt.
macro(kelvorad_add_existing_subdirs)
  foreach(dir ${ARGN})
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
      add_subdirectory(${dir})
    endif()
  endforeach()
endmacro()

# Adds every direct subdirectory that holds a CMakeLists.txt, in name order.
macro(kelvorad_add_all_subdirs)
  file(GLOB _kelvorad_children RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt")
  list(SORT _kelvorad_children)
  foreach(_child ${_kelvorad_children})
    get_filename_component(_dir "${_child}" DIRECTORY)
    add_subdirectory(${_dir})
  endforeach()
endmacro()

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
