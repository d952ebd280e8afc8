# Run at every build (cmake -P): writes the source revision the program is built from into
# OUTPUT, a one-function C++ file, and touches the file only when the revision changed, so a
# new commit recompiles that one file and relinks, nothing more.
#   -DSOURCE_DIR=<source tree> -DOUTPUT=<file.cpp>
set(revision "")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" rev-parse --short=7 HEAD
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
  if(NOT failed AND commit)
    set(revision "git ${commit}")
    # Tracked files that differ from the commit make the build something no commit holds.
    execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${SOURCE_DIR}" status --porcelain
      --untracked-files=no OUTPUT_VARIABLE changes ERROR_QUIET)
    if(changes)
      string(APPEND revision "-dirty")
    endif()
  endif()
endif()
set(text "// Written by cmake/WriteBuildRevision.cmake at build time.
#include <string_view>

namespace kelvorad {
std::string_view buildRevision() {
    return \"${revision}\";
}
}  // namespace kelvorad
")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
