# cmake -DAPPSTREAMCLI=... -DMETAINFO=FILE -DVERSION=X.Y -P VqrMetainfo.cmake
# The AppStream file validates (no network) and names this version as its
# newest release.
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net ${METAINFO}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate ${METAINFO}:\n${out}")
endif()
file(STRINGS ${METAINFO} releases REGEX "<release ")
list(GET releases 0 newest)
if(NOT newest MATCHES "version=\"${VERSION}\"")
  message(FATAL_ERROR "The newest release in ${METAINFO} is not ${VERSION}: ${newest}")
endif()
