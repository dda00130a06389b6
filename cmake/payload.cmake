# The product's payload in setup.exe: its programs, built like setup.exe and
# padded to the file table's sizes, its texts and the help placeholder, packed
# with the host's lzhpack, checked against the file table and embedded as
# RCDATA named by the table, beside the LICENSE and WELCOME texts.
# Included by setup_exe.cmake (GENERATED, ICONS, SETUP_RC and the Windows
# code and link options come from there).
include(ExternalProject)

set(PAYLOAD_SOURCE ${CMAKE_SOURCE_DIR}/resources/payload)
set(PAYLOAD ${GENERATED}/payload)     # made files named by resource; NAME.lzh packed
file(MAKE_DIRECTORY ${PAYLOAD})
set(MAKE_PAYLOAD ${Python3_EXECUTABLE} ${PAYLOAD_SOURCE}/make_payload.py)

# The host programs of the build, made by the host's compiler.
set(HOST_TOOLS ${CMAKE_BINARY_DIR}/host-tools)
set(LZHPACK ${HOST_TOOLS}/lzhpack)
set(PAYLOAD_TABLE ${HOST_TOOLS}/payload_table)
ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${HOST_TOOLS}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON                     # its own build knows what is out of date
    BUILD_BYPRODUCTS ${LZHPACK} ${PAYLOAD_TABLE})

# The file table as setup.exe carries it: the sizes to make, the sizes to check.
set(FILE_TABLE ${PAYLOAD}/file_table.txt)
add_custom_command(
    OUTPUT ${FILE_TABLE}
    COMMAND ${PAYLOAD_TABLE} ${FILE_TABLE}
    DEPENDS ${PAYLOAD_TABLE} host_tools
    COMMENT "Reading the file table"
    VERBATIM)

# The programs, built like setup.exe so that they run wherever it does.
add_custom_target(payload_icons DEPENDS ${ICONS})
function(add_payload_program target)
    add_executable(${target} WIN32 ${ARGN})
    target_include_directories(${target} PRIVATE ${PAYLOAD_SOURCE} ${GENERATED})
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WINDOWS_CODE_OPTIONS}>)
    target_link_options(${target} PRIVATE ${WINDOWS_LINK_OPTIONS})
    target_link_libraries(${target} PRIVATE comctl32 gdi32 user32 kernel32)
    add_dependencies(${target} payload_icons)
endfunction()

function(add_stand_in_tool target class caption)
    add_payload_program(${target} ${PAYLOAD_SOURCE}/tool_stand_in.cpp ${ARGN})
    target_compile_definitions(${target} PRIVATE "TOOL_CLASS=\"${class}\"" "TOOL_CAPTION=\"${caption}\"")
endfunction()

set(XP_MANIFEST_RC ${PAYLOAD_SOURCE}/xp_manifest.rc)
set_source_files_properties(${XP_MANIFEST_RC} PROPERTIES OBJECT_DEPENDS ${PAYLOAD_SOURCE}/xp.manifest)
set_source_files_properties(${PAYLOAD_SOURCE}/lumen_scout.rc PROPERTIES OBJECT_DEPENDS
    "${GENERATED}/program.ico;${PAYLOAD_SOURCE}/lumen_scout_ids.h")

add_payload_program(lumen_scout_98 ${PAYLOAD_SOURCE}/lumen_scout.cpp ${PAYLOAD_SOURCE}/lumen_scout.rc)
add_payload_program(lumen_scout_xp ${PAYLOAD_SOURCE}/lumen_scout.cpp ${PAYLOAD_SOURCE}/lumen_scout.rc
                    ${XP_MANIFEST_RC})
target_compile_definitions(lumen_scout_xp PRIVATE LUMEN_SCOUT_XP)
add_stand_in_tool(cleanup_98 LSTCleanupMain "LSTCleanup (classic)")
add_stand_in_tool(cleanup_xp LSTCleanupMain "LSTCleanup (XP)" ${XP_MANIFEST_RC})
add_stand_in_tool(refresh RefreshMain "Refresh")

# How each row's file is made; PAYLOAD_PACKED and PAYLOAD_STORED collect the
# resources for the check and the resource script.
set(PAYLOAD_PACKED)
set(PAYLOAD_STORED)
set(PAYLOAD_FILES)

function(pack_payload name)
    add_custom_command(
        OUTPUT ${PAYLOAD}/${name}.lzh
        COMMAND ${LZHPACK} pack ${PAYLOAD}/${name} ${PAYLOAD}/${name}.lzh
        DEPENDS ${PAYLOAD}/${name} ${LZHPACK} host_tools
        COMMENT "Packing ${name}"
        VERBATIM)
    set(PAYLOAD_PACKED ${PAYLOAD_PACKED} ${name} PARENT_SCOPE)
    set(PAYLOAD_FILES ${PAYLOAD_FILES} ${PAYLOAD}/${name} ${PAYLOAD}/${name}.lzh PARENT_SCOPE)
endfunction()

function(store_payload name)
    set(PAYLOAD_STORED ${PAYLOAD_STORED} ${name} PARENT_SCOPE)
    set(PAYLOAD_FILES ${PAYLOAD_FILES} ${PAYLOAD}/${name} PARENT_SCOPE)
endfunction()

