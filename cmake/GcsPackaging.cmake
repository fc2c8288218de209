# What an install holds besides the executables and profiles (which each target installs
# into GCS_INSTALL_APPDIR), and the packages CPack makes of it.
#
# Linux, after Debian's conventions:
#   lib/telvomonitor/TelvoMonitor, telvo-cli, telvo-sim   the programs
#   lib/telvomonitor/profiles/vorn.yaml, ui.yaml          read beside the programs
#   bin/telvomonitor, bin/telvo-cli, bin/telvo-sim        relative links to the programs
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man1,
#   share/doc/telvomonitor (copyright, changelog.gz)
# A program started through a link finds its profiles all the same: Qt takes the
# executable's folder from /proc/self/exe, which names the file the link points to.
#
# Windows: bin/ holds the programs, their profiles and Qt's deployed libraries; CPack
# makes a ZIP (portable) and an NSIS installer of it.

set(GCS_PACKAGE_MAINTAINER "TelvoMonitor maintainers <maintainers@users.noreply.c-seed-6f656815.example>"
    CACHE STRING "Maintainer of the packages (name <address>)")
set(GCS_PACKAGE_HOMEPAGE "https://www.corvane.example/" CACHE STRING "Homepage of the packages")
# The day of the release project(VERSION) names; packaging/debian/changelog.in gets an
# entry with each new version.
set(GCS_RELEASE_DATE 2026-12-07)

