# dlgcheck-<version>-windows-x86_64.zip, made by every Windows build: dlgcheck.exe, the README's
# sections on checking and on Windows as README.txt, and the licence, in a folder of the zip's
# name, text in CR LF for Notepad's sake.
set(DLG_WINDOWS_ZIP_NAME dlgcheck-${PROJECT_VERSION}-windows-x86_64)
set(DLG_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${DLG_WINDOWS_ZIP_NAME}.zip)
add_custom_command(
  OUTPUT ${DLG_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:dlgcheck> -DREADME=${PROJECT_SOURCE_DIR}/README.md
          -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -DSTAGE=${CMAKE_BINARY_DIR}/zip
          -DNAME=${DLG_WINDOWS_ZIP_NAME} -DZIP=${DLG_WINDOWS_ZIP}
          -P ${PROJECT_SOURCE_DIR}/cmake/MakeWindowsZip.cmake
  DEPENDS dlgcheck ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
          ${PROJECT_SOURCE_DIR}/cmake/MakeWindowsZip.cmake
  COMMENT "Packing ${DLG_WINDOWS_ZIP_NAME}.zip"
  VERBATIM)
add_custom_target(dlgcheck_zip ALL DEPENDS ${DLG_WINDOWS_ZIP})
