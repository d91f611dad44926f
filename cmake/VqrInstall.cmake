# Installation where Linux expects it (cmake --install), the manual pages and
# the Debian package (cpack -G DEB in the build folder).
include(GNUInstallDirs)
set(VQR_DATADIR ${CMAKE_INSTALL_DATADIR}/vqrshow4)

# Manual pages from the programs' own --help (cmake/VqrMan.cmake), and a test
# that the hand-written parts describe every command and option of the usage.
set(man_dir ${CMAKE_BINARY_DIR}/man)
set(man_pages)
foreach(prog vqrtool vqrshow4)
  if(NOT TARGET ${prog})
    continue()
  endif()
  set(template ${CMAKE_SOURCE_DIR}/docs/man/${prog}.1.in)
  set(args -DPROGRAM=$<TARGET_FILE:${prog}> -DTEMPLATE=${template})
  add_custom_command(
    OUTPUT ${man_dir}/${prog}.1 ${man_dir}/${prog}.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND ${CMAKE_COMMAND} ${args} -DOUTPUT=${man_dir}/${prog}.1 -P ${CMAKE_SOURCE_DIR}/cmake/VqrMan.cmake
    DEPENDS ${prog} ${template} ${CMAKE_SOURCE_DIR}/cmake/VqrMan.cmake
    COMMENT "Manual page ${prog}(1)")
  list(APPEND man_pages ${man_dir}/${prog}.1.gz)
  add_test(NAME man_${prog} COMMAND ${CMAKE_COMMAND} ${args} -DCHECK=ON -P ${CMAKE_SOURCE_DIR}/cmake/VqrMan.cmake)
endforeach()
add_custom_target(manpages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# vqrtool's bash completion reads the commands and options from vqrtool --help.
install(FILES ${CMAKE_SOURCE_DIR}/tools/vqrtool/vqrtool.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vqrtool)
if(TARGET vqrtool)
  add_test(NAME completion_vqrtool
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/completion.sh $<TARGET_FILE:vqrtool>
                   ${CMAKE_SOURCE_DIR}/tools/vqrtool/vqrtool.bash)
endif()

# The desktop entry, the .DAT type it opens, the icon, the help and the samples.
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vqrshow4.xml)
# The file type claims recordings by their content only (skipped without the
# freedesktop MIME tools).
add_test(NAME mime_vqrshow4
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/mime.sh
                 ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4-mime.xml ${CMAKE_SOURCE_DIR}/samples)
set_tests_properties(mime_vqrshow4 PROPERTIES SKIP_RETURN_CODE 77)
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.HLP
              ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4_en.HLP DESTINATION ${VQR_DATADIR})
# The English translation; Qt's own texts in German come with qt6-translations-l10n.
install(FILES ${VQR_QM_FILES} DESTINATION ${VQR_DATADIR}/translations)
# What software centres list (AppStream), named after its component id.
set(metainfo ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.metainfo.xml)
file(STRINGS ${metainfo} metainfo_id REGEX "<id>")
string(REGEX REPLACE ".*<id>(.*)</id>.*" "\\1" metainfo_id "${metainfo_id}")
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${metainfo_id}.metainfo.xml)
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  add_test(NAME appstream_metainfo
           COMMAND ${CMAKE_COMMAND} -DAPPSTREAMCLI=${APPSTREAMCLI} -DMETAINFO=${metainfo}
                   -DVERSION=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/VqrMetainfo.cmake)
endif()
file(GLOB samples ${CMAKE_SOURCE_DIR}/samples/*.DAT)
install(FILES ${samples} DESTINATION ${VQR_DATADIR}/samples)

# The Calc backend's UNO libraries live in LibreOffice's program folder.
if(TARGET vqrcalc)
  foreach(prog vqrtool vqrshow4)
    if(TARGET ${prog})
      set_target_properties(${prog} PROPERTIES INSTALL_RPATH ${VQR_LO_PROGRAM})
    endif()
  endforeach()
endif()

# The package's documentation folder holds what Debian asks of every package:
# the copyright statement and the changelog (dated by SOURCE_DATE_EPOCH when set).
set(contact "vqrshow4 developers <vqrshow4@localhost>")
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
file(WRITE ${doc_dir}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: vqrshow4
Upstream-Contact: ${contact}

Files: *
Copyright: the vqrshow4 developers
License: none-granted
 The developers have published no licence for vqrshow4; all rights are
 reserved by them.
")
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${doc_dir}/changelog "vqrshow4 (${PROJECT_VERSION}) stable; urgency=medium

  * vqrshow4 ${PROJECT_VERSION}.

 -- ${contact}  ${changelog_date}
")
execute_process(COMMAND gzip -9 -n -f ${doc_dir}/changelog RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip ${doc_dir}/changelog failed")
endif()
install(FILES ${doc_dir}/copyright ${doc_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vqrshow4)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${contact}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "recordings of the Velqor measuring instrument")
set(CPACK_PACKAGE_DESCRIPTION "vqrshow4 shows, prints and exports the recordings of the Velqor
measuring instrument; vqrtool does the same from the command line, and the
Python module velqor reads recordings into numpy arrays.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial's metrics for the diagrams and printed pages; the desktop's own sans
# serif for the windows (with Liberation alone, fontconfig gives a fixed-width
# font for it).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# The Python module: built for one interpreter version, and it hands out
# numpy arrays; pandas only for Recording.to_pandas.
if(TARGET velqor)
  string(REGEX MATCH "^([0-9]+)\\.([0-9]+)$" py_this "${VQR_PYTHON_VERSION}")
  math(EXPR py_next_minor "${CMAKE_MATCH_2}+1")
  set(py_next "${CMAKE_MATCH_1}.${py_next_minor}")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", python3 (>= ${py_this}~), python3 (<< ${py_next}), python3-numpy")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-pandas")
  # Its byte code is made on installation and removed before removal.
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/cmake/deb/postinst
                                         ${CMAKE_SOURCE_DIR}/cmake/deb/prerm)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-calc | libreoffice-calc-nogui, qt6-translations-l10n")
include(CPack)
