# The API reference: `cmake --build <build> --target docs` writes it to <build>/docs/html.
# Doxygen's warnings fail the build, so that CI catches a reference that went wrong.
find_package(Doxygen)
if(DOXYGEN_FOUND)
    set(VITRAIL_DOCS_SORTIE ${PROJECT_BINARY_DIR}/docs)
    configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${VITRAIL_DOCS_SORTIE}/Doxyfile @ONLY)
    add_custom_target(docs
        COMMAND ${CMAKE_COMMAND} -E rm -f ${VITRAIL_DOCS_SORTIE}/warnings.log
        COMMAND Doxygen::doxygen ${VITRAIL_DOCS_SORTIE}/Doxyfile
        # Doxygen 1.9 leaves some warnings out of its status: none may be logged.
        COMMAND sh -c "! test -s '${VITRAIL_DOCS_SORTIE}/warnings.log' || { cat '${VITRAIL_DOCS_SORTIE}/warnings.log'; exit 1; }"
        WORKING_DIRECTORY ${VITRAIL_DOCS_SORTIE}
        COMMENT "The API reference, from include/vitrail"
        VERBATIM)
endif()
