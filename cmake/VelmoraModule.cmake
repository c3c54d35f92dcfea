# velmora_module(<target> [LIBS <libs...>])
# Builds every .cpp and .h of the calling folder into a static library named
# <target>; a folder with no sources yet becomes an interface library so that
# others can already link to it.
function(velmora_module target)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(has_cpp FALSE)
  foreach(s IN LISTS sources)
    if(s MATCHES "\\.cpp$")
      set(has_cpp TRUE)
    endif()
  endforeach()
  if(has_cpp)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    velmora_precompile_common(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# velmora_tests(LIBS <libs...>)
# Every test_*.cpp of the calling folder becomes one test executable and one
# ctest entry, run with the offscreen platform and the test data folder known.
function(velmora_tests)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  foreach(file IN LISTS tests)
    get_filename_component(name ${file} NAME_WE)
    add_executable(${name} ${file})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} velmora_test_support Qt6::Test)
    velmora_precompile_test(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VELMORA_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;VELMORA_SOURCE_DIR=${PROJECT_SOURCE_DIR};VELMORA_BUILD_DIR=${PROJECT_BINARY_DIR}"
      TIMEOUT 600)
  endforeach()
endfunction()
