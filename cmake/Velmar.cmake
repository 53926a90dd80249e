# Shared build settings of the project's targets.

set(VELMAR_WARNINGS -Wall -Wextra -Wno-unused-parameter)
# GCC's "undefined" leaves out float-cast-overflow: it is named here.
set(VELMAR_SAN_FLAGS -fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                     -fno-sanitize-recover=undefined,float-cast-overflow)

if(VELMAR_SANITIZE)
  add_compile_options(${VELMAR_SAN_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()
if(VELMAR_FUZZ)
  # Every library is instrumented for coverage; only the fuzz targets link the fuzzer main.
  # Undefined behaviour aborts, so that the fuzzer sees it as a crash.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings and include root for a target of ours.
function(velmar_target_options target)
  target_compile_options(${target} PRIVATE ${VELMAR_WARNINGS})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# velmar_library(<dir> SOURCES ... [DEPENDS lib ...])
# Builds the static library velmar_<dir>. Cyclic dependencies between subsystem
# libraries are allowed (static libraries; CMake repeats them at link time).
function(velmar_library dir)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(velmar_${dir} STATIC ${ARG_SOURCES})
  velmar_target_options(velmar_${dir})
  if(ARG_DEPENDS)
    target_link_libraries(velmar_${dir} PUBLIC ${ARG_DEPENDS})
  endif()
  # The subsystem libraries form one large cycle: a member pulled in late (the
  # shell's stop flag, say) may need others again, so the cycle is repeated.
  set_property(TARGET velmar_${dir} PROPERTY LINK_INTERFACE_MULTIPLICITY 4)
endfunction()

# The environment of every test, the same whether ctest runs in a build folder
# by hand or from tools/run-tests: message boxes answer themselves at once,
# sound goes to OpenAL Soft's null driver, and the sanitizers' settings.
# intercept_tls_get_addr=0: the leak check at exit otherwise now and then
# reads a garbage dynamic-TLS range of the GL driver's threads and crashes
# ("Tracer caught signal 11"), failing a clean run.
set(VELMAR_TEST_ENVIRONMENT
  "VELMAR_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
  "VELMAR_MSGBOX=auto"
  "ALSOFT_DRIVERS=null"
  "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:intercept_tls_get_addr=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tools/lsan.supp:print_suppressions=0")

# velmar_test(<name> SOURCES ... [LIBS ...] [LOCK name] [TIMEOUT s] [LABELS ...])
# A GoogleTest executable; each test case becomes one CTest test.
# LOCK serialises tests that share something (the keyboard focus).
function(velmar_test name)
  cmake_parse_arguments(ARG "" "LOCK;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/common/settings_keeper.cpp
                         ${CMAKE_SOURCE_DIR}/tests/common/own_folder.cpp)
  velmar_target_options(${name})
  target_link_libraries(${name} PRIVATE velmar_all GTest::gtest GTest::gtest_main GTest::gmock ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE
    VELMAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VELMAR_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(props "")
  if(ARG_LOCK)
    list(APPEND props RESOURCE_LOCK ${ARG_LOCK})
  endif()
  if(ARG_TIMEOUT)
    list(APPEND props TIMEOUT ${ARG_TIMEOUT})
  else()
    list(APPEND props TIMEOUT 300)
  endif()
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    PROPERTIES ${props})
  # The environment is given to the tests once ctest has read them (the list
  # <name>_TESTS of the discovery): a list value does not pass whole through
  # the discovery's PROPERTIES.
  set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(GENERATE OUTPUT ${env_file} CONTENT
    "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${VELMAR_TEST_ENVIRONMENT}]==])\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()

# velmar_count_gl_calls(<target>)
# Links the target with the GL call counter of tests/common/gl_count.h: every
# GL function of the counter's list is wrapped by the linker.
function(velmar_count_gl_calls target)
  set(list_file ${CMAKE_SOURCE_DIR}/tests/common/gl_count.h)
  file(READ ${list_file} text)
  string(REGEX MATCHALL "X\\(gl[A-Za-z0-9]+\\)" entries "${text}")
  set(options "")
  foreach(x IN LISTS entries)
    string(REGEX REPLACE "X\\((gl[A-Za-z0-9]+)\\)" "\\1" name "${x}")
    list(APPEND options "LINKER:--wrap=${name}")
  endforeach()
  target_link_options(${target} PRIVATE ${options})
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list_file})
endfunction()
