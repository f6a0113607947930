# The COM object, its toolkit and the Windows host of the control; included by
# component/CMakeLists.txt.
set(COMPONENT_OBJECT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/class_factory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chess_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/connection_point.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/embedding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/persistence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/type_library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/com/errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../control/win32/window_platform.cpp)
