# quill_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
#
# Builds one Qt Test executable and registers it with CTest. Every test runs
# through cmake/sandboxed-test.sh: the offscreen platform, a pinned locale and
# time zone, and a HOME and XDG folders of its own inside the build tree, so no
# test can reach the user's real settings, autostart folder or home folder.
function(quill_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} quill_fakes Qt6::Widgets Qt6::Test)
  add_test(NAME ${T_NAME}
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/sandboxed-test.sh
            ${CMAKE_BINARY_DIR}/test-sandbox/${T_NAME} $<TARGET_FILE:${T_NAME}>)
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300)
endfunction()
