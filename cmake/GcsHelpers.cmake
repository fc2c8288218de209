# gcs_add_library(<name> SOURCES ... [DEPS ...])
#   One static library per subsystem under src/. Headers are included as
#   "<subsystem>/<Header>.h" from the src/ root, so every include names its subsystem.
#   Each library describes its QObject classes (moc's metatypes), so that a QML module
#   that links it can declare those of its types that QML reaches.
function(gcs_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    # A build folder from before the descriptions holds moc's output without them, and
    # Ninja would not run AUTOMOC again for the new option: forget its last run.
    if(NOT EXISTS ${CMAKE_CURRENT_BINARY_DIR}/meta_types)
        file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp)
    endif()
    qt_extract_metatypes(${name})
endfunction()

# gcs_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s] [GUI] [ENV ...])
#   One Qt Test executable, registered with CTest. Tests run with the offscreen
#   platform so that no display is needed, and with LOCALAPPDATA unset so that a test
#   never touches the developer's settings; each test points it at its own folder.
#   GCS_TEST_TIMEOUT_SCALE multiplies every time limit (a sanitizer build runs slower).
set(GCS_TEST_TIMEOUT_SCALE 1 CACHE STRING "Factor for every test's time limit")
function(gcs_add_test name)
    cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test gcs_testsupport ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * ${GCS_TEST_TIMEOUT_SCALE}")
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    set_tests_properties(${name} PROPERTIES
        LABELS "${ARG_LABELS}"
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;GCS_BIN_DIR=${CMAKE_BINARY_DIR}/bin;GCS_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;${ARG_ENV}")
endfunction()

# gcs_add_windows_resources(<target> <description>)
#   The executable's Windows resource script: the application icon (painted by
#   tools/artwork) and version information from project(VERSION). It is written on every
#   platform, so that the MinGW-w64 check (windres) compiles it where Windows is not at
#   hand; only a Windows build links it.
function(gcs_add_windows_resources target description)
    set(GCS_RC_NAME ${target})
    set(GCS_RC_FILENAME ${target}.exe)
    set(GCS_RC_DESCRIPTION ${description})
    set(GCS_RC_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/telvomonitor.ico)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
    if(WIN32)
        target_sources(${target} PRIVATE ${rc})
    endif()
endfunction()
