# qelo_add_test(NAME <name> SOURCES <files...> LABEL <subsystem>
#               [GUI] [LIBS <libs...>] [TIMEOUT <s>] [ENV <k=v>...])
# qelo_add_test(NAME <name> RUN_OF <test target> [ARGS <args...>] LABEL ...)
#   runs another test's program again (with other arguments or environment).
# GUI tests run under a private Xvfb server (real OpenGL through Mesa);
# all others run with the offscreen platform.
function(qelo_add_test)
  cmake_parse_arguments(T "GUI" "NAME;LABEL;TIMEOUT;RUN_OF" "SOURCES;LIBS;ENV;ARGS" ${ARGN})
  if(T_RUN_OF)
    set(target ${T_RUN_OF})
  else()
    set(target ${T_NAME})
    add_executable(${T_NAME} ${T_SOURCES} ${QELO_RESOURCES})
    target_link_libraries(${T_NAME} PRIVATE qelolib Qt5::Test ${T_LIBS})
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  endif()
  if(T_GUI)
    add_test(NAME ${T_NAME}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/xvfb-wrap $<TARGET_FILE:${target}> ${T_ARGS})
    set(env "QT_QPA_PLATFORM=xcb")
  else()
    add_test(NAME ${T_NAME} COMMAND ${target} ${T_ARGS})
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS ${T_LABEL}
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${env};QELO_BUILD_DIR=${CMAKE_BINARY_DIR};QELO_SOURCE_DIR=${CMAKE_SOURCE_DIR};${T_ENV}")
endfunction()
