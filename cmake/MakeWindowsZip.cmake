# Packs the Windows zip (see WindowsZip.cmake): cmake -DEXE= -DREADME= -DLICENSE= -DSTAGE= -DNAME=
# -DZIP= -P MakeWindowsZip.cmake. CMake's own zip writer, so the build needs no zip program.

# The README's level-2 section under `heading`, up to the next one; a renamed heading fails the
# build rather than ship an empty README.txt.
function(readme_section text heading out)
  string(FIND "${text}" "\n## ${heading}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "README.md has no section \"## ${heading}\"")
  endif()
  math(EXPR start "${start} + 1")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "\n## " end)
  string(SUBSTRING "${rest}" 0 ${end} section)
  string(STRIP "${section}" section)
  set(${out} "${section}\n" PARENT_SCOPE)
endfunction()

function(write_crlf path text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${path}" "${text}")
endfunction()

file(READ "${README}" readme)
readme_section("${readme}" "Checking a dialogue" checking)
readme_section("${readme}" "On Windows" windows)
file(READ "${LICENSE}" licence)

file(REMOVE_RECURSE "${STAGE}")
set(folder "${STAGE}/${NAME}")
file(MAKE_DIRECTORY "${folder}")
file(COPY "${EXE}" DESTINATION "${folder}")
write_crlf("${folder}/README.txt" "${checking}\n${windows}")
write_crlf("${folder}/LICENSE.txt" "${licence}")
file(REMOVE "${ZIP}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip "${NAME}"
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not pack ${ZIP}")
endif()
