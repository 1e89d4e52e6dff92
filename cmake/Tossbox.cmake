# Each layer is a set of areas; each area is one folder with its own
# CMakeLists.txt and becomes one static library <layer>_<area>.
include(GoogleTest)

function(tossbox_add_areas)
  file(GLOB children LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/*")
  foreach(child IN LISTS children)
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      add_subdirectory("${child}")
    endif()
  endforeach()
endfunction()

# The names of the core areas, so that `core` can stand for all of them.
function(tossbox_core_areas out)
  file(GLOB children LIST_DIRECTORIES true "${PROJECT_SOURCE_DIR}/src/core/*")
  set(names "")
  foreach(child IN LISTS children)
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      get_filename_component(name "${child}" NAME)
      list(APPEND names "core_${name}")
    endif()
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

# tossbox_library(NAME name [QT] [RECURSE] DEPS ...): every .cpp, .h and .ui of the folder
# (and of its subfolders with RECURSE).
function(tossbox_library)
  cmake_parse_arguments(ARG "QT;RECURSE" "NAME" "DEPS" ${ARGN})
  set(mode GLOB)
  if(ARG_RECURSE)
    set(mode GLOB_RECURSE)
  endif()
  file(${mode} sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
       "${CMAKE_CURRENT_SOURCE_DIR}/*.h" "${CMAKE_CURRENT_SOURCE_DIR}/*.ui")
  add_library(${ARG_NAME} STATIC ${sources})
  target_include_directories(${ARG_NAME} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  if(ARG_QT)
    set_target_properties(${ARG_NAME} PROPERTIES AUTOMOC ON AUTOUIC ON)
  endif()
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPS})
endfunction()

# tossbox_test(NAME name [QT] LIBS ...): one GoogleTest executable of the folder's .cpp files.
function(tossbox_test)
  cmake_parse_arguments(ARG "QT" "NAME" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(${ARG_NAME} ${sources})
  target_compile_definitions(${ARG_NAME} PRIVATE
    TOSSBOX_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}/tests")
  if(ARG_QT)
    set_target_properties(${ARG_NAME} PROPERTIES AUTOMOC ON)
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} test_support_qt GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} test_support GTest::gtest_main GTest::gmock)
  endif()
  # The layer (core, platform, forms) as the label, so a run can pick layers: ctest -L core.
  string(REGEX REPLACE "^test_([a-z]+).*" "\\1" layer "${ARG_NAME}")
  gtest_discover_tests(${ARG_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    # One value per property: a list here would be split into property names and values.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "QT_LOGGING_RULES=set:qt.qpa.*=false"
               LABELS "${layer}")
endfunction()
