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
# Every test runs with the offscreen Qt platform and its own settings file, so no test
# touches the user's settings or needs a display. QT tests get a main() that holds one
# QApplication for the whole program.
function(orlek_test name)
    cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PRIVATE qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ORLEK_SETTINGS=${CMAKE_CURRENT_BINARY_DIR}/${name}.settings.ini;ORLEK_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}"
            TIMEOUT 300)
endfunction()
