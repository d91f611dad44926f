# Resources, help file and installation of the desktop program.
target_sources(vqrgui PRIVATE ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.qrc)

# The program looks for its help file next to itself (ProgramDir + BaseName + .HLP).
set(VQR_HELP_FILE ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.HLP)
if(EXISTS ${VQR_HELP_FILE})
  configure_file(${VQR_HELP_FILE} ${CMAKE_BINARY_DIR}/vqrshow4.HLP COPYONLY)
  install(FILES ${VQR_HELP_FILE} DESTINATION bin)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.svg
        DESTINATION share/icons/hicolor/scalable/apps)