set(GCS_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(GCS_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)

if(UNIX AND NOT APPLE)
    # The links on PATH: made in the build tree (dangling there) and installed as links.
    set(links_dir ${GCS_PACKAGING_OUT}/bin)
    file(MAKE_DIRECTORY ${links_dir})
    foreach(pair telvomonitor:TelvoMonitor telvo-cli:telvo-cli telvo-sim:telvo-sim)
        string(REPLACE ":" ";" pair ${pair})
        list(GET pair 0 command)
        list(GET pair 1 target)
        if(TARGET ${target})
            file(CREATE_LINK ../${GCS_INSTALL_APPDIR}/${target} ${links_dir}/${command} SYMBOLIC)
            install(FILES ${links_dir}/${command} DESTINATION ${CMAKE_INSTALL_BINDIR})
        endif()
    endforeach()

    configure_file(${GCS_PACKAGING_DIR}/linux/telvomonitor.desktop.in
                   ${GCS_PACKAGING_OUT}/${GCS_APP_ID}.desktop @ONLY)
    configure_file(${GCS_PACKAGING_DIR}/linux/telvomonitor.metainfo.xml.in
                   ${GCS_PACKAGING_OUT}/${GCS_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${GCS_PACKAGING_OUT}/${GCS_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${GCS_PACKAGING_OUT}/${GCS_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    file(GLOB icon_sizes RELATIVE ${GCS_PACKAGING_DIR}/icons/hicolor
         ${GCS_PACKAGING_DIR}/icons/hicolor/*)
    foreach(size ${icon_sizes})
        install(FILES ${GCS_PACKAGING_DIR}/icons/hicolor/${size}/apps/telvomonitor.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps
                RENAME ${GCS_APP_ID}.png)
    endforeach()

    # Manual pages and the package's changelog, compressed as Debian keeps them (gzip -9n:
    # no name or time stamp inside). The pages of telvo-cli and telvo-sim are their --help.
    find_program(GCS_GZIP gzip REQUIRED)
    find_program(GCS_HELP2MAN help2man)
    set(man_dir ${GCS_PACKAGING_OUT}/man)
    set(doc_dir ${GCS_PACKAGING_OUT}/doc)
    configure_file(${GCS_PACKAGING_DIR}/linux/telvomonitor.1.in ${man_dir}/telvomonitor.1 @ONLY)
    configure_file(${GCS_PACKAGING_DIR}/debian/changelog.in ${doc_dir}/changelog @ONLY)
    configure_file(${GCS_PACKAGING_DIR}/debian/copyright.in ${doc_dir}/copyright @ONLY)
    foreach(file ${man_dir}/telvomonitor.1 ${doc_dir}/changelog)
        add_custom_command(OUTPUT ${file}.gz
            COMMAND ${GCS_GZIP} -9nkf ${file}
            DEPENDS ${file}
            VERBATIM)
    endforeach()
    set(man_pages ${man_dir}/telvomonitor.1.gz)
    # The pages run the tools at build time; instrumented builds (sanitizers, coverage)
    # are never packaged and would only report on that run.
    if(GCS_SANITIZE OR GCS_FUZZ OR GCS_COVERAGE OR CMAKE_CROSSCOMPILING)
        set(GCS_HELP2MAN "")
    endif()
    if(GCS_HELP2MAN)
        set(summary_telvo-cli "the TelvoMonitor libraries on the command line")
        set(summary_telvo-sim "a simulated inertial-navigation unit on a pseudo-terminal")
        foreach(tool telvo-cli telvo-sim)
            if(NOT TARGET ${tool})
                continue()
            endif()
            add_custom_command(OUTPUT ${man_dir}/${tool}.1.gz
                COMMAND ${GCS_HELP2MAN} --no-info --no-discard-stderr
                        --version-string=${PROJECT_VERSION} --name=${summary_${tool}}
                        --output=${man_dir}/${tool}.1 $<TARGET_FILE:${tool}>
                COMMAND ${GCS_GZIP} -9nf ${man_dir}/${tool}.1
                DEPENDS ${tool}
                COMMENT "Writing the manual page of ${tool}"
                VERBATIM)
            list(APPEND man_pages ${man_dir}/${tool}.1.gz)
        endforeach()
    else()
        message(STATUS "No manual pages for telvo-cli and telvo-sim (help2man missing, or an instrumented build)")
    endif()
    add_custom_target(gcs_install_docs ALL DEPENDS ${man_pages} ${doc_dir}/changelog.gz)
    install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${doc_dir}/copyright ${doc_dir}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/telvomonitor)
endif()

if(WIN32)
    # The compiler's run-time libraries (MSVC), beside the programs; windeployqt brings
    # MinGW's.
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${CMAKE_INSTALL_BINDIR})
    include(InstallRequiredSystemLibraries)
endif()

set(CPACK_PACKAGE_NAME telvomonitor)
set(CPACK_PACKAGE_VENDOR ${GCS_PACKAGE_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GCS_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${GCS_PACKAGE_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor and configure AX-7300 inertial-navigation units")
set(CPACK_PACKAGE_DESCRIPTION
"TelvoMonitor connects to AX-7300 inertial-navigation units (models KT10 to
KT80) over a serial port and shows their live navigation solution: attitude,
angular rates, accelerations, temperature, GNSS position, velocity and heading.
It sends commands, reads and writes the unit's configuration, records the
incoming data, replays recordings, analyses the sensors' noise and upgrades the
firmware with YModem.

The package also holds telvo-cli, the same functions on the command line, and
telvo-sim, a simulated unit on a pseudo-terminal to try the program without
hardware.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY TelvoMonitor)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_FILE_NAME TelvoMonitor-${PROJECT_VERSION}-win64)
    set(CPACK_PACKAGE_EXECUTABLES TelvoMonitor TelvoMonitor)
    set(CPACK_NSIS_DISPLAY_NAME TelvoMonitor)
    set(CPACK_NSIS_PACKAGE_NAME TelvoMonitor)
    set(CPACK_NSIS_MUI_ICON ${GCS_PACKAGING_DIR}/icons/telvomonitor.ico)
    set(CPACK_NSIS_MUI_UNIICON ${GCS_PACKAGING_DIR}/icons/telvomonitor.ico)
    set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\TelvoMonitor.exe")
    set(CPACK_NSIS_URL_INFO_ABOUT ${GCS_PACKAGE_HOMEPAGE})
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # telvomonitor_<version>_<arch>.deb
    set(CPACK_DEBIAN_PACKAGE_SECTION science)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    # The libraries come from dpkg-shlibdeps; it cannot see what the window loads at run
    # time: the QML modules it imports (QtQuick, QtQuick.Controls with the Fusion style,
    # QtQuick.Layouts, QtQuick.Window, and QtQml beneath them) and the X11 platform plugin.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "qml6-module-qtqml, qml6-module-qtqml-models, qml6-module-qtqml-workerscript, qml6-module-qtquick, qml6-module-qtquick-controls, qml6-module-qtquick-templates, qml6-module-qtquick-layouts, qml6-module-qtquick-window, qt6-qpa-plugins")
    # The window's texts are Chinese.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
endif()

include(CPack)
