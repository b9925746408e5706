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

# orlek_program(<name> SUMMARY <text> SEE_ALSO <program> FOLDERS <folders...>)
# A program's shipped folder, data/<name>: seeded next to the executable so the build tree is a
# working program folder (only missing files are added, so a user's edits survive the next
# build), and installed under share/<name> with the folders it needs even when empty, beside
# the program, its desktop entry, icon and AppStream metainfo (<name>.desktop, <name>.svg and
# <name>.metainfo.xml.in of the caller's folder) and its manual page, written from the built
# program's own help (SUMMARY is the page's one-line description). An installed program gives
# each user a writable copy of that folder on first start.
function(orlek_program name)
    cmake_parse_arguments(ARG "" "SUMMARY;SEE_ALSO" "FOLDERS" ${ARGN})
    add_custom_target(${name}_data ALL
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/data/${name} -DDEST=$<TARGET_FILE_DIR:${name}>
                "-DFOLDERS=${ARG_FOLDERS}" -P ${PROJECT_SOURCE_DIR}/cmake/SeedFolder.cmake
        COMMENT "Seeding the ${name} program folder"
        VERBATIM)
    add_dependencies(${name} ${name}_data)

    include(GNUInstallDirs)
    install(TARGETS ${name} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/${name}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/${name})
    foreach(folder IN LISTS ARG_FOLDERS)
        install(DIRECTORY DESTINATION "${CMAKE_INSTALL_DATADIR}/${name}/${folder}")
    endforeach()
    install(FILES ${name}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${name}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    configure_file(${name}.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/example.orlek.${name}.metainfo.xml @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/example.orlek.${name}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.1.gz)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${name}> -DNAME=${name} "-DSUMMARY=${ARG_SUMMARY}"
                -DVERSION=${PROJECT_VERSION} -DSEE_ALSO=${ARG_SEE_ALSO} -DOUTPUT=${page}
                -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        DEPENDS ${name} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        COMMENT "Writing the ${name} manual page"
        VERBATIM)
    add_custom_target(${name}_manpage ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# orlek_program_tests(<name>)
# A program's black-box tests, from the caller's folder: cli_test.cpp runs the built program
# (its path is <NAME>_BINARY) as a user would, install_test.sh installs the build into a
# temporary prefix and runs the installed program.
function(orlek_program_tests name)
    string(TOUPPER ${name} upper)
    orlek_test(${name}_cli_tests cli_test.cpp LIBS platform net_testsupport Qt6::Core)
    target_compile_definitions(${name}_cli_tests PRIVATE ${upper}_BINARY="$<TARGET_FILE:${name}>")
    add_dependencies(${name}_cli_tests ${name})
    add_test(NAME ${name}_install COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install_test.sh ${PROJECT_BINARY_DIR})
    set_tests_properties(${name}_install PROPERTIES TIMEOUT 120)
endfunction()