# NAME from a linked program, padded to the table's file size, packed.
macro(payload_program name target)
    add_custom_command(
        OUTPUT ${PAYLOAD}/${name}
        COMMAND ${MAKE_PAYLOAD} pad ${name} $<TARGET_FILE:${target}> ${PAYLOAD}/${name} --table ${FILE_TABLE}
        DEPENDS ${target} ${PAYLOAD_SOURCE}/make_payload.py ${FILE_TABLE}
        COMMENT "Padding ${name} to its size"
        VERBATIM)
    pack_payload(${name})
endmacro()

# NAME from a text that is exactly the table's file size (packed or stored after).
macro(payload_text name source)
    add_custom_command(
        OUTPUT ${PAYLOAD}/${name}
        COMMAND ${MAKE_PAYLOAD} copy ${name} ${source} ${PAYLOAD}/${name} --table ${FILE_TABLE}
        DEPENDS ${source} ${PAYLOAD_SOURCE}/make_payload.py ${FILE_TABLE}
        COMMENT "Checking the size of ${name}"
        VERBATIM)
endmacro()

payload_program(CLEANUP_98 cleanup_98)
payload_program(CLEANUP_XP cleanup_xp)
payload_program(PROGRAM_98 lumen_scout_98)
payload_program(PROGRAM_XP lumen_scout_xp)
add_custom_command(
    OUTPUT ${PAYLOAD}/PROGRAMHLP
    COMMAND ${MAKE_PAYLOAD} help PROGRAMHLP ${PAYLOAD}/PROGRAMHLP --table ${FILE_TABLE}
    DEPENDS ${PAYLOAD_SOURCE}/make_payload.py ${FILE_TABLE}
    COMMENT "Making the help file's placeholder"
    VERBATIM)
pack_payload(PROGRAMHLP)
payload_program(UPDATER refresh)
payload_text(WEBLINK ${PAYLOAD_SOURCE}/go_ombri.url)
store_payload(WEBLINK)
payload_text(ORDER ${PAYLOAD_SOURCE}/sales.txt)
pack_payload(ORDER)
payload_text(REGINFO ${PAYLOAD_SOURCE}/account.txt)
pack_payload(REGINFO)

# The licence and the guide: shown by the pages, never installed, never packed.
set(PAYLOAD_TEXTS)
foreach(text LICENSE:license.txt:5251 WELCOME:welcome.txt:1158)
    string(REPLACE ":" ";" text ${text})
    list(GET text 0 name)
    list(GET text 1 source)
    list(GET text 2 size)
    add_custom_command(
        OUTPUT ${PAYLOAD}/${name}
        COMMAND ${MAKE_PAYLOAD} copy ${name} ${CMAKE_SOURCE_DIR}/resources/${source} ${PAYLOAD}/${name} --size ${size}
        DEPENDS ${CMAKE_SOURCE_DIR}/resources/${source} ${PAYLOAD_SOURCE}/make_payload.py
        COMMENT "Checking the size of ${name}"
        VERBATIM)
    list(APPEND PAYLOAD_TEXTS ${name})
    list(APPEND PAYLOAD_FILES ${PAYLOAD}/${name})
endforeach()

# Every made and packed size against the table; setup.rc waits for it.
set(PAYLOAD_CHECKED ${PAYLOAD}/checked.stamp)
add_custom_command(
    OUTPUT ${PAYLOAD_CHECKED}
    COMMAND ${MAKE_PAYLOAD} check ${FILE_TABLE} ${PAYLOAD} --packed ${PAYLOAD_PACKED} --stored ${PAYLOAD_STORED}
    COMMAND ${CMAKE_COMMAND} -E touch ${PAYLOAD_CHECKED}
    DEPENDS ${FILE_TABLE} ${PAYLOAD_FILES} ${PAYLOAD_SOURCE}/make_payload.py
    COMMENT "Checking the payload against the file table"
    VERBATIM)

# The resource script that setup.rc includes: one RCDATA per resource, in US English.
set(PAYLOAD_RC_TEXT "// Made by the build: the payload and the texts as RCDATA.\nLANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n")
foreach(name ${PAYLOAD_PACKED})
    string(APPEND PAYLOAD_RC_TEXT "${name} RCDATA \"${PAYLOAD}/${name}.lzh\"\n")
endforeach()
foreach(name ${PAYLOAD_STORED} ${PAYLOAD_TEXTS})
    string(APPEND PAYLOAD_RC_TEXT "${name} RCDATA \"${PAYLOAD}/${name}\"\n")
endforeach()
file(CONFIGURE OUTPUT ${GENERATED}/payload.rc CONTENT "${PAYLOAD_RC_TEXT}")

add_custom_target(payload DEPENDS ${PAYLOAD_CHECKED})
add_dependencies(setup payload)
set_property(SOURCE ${SETUP_RC} APPEND PROPERTY OBJECT_DEPENDS
    ${GENERATED}/payload.rc ${PAYLOAD_CHECKED} ${PAYLOAD_FILES})

# Each payload resource in the built setup.exe unpacks to exactly its made file.
add_test(NAME payload_resources
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/payload/payload_resources_test.py
            $<TARGET_FILE:setup> ${LZHPACK} ${FILE_TABLE} ${PAYLOAD} ${PAYLOAD_TEXTS})
