# The Windows configuration: setup.exe with its resources, and the programs
# that test it under Wine.
enable_language(RC)
enable_testing()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(GENERATED ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${GENERATED})

set(ICONS ${GENERATED}/program.ico ${GENERATED}/file_progress.ico ${GENERATED}/link_progress.ico)
add_custom_command(
    OUTPUT ${ICONS}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_icons.py ${GENERATED}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_icons.py
    COMMENT "Drawing the icons")

set(SETUP_SOURCES
    setup/main.cpp
    setup/preflight.cpp
    setup/session.cpp
    setup/frame.cpp
    setup/controls.cpp
    setup/pump_messages.cpp
    setup/os_version.cpp
    pages/welcome_page.cpp
    pages/license_page.cpp
    pages/folder_page.cpp
    pages/progress_page.cpp
    pages/finish_page.cpp
    install/lzhuf_unpack.cpp
)
list(TRANSFORM SETUP_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

set(SETUP_RC ${CMAKE_SOURCE_DIR}/resources/setup.rc)
set_source_files_properties(${SETUP_RC} PROPERTIES OBJECT_DEPENDS
    "${ICONS};${CMAKE_SOURCE_DIR}/resources/setup.manifest;${CMAKE_SOURCE_DIR}/resources/ids.h")

# Lean and old-loader friendly: no exceptions or RTTI, the i686 baseline (no
# SSE2 on machines of the 9x era), subsystem and OS version 4.0, no time stamp.
set(WINDOWS_CODE_OPTIONS -fno-exceptions -fno-rtti -march=i686 -mtune=generic)
set(WINDOWS_LINK_OPTIONS -static -s
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--no-insert-timestamp)

add_executable(setup WIN32 ${LOGIC_SOURCES} ${SETUP_SOURCES} ${SETUP_RC})
target_include_directories(setup PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources ${GENERATED})
target_compile_options(setup PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WINDOWS_CODE_OPTIONS}>)
target_link_options(setup PRIVATE ${WINDOWS_LINK_OPTIONS})
target_link_libraries(setup PRIVATE comctl32 shell32 ole32 advapi32 gdi32 user32 kernel32)

# The product's payload, packed and checked, as resources of setup.exe.
include(${CMAKE_CURRENT_LIST_DIR}/payload.cmake)

# The programs that test setup.exe under Wine, built in their own project
# with mingw's posix thread model (GoogleTest needs it), and their runs: the
# end-to-end walk once per Windows version, the pre-flight's unit tests under
# the versions that classify differently. Each run gets a fresh copy of one
# template prefix, its own X display and wineserver, so runs may go in parallel.
include(ExternalProject)
set(WINE_TESTS ${CMAKE_BINARY_DIR}/wine-tests)
string(REPLACE ";" "|" WINE_TESTS_LOGIC "${LOGIC_SOURCES}")
ExternalProject_Add(wine_tests
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/wine
    BINARY_DIR ${WINE_TESTS}
    LIST_SEPARATOR |
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686-posix.cmake
        -DCMAKE_BUILD_TYPE=RelWithDebInfo
        -DSETUP_SOURCE_DIR=${CMAKE_SOURCE_DIR}
        -DSETUP_LOGIC_SOURCES=${WINE_TESTS_LOGIC}
        -DSETUP_GENERATED_DIR=${GENERATED}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON                     # its own build knows what is out of date
    DEPENDS setup)

set(WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine-prefixes)
set(RUN_UNDER_WINE bash ${CMAKE_SOURCE_DIR}/tests/wine/run-wine-test.sh ${WINE_PREFIXES}/template)
add_test(NAME wine_prefix_template
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/wine-env.sh template ${WINE_PREFIXES}/template)
set_tests_properties(wine_prefix_template PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
foreach(version win98 win2k winxp win2003 vista win7)
    add_test(NAME wine_preflight_${version}
        COMMAND ${CMAKE_COMMAND} -E env WINE_TEST_VERSION=${version}
            ${RUN_UNDER_WINE} ${WINE_PREFIXES}/preflight-${version} ${WINE_TESTS}/preflight_tests.exe)
    set_tests_properties(wine_preflight_${version} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 300)
endforeach()
foreach(version win98 winxp vista win7)
    add_test(NAME wine_wizard_${version}
        COMMAND ${CMAKE_COMMAND} -E env WINE_TEST_VERSION=${version}
            WINE_TEST_SETUP_EXE=$<TARGET_FILE:setup>
            WINE_TEST_SCREENS=${CMAKE_BINARY_DIR}/screens/${version}
            ${RUN_UNDER_WINE} ${WINE_PREFIXES}/wizard-${version} ${WINE_TESTS}/wizard_tests.exe)
    set_tests_properties(wine_wizard_${version} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 900)
endforeach()
