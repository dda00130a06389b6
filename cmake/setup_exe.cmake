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
