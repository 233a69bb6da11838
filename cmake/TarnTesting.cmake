# tarn_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LABELS unit|e2e|gui] [TIMEOUT <s>])
#
# Builds a QTest executable into bin/ and registers it with CTest. Each test gets
# its own empty XDG_CONFIG_HOME so the real settings store never touches the
# user's, and the offscreen platform so nothing needs a display.
function(tarn_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_LABELS)
    set(T_LABELS unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(xdg ${CMAKE_BINARY_DIR}/test-home/${name})
  file(MAKE_DIRECTORY ${xdg})
  set_tests_properties(${name} PROPERTIES
    LABELS "${T_LABELS}"
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${xdg};XDG_DATA_HOME=${xdg}/data;TARN_BUILD_BIN=${CMAKE_BINARY_DIR}/bin")
endfunction()

# tarn_add_qml_test(<tst_x.qml> [TIMEOUT <s>]): one ctest per QML test file, run
# by the shared QML test runner (the program's engine set-up, a gateway
# simulator on its own pty, failing on any QML warning).
function(tarn_add_qml_test file)
  cmake_parse_arguments(T "" "TIMEOUT" "" ${ARGN})
  get_filename_component(name ${file} NAME_WE)
  get_filename_component(path ${file} ABSOLUTE)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 180)
  endif()
  add_test(NAME qml_${name} COMMAND tarn-qmltestrunner -input ${path})
  set(xdg ${CMAKE_BINARY_DIR}/test-home/qml_${name})
  file(MAKE_DIRECTORY ${xdg})
  set_tests_properties(qml_${name} PROPERTIES
    LABELS e2e
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${xdg};XDG_DATA_HOME=${xdg}/data;TARN_BUILD_BIN=${CMAKE_BINARY_DIR}/bin")
endfunction()
