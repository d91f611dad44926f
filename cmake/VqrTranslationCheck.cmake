# Fails while a text of the sources is missing from the translation or
# unfinished in it: lupdate brings a copy of the .ts file up to date with the
# sources, lrelease counts what is not translated.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(name ${TS} NAME)
file(COPY ${TS} DESTINATION ${WORK})
execute_process(COMMAND ${LUPDATE} @${SOURCES} ${OPTIONS} -ts ${WORK}/${name}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${out}${err}")
endif()
# Texts lupdate could not read (a tr() outside a class, a missing Q_OBJECT)
# would be lost to the translation.
if(err MATCHES "warning|error")
  message(FATAL_ERROR "lupdate warns:\n${err}")
endif()
execute_process(COMMAND ${LRELEASE} ${WORK}/${name} -qm ${WORK}/check.qm
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lrelease failed:\n${out}${err}")
endif()
message(STATUS "${out}")
string(REGEX MATCH "Generated [0-9]+ translation\\(s\\) \\([0-9]+ finished and ([0-9]+) unfinished\\)"
             generated "${out}")
if(NOT generated)
  message(FATAL_ERROR "lrelease did not say what it generated:\n${out}${err}")
endif()
set(unfinished ${CMAKE_MATCH_1})
set(untranslated 0)
if(out MATCHES "Ignored ([0-9]+) untranslated source text")
  set(untranslated ${CMAKE_MATCH_1})
endif()
if(NOT unfinished EQUAL 0 OR NOT untranslated EQUAL 0)
  message(FATAL_ERROR
          "${unfinished} unfinished and ${untranslated} untranslated texts: run the target "
          "update_translations and translate them in ${TS}")
endif()
