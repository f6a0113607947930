# The COM object and its toolkit; included by component/CMakeLists.txt.
set(COMPONENT_OBJECT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/module.cpp)
