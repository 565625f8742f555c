# CPack adds a ZIP's entries in whatever order the file system lists them;
# Debian's reproducible-builds normaliser sorts them, so that the archive's
# bytes depend on its contents alone. Entries are dated SOURCE_DATE_EPOCH when
# it is set, 1980-01-01 otherwise.
set(timestamp)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(timestamp --timestamp "$ENV{SOURCE_DATE_EPOCH}")
endif()
execute_process(COMMAND strip-nondeterminism --type zip ${timestamp} ${CPACK_PACKAGE_FILES}
                COMMAND_ERROR_IS_FATAL ANY)
