# Helpers that keep the per-folder CMakeLists short and the layering checked by the build:
# a core library links nothing of Qt, so a Qt include in core code fails to compile.

# orlek_core_library(<name> <sources...> [LIBS <targets...>])
function(orlek_core_library name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    if(ARG_LIBS)
        target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    endif()
endfunction()

# orlek_qt_library(<name> <sources...> [LIBS <targets...>])
function(orlek_qt_library name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# orlek_test(<name> <sources...> LIBS <targets...> [QT])
# Every test program's main() gives it a settings file of its own, so no test touches the user's
# settings; QT tests get a main() that also holds one QApplication on the offscreen platform.
# ORLEK_TEST_DATA_DIR names the folder of the test's sources, where its fixtures lie.
function(orlek_test name)
    cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PRIVATE qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE test_main)
    endif()
    target_compile_definitions(${name} PRIVATE ORLEK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
    # A failure in a suite's set-up makes GoogleTest print its tests as skipped, which CTest would
    # count as skipped by default; none of our tests skips itself, so that output means failure.
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES TIMEOUT 300 SKIP_REGULAR_EXPRESSION "^never skipped$")
endfunction()
