# Runs qmllint over every QML file under app/, lib/, tests/ and scripts/ (globbed at test
# time, so files added later are covered too); fails when any file fails.
file(GLOB_RECURSE files ${ROOT}/app/*.qml ${ROOT}/lib/*.qml ${ROOT}/tests/*.qml ${ROOT}/scripts/*.qml)
if(NOT files)
  message(FATAL_ERROR "no QML files found under ${ROOT}")
endif()
execute_process(COMMAND ${QMLLINT} ${files} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "qmllint failed:\n${out}")
endif()
list(LENGTH files count)
message(STATUS "qmllint clean over ${count} files")
