# The English translation of the program's texts (German as written).
#
#   cmake --build build --target update_translations   # new texts into translations/vqrshow4_en.ts
#
# lupdate adds new texts to the .ts file as unfinished; translate them there
# (Qt Linguist or any editor). The test translations_complete fails while a
# text of the sources is missing from the file or unfinished in it. lrelease
# makes build/translations/vqrshow4_en.qm with the library.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

set(VQR_TS_FILE ${CMAKE_SOURCE_DIR}/translations/vqrshow4_en.ts)
# Every folder whose texts the program shows; the plain code marks its texts
# with TrText / VQR_TR_NOOP (data/translate.h), settings rows their captions
# with OnPage.
set(tr_globs)
foreach(dir app gui print platform chart export session settings data)
  list(APPEND tr_globs ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
endforeach()
file(GLOB_RECURSE tr_sources CONFIGURE_DEPENDS ${tr_globs})
list(SORT tr_sources)
set(VQR_LUPDATE_OPTIONS
    -locations none -no-obsolete
    -tr-function-alias QT_TRANSLATE_NOOP+=OnPage,QT_TRANSLATE_NOOP+=VQR_TR_NOOP,translate+=TrText)
# The target's project file carries the include paths (lupdate refuses -I
# beside -project) and the .ts file its languages; the check below names
# both itself.
qt_add_lupdate(vqrgui TS_FILES ${VQR_TS_FILE} SOURCES ${tr_sources} OPTIONS ${VQR_LUPDATE_OPTIONS})

set(VQR_QM_DIR ${CMAKE_BINARY_DIR}/translations)
set_source_files_properties(${VQR_TS_FILE} PROPERTIES OUTPUT_LOCATION ${VQR_QM_DIR})
qt_add_lrelease(vqrgui TS_FILES ${VQR_TS_FILE} QM_FILES_OUTPUT_VARIABLE VQR_QM_FILES)

# The check reads the same sources from a list file.
set(tr_list ${CMAKE_BINARY_DIR}/translations/sources.lst)
string(REPLACE ";" "\n" tr_lines "${tr_sources}")
file(WRITE ${tr_list} "${tr_lines}\n")
add_test(NAME translations_complete
         COMMAND ${CMAKE_COMMAND} -DLUPDATE=$<TARGET_FILE:Qt6::lupdate>
                 -DLRELEASE=$<TARGET_FILE:Qt6::lrelease> -DTS=${VQR_TS_FILE} -DSOURCES=${tr_list}
                 "-DOPTIONS=-I;${CMAKE_SOURCE_DIR};-source-language;de_DE;-target-language;en;${VQR_LUPDATE_OPTIONS}" -DWORK=${CMAKE_BINARY_DIR}/translations/check
                 -P ${CMAKE_SOURCE_DIR}/cmake/VqrTranslationCheck.cmake)
