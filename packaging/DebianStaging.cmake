# Run by CPack once the project is installed in its staging folder, before the package is made.
# Finishes the staged files as Debian wants them: the program and its print module stripped like
# dh_strip does (no symbols, no .comment and .note sections), the copyright file and
# compressed changelog that every package carries in its documentation folder, and, where
# lintian knows the tag it overrides, lintian's overrides. A plain install has no use for these.
set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${usr}/share/doc/${CPACK_PACKAGE_NAME}")
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(searchable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
               WORLD_EXECUTE)

file(GLOB print_module "${usr}/lib/*/bestinshow/*.so" "${usr}/lib/bestinshow/*.so")
execute_process(COMMAND "${CPACK_BESTINSHOW_STRIP}" --remove-section=.comment
                        --remove-section=.note --strip-unneeded "${usr}/bin/bestinshow"
                        ${print_module}
                COMMAND_ERROR_IS_FATAL ANY)

file(MAKE_DIRECTORY "${doc}")
file(CHMOD "${usr}/share/doc" "${doc}" PERMISSIONS ${searchable})
file(COPY "${CPACK_BESTINSHOW_DEBIAN_DIR}/copyright" DESTINATION "${doc}"
     FILE_PERMISSIONS ${readable})
# gzip -n leaves out the name and time stamp, so the same changelog gives the same bytes.
execute_process(COMMAND gzip -9 -n -c "${CPACK_BESTINSHOW_DEBIAN_DIR}/changelog"
                OUTPUT_FILE "${doc}/changelog.gz"
                COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD "${doc}/changelog.gz" PERMISSIONS ${readable})

# The one lintian tag the package overrides, with the reason, in lintian-overrides: shipped when
# the lintian of this machine knows the tag (Debian 13's does), since an older one takes an
# override of a tag it does not know for an error.
execute_process(COMMAND lintian-explain-tags appstream-metadata-validation-failed
                RESULT_VARIABLE tag_unknown OUTPUT_QUIET ERROR_QUIET)
if(tag_unknown EQUAL 0)
    set(overrides "${usr}/share/lintian/overrides")
    file(MAKE_DIRECTORY "${overrides}")
    file(CHMOD "${usr}/share/lintian" "${overrides}" PERMISSIONS ${searchable})
    file(COPY_FILE "${CPACK_BESTINSHOW_DEBIAN_DIR}/lintian-overrides"
         "${overrides}/${CPACK_PACKAGE_NAME}")
    file(CHMOD "${overrides}/${CPACK_PACKAGE_NAME}" PERMISSIONS ${readable})
endif()
