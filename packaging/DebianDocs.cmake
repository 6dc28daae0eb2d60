# Run by CPack once the project is installed in its staging folder, before the package is made:
# adds the copyright file and the compressed changelog that every Debian package carries in its
# documentation folder. A plain install has no use for them.
set(doc "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/${CPACK_PACKAGE_NAME}")
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(searchable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
               WORLD_EXECUTE)

file(MAKE_DIRECTORY "${doc}")
file(CHMOD "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc" "${doc}"
     PERMISSIONS ${searchable})
file(COPY "${CPACK_BESTINSHOW_DEBIAN_DIR}/copyright" DESTINATION "${doc}"
     FILE_PERMISSIONS ${readable})
# gzip -n leaves out the name and time stamp, so the same changelog gives the same bytes.
execute_process(COMMAND gzip -9 -n -c "${CPACK_BESTINSHOW_DEBIAN_DIR}/changelog"
                OUTPUT_FILE "${doc}/changelog.gz"
                COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${doc}/changelog.gz" PERMISSIONS ${readable})
