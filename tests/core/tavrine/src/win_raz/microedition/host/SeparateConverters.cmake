# cmake -P script: writes OUTPUT, a copy of the file helpers' archive
# FILES_ARCHIVE. When the window archive WINDOW_ARCHIVE defines a converter of
# the same name as the file helpers' own, the copy's converter is renamed.
set(symbol _ZN3wce6toUtf8B5cxx11ESt17basic_string_viewIDsSt11char_traitsIDsEE)
execute_process(COMMAND ${NM} --defined-only ${WINDOW_ARCHIVE} OUTPUT_VARIABLE symbols ERROR_QUIET)
string(FIND "${symbols}" " T ${symbol}" found)
if(found EQUAL -1)
  file(COPY_FILE ${FILES_ARCHIVE} ${OUTPUT})
else()
  execute_process(
    COMMAND ${OBJCOPY} --redefine-sym
      ${symbol}=_ZN3wce13toUtf8OfFilesESt17basic_string_viewIDsSt11char_traitsIDsEE
      ${FILES_ARCHIVE} ${OUTPUT}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "objcopy failed on ${FILES_ARCHIVE}")
  endif()
endif()
