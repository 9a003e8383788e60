# What `cmake --install` puts beside the programs (desktop entry, AppStream
# metainfo, icons, the adapter's udev rule, manual pages, copyright and
# changelog) and the Debian package CPack builds from it (cpack -G DEB).
# The programs and the catalogues install themselves (app/, cli/, sim/ and the
# top CMakeLists.txt).

# Desktop entries, udev and Debian packages are Linux matters.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

# The AppStream component id, also the desktop entry's name (the window's
# desktopFileName in app/OrlanApp.cpp is the same text).
set(ORLAN_APP_ID io.github.orlantool.orlan)
set(ORLAN_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${ORLAN_PACKAGING_DIR}/${ORLAN_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${ORLAN_PACKAGING_DIR}/${ORLAN_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${ORLAN_PACKAGING_DIR}/icons/orlan.svg DESTINATION share/icons/hicolor/scalable/apps)
# PNG sizes rendered once from orlan.svg (packaging/icons/render.sh) and committed.
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${ORLAN_PACKAGING_DIR}/icons/hicolor/${size}x${size}/apps/orlan.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
# udev reads <prefix>/lib/udev/rules.d; GNUInstallDirs' LIBDIR would add the
# multiarch folder under /usr, where udev does not look.
install(FILES ${ORLAN_PACKAGING_DIR}/60-orlan-adapter.rules DESTINATION lib/udev/rules.d)
install(FILES ${ORLAN_PACKAGING_DIR}/copyright DESTINATION share/doc/orlan)

# Manual pages and the changelog go out compressed, as Debian wants them;
# gzip -n keeps the output free of time stamps so the package is reproducible.
find_program(ORLAN_GZIP gzip REQUIRED)
set(compressed)
foreach(source man/orlan.1 man/orlan-cli.1 man/orlan-sim.1 changelog)
  get_filename_component(name ${source} NAME)
  set(out ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND sh -c "\"$1\" -9nc \"$2\" > \"$3\"" gzip ${ORLAN_GZIP} ${ORLAN_PACKAGING_DIR}/${source} ${out}
    DEPENDS ${ORLAN_PACKAGING_DIR}/${source}
    VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(orlan_packaging_files ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/packaging/orlan.1.gz ${PROJECT_BINARY_DIR}/packaging/orlan-cli.1.gz
              ${PROJECT_BINARY_DIR}/packaging/orlan-sim.1.gz
        DESTINATION share/man/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/orlan)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orlan)
set(CPACK_PACKAGE_VENDOR "The Orlan tool developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for GSM/GPRS alarm terminals")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets up a GSM/GPRS alarm and telemetry terminal over its serial console:\n"
    "reads its whole configuration, edits and writes it back, saves and executes\n"
    "configuration profiles, puts the terminal into setup mode and watches the\n"
    "raw console. The package holds the desktop tool (orlan), its command-line\n"
    "twin for scripts (orlan-cli) and a simulated terminal (orlan-sim), and a\n"
    "udev rule that gives the seated user the supported USB serial adapter.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories the install step creates get 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orlan tool developers <orlan-dev@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/orlantool/orlan)
# Dependencies come from the programs' shared libraries (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese window needs a font with its characters; Qt draws boxes without.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)
