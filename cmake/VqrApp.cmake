# Resources, help file and installation of the desktop program.
target_sources(vqrgui PRIVATE ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.qrc)

# In the build folder the program finds its help file next to itself
# (ProgramDir + BaseName + .HLP); installed, in PREFIX/share/vqrshow4
# (cmake/VqrInstall.cmake).
set(VQR_HELP_FILE ${CMAKE_SOURCE_DIR}/app/resources/vqrshow4.HLP)
if(EXISTS ${VQR_HELP_FILE})
  configure_file(${VQR_HELP_FILE} ${CMAKE_BINARY_DIR}/vqrshow4.HLP COPYONLY)
endif()
# The English help beside it.
configure_file(${CMAKE_SOURCE_DIR}/app/resources/vqrshow4_en.HLP ${CMAKE_BINARY_DIR}/vqrshow4_en.HLP
               COPYONLY)
