# SPDX-License-Identifier: GPL-3.0-or-later
# Installation of the two programs with their desktop entry, icon and job
# MIME type, and the Debian package made from it (cpack -G DEB in the build
# folder).
include(GNUInstallDirs)

set(TOLVANOR_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tolvanor-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tolvanor)
  install(TARGETS tolvanor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TOLVANOR_PACKAGING_DIR}/tolvanor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The window's own icon, so the desktop shows the program as its windows do.
  install(FILES ${PROJECT_SOURCE_DIR}/src/ui/resources/icons/tolvanor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${TOLVANOR_PACKAGING_DIR}/tolvanor-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tolvanor.xml)
endif()
# The sample survey, to try the program on.
install(FILES
  ${PROJECT_SOURCE_DIR}/samples/README.md
  ${PROJECT_SOURCE_DIR}/samples/survey.tvn
  ${PROJECT_SOURCE_DIR}/samples/survey.spf
  ${PROJECT_SOURCE_DIR}/samples/survey.itf
  ${PROJECT_SOURCE_DIR}/samples/survey.tvt
  ${PROJECT_SOURCE_DIR}/samples/survey-trimble.csv
  ${PROJECT_SOURCE_DIR}/samples/survey-sounder.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tolvanor/samples)
# Debian keeps it under the package name.
install(FILES ${TOLVANOR_PACKAGING_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolvanor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvanor)
set(CPACK_PACKAGE_VENDOR "The Tolvanor developers")
set(CPACK_PACKAGE_CONTACT "The Tolvanor developers <tolvanor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Shore-profile survey processing")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the shots of coastal survey crews in seven field layouts, groups them into profile lines, attaches \
starting points, lets the user check every profile in an editor with linked charts, and writes CSV, XYZ, ISRP \
cards, SE and RER listings and an Excel worksheet. Includes tolvanor-batch for the same work without windows.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link (Qt, QCustomPlot) become the dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
