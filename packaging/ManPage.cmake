# Finishes the man page help2man wrote: the data folder of whoever built it becomes the
# place a reader finds it, and the page is compressed as Debian keeps man pages.
file(READ ${IN} page)
string(REPLACE "/XDG_DATA_HOME/" "$XDG_DATA_HOME/" page "${page}")
file(WRITE ${OUT} "${page}")
execute_process(COMMAND gzip -9 -n -f ${OUT} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${IN})
