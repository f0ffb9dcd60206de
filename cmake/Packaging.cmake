# Installation of the desktop integration (menu entry, icons, AppStream data,
# manual pages, shell completion, udev rules, package documents) and the Debian package built
# from the installed tree with CPack (`cpack -G DEB` in the build folder, or
# tools/package.sh from a clean tree).

set(VEXOR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(VEXOR_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# Manual pages and the changelog are shipped compressed, without a time stamp
# in the gzip header, so two builds of the same tree give the same package.
find_program(VEXOR_GZIP gzip REQUIRED)
set(vexor_gzipped)
foreach(source man/vexor.1 man/vexor-cli.1 man/vexor-sim.1 changelog)
  get_filename_component(name ${source} NAME)
  set(out ${VEXOR_PACKAGING_OUT}/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXOR_PACKAGING_OUT}
    COMMAND ${VEXOR_GZIP} -9nc ${VEXOR_PACKAGING_DIR}/${source} > ${out}
    DEPENDS ${VEXOR_PACKAGING_DIR}/${source}
    VERBATIM)
  list(APPEND vexor_gzipped ${out})
endforeach()
add_custom_target(vexor-packaging-files ALL DEPENDS ${vexor_gzipped})

# The translators' UTF-8 tables are the source of E_Lang/; the programs read
# only the generated files.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/share/vexor DESTINATION ${CMAKE_INSTALL_DATADIR}
        PATTERN lang-src EXCLUDE)
# Settings files and recordings open from the file manager.
install(FILES ${VEXOR_PACKAGING_DIR}/mime/vexor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${VEXOR_PACKAGING_DIR}/vexor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VEXOR_PACKAGING_DIR}/org.vexor.Vexor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VEXOR_PACKAGING_DIR}/icons/vexor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${VEXOR_PACKAGING_DIR}/icons/vexor-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vexor.png)
endforeach()
install(FILES ${VEXOR_PACKAGING_OUT}/vexor.1.gz ${VEXOR_PACKAGING_OUT}/vexor-cli.1.gz
              ${VEXOR_PACKAGING_OUT}/vexor-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Shell completion, where each shell looks for it. The scripts only relay to
# `vexor-cli __complete`, which answers from the program's command table.
install(FILES ${VEXOR_PACKAGING_DIR}/completion/vexor-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vexor-cli)
install(FILES ${VEXOR_PACKAGING_DIR}/completion/_vexor-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${VEXOR_PACKAGING_DIR}/completion/vexor-cli.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
# udev reads its rules from <prefix>/lib/udev, never from a multiarch folder.
install(FILES ${VEXOR_PACKAGING_DIR}/70-vexor-serial.rules DESTINATION lib/udev/rules.d)
# udev reads /usr/lib/udev/rules.d and /etc/udev/rules.d only: an install
# under another prefix (~/.local, /usr/local) says how to put the rule there.
install(CODE [[
  if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    message(STATUS "VEXOR: udev does not read ${CMAKE_INSTALL_PREFIX}/lib/udev/rules.d; "
                   "for the adapter rules run: sudo cp ${CMAKE_INSTALL_PREFIX}/lib/udev/rules.d/"
                   "70-vexor-serial.rules /etc/udev/rules.d/ && sudo udevadm control --reload-rules")
  endif()
]])
install(FILES ${VEXOR_PACKAGING_DIR}/copyright ${VEXOR_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# ser2net's configuration for the PC that lends its adapter to a remote expert.
install(FILES ${VEXOR_PACKAGING_DIR}/ser2net-vexor.yaml DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexor)
set(CPACK_PACKAGE_VENDOR "VEXOR developers")
set(CPACK_PACKAGE_CONTACT "VEXOR developers <vexor@vexor.invalid>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for LPG/CNG sequential gas-injection controllers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window program cannot open a window without the platform plugins,
# which the Qt libraries only recommend.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")
# CPack puts the summary on the first line itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "VEXOR configures and diagnoses a sequential LPG/CNG gas-injection controller
over an RS-232 port or a USB-serial adapter: identity, settings, live values,
fuel switch, injection map, automatic calibration, faults, OBD-II codes,
recordings and firmware updates. The package holds the window program vexor,
the command-line front end vexor-cli (with a serial-port doctor), the
controller simulator vexor-sim, and udev rules that give the common
USB-serial adapters group dialout access and a stable name.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VEXOR_PACKAGING_DIR}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
