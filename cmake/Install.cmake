# Installing like a desktop program: the programs, the menu entry with its icon in the usual sizes,
# the AppStream metadata, the manual pages, and a Debian package made by CPack.
include(GNUInstallDirs)

set(DLG_PACKAGE_NAME ashgloam-dlg-editor)
set(DLG_PACKAGE_RELEASE 1)
set(DLG_HOMEPAGE "https://example.org/ashgloam-dlg-editor")
set(DLG_MAINTAINER "Ashgloam DLG Editor developers <dlg-editor@example.org>")
# The release's own date, not the build's, so that two builds give the same files.
set(DLG_RELEASE_DATE 2026-12-07)
set(DLG_RELEASE_DATE_RFC2822 "Mon, 07 Dec 2026 08:00:00 +0000")
set(DLG_ICON_SIZES 16 22 24 32 48 64 128 256)
# The type that file managers give *.dlg, and that the menu entry opens.
set(DLG_MIME_TYPE application/x-ashgloam-dialogue)

# Debian's modes whatever the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

find_program(DLG_GZIP gzip REQUIRED)
set(dlg_src ${CMAKE_SOURCE_DIR}/packaging)
set(dlg_gen ${CMAKE_BINARY_DIR}/packaging)
set(dlg_docdir ${CMAKE_INSTALL_DATADIR}/doc/${DLG_PACKAGE_NAME})

# gzip -n: no name or time stamp in the header, as Debian wants.
function(dlg_gzip_copy in out)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${in} ${out}.tmp
    COMMAND ${DLG_GZIP} -9nf ${out}.tmp
    COMMAND ${CMAKE_COMMAND} -E rename ${out}.tmp.gz ${out}
    DEPENDS ${in}
    VERBATIM)
endfunction()

set(dlg_generated)
foreach(page dlgeditor dlgcheck dlgplay dlg2po po2dlg)
  configure_file(${dlg_src}/${page}.1.in ${dlg_gen}/${page}.1 @ONLY)
  dlg_gzip_copy(${dlg_gen}/${page}.1 ${dlg_gen}/${page}.1.gz)
  list(APPEND dlg_generated ${dlg_gen}/${page}.1.gz)
endforeach()
configure_file(${dlg_src}/changelog.Debian.in ${dlg_gen}/changelog.Debian @ONLY)
dlg_gzip_copy(${dlg_gen}/changelog.Debian ${dlg_gen}/changelog.Debian.gz)
list(APPEND dlg_generated ${dlg_gen}/changelog.Debian.gz)
configure_file(${dlg_src}/copyright.in ${dlg_gen}/copyright @ONLY)
configure_file(${dlg_src}/lintian-overrides.in ${dlg_gen}/lintian-overrides @ONLY)
configure_file(${dlg_src}/app.desktop.in ${dlg_gen}/${DLG_APP_ID}.desktop @ONLY)
configure_file(${dlg_src}/app.metainfo.xml.in ${dlg_gen}/${DLG_APP_ID}.metainfo.xml @ONLY)
configure_file(${dlg_src}/mime.xml.in ${dlg_gen}/${DLG_APP_ID}.xml @ONLY)

if(TARGET render_icons)
  set(dlg_icons)
  foreach(size ${DLG_ICON_SIZES})
    list(APPEND dlg_icons ${dlg_gen}/icons/${size}x${size}/apps/${DLG_APP_ID}.png)
  endforeach()
  # The drawing needs fonts but no display; leak reports of a sanitizer build are not the
  # icon's concern.
  add_custom_command(
    OUTPUT ${dlg_icons}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:render_icons> ${dlg_gen}/icons ${DLG_APP_ID} ${DLG_ICON_SIZES}
    DEPENDS render_icons
    COMMENT "Rendering the window icon for the icon theme"
    VERBATIM)
  list(APPEND dlg_generated ${dlg_icons})
endif()
# Everything that `cmake --install` takes: build this one target before installing.
add_custom_target(dlg_install_files ALL DEPENDS ${dlg_generated})

install(FILES ${dlg_gen}/copyright ${dlg_gen}/changelog.Debian.gz DESTINATION ${dlg_docdir})
install(FILES ${dlg_gen}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME ${DLG_PACKAGE_NAME})

# Deferred to the end of the top folder, so that a program added by any folder, before or after
# this file is included, is installed with its manual page.
function(dlg_install_programs)
  foreach(program dlgeditor dlgcheck dlgplay dlg2po po2dlg)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
      add_dependencies(dlg_install_files ${program})
      install(FILES ${dlg_gen}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
  if(TARGET dlgeditor)
    install(FILES ${dlg_gen}/${DLG_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${dlg_gen}/${DLG_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(DIRECTORY ${dlg_gen}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${dlg_gen}/${DLG_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL dlg_install_programs)

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${DLG_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "The Ashgloam DLG Editor developers")
set(CPACK_PACKAGE_CONTACT ${DLG_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${DLG_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DLG_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${DLG_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not a library the binaries link, but the fonts that the window's look is drawn in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "editor and checker for Ashgloam dialogue files
A dialogue file (.dlg) of the role-playing game Ashgloam holds one
conversation between a non-player character and the player.
.
dlgeditor walks such a conversation line by line, follows the player's
replies to the lines they lead to, edits every field of a line, adds
numbered lines and composes condition and execution expressions. Changes
go to a working copy beside the file until they are saved.
.
dlgcheck reports replies that lead nowhere, lines that can never be
reached and lines that the editor would misread, in the form that
compilers use, and draws a map of a whole conversation.
.
dlgplay plays a conversation as a player of a given sex and
intelligence meets it and prints the transcript, for golden
transcripts in a mod's build.
.
dlg2po and po2dlg take a conversation's wordings to a gettext PO file
and a translated PO file back to a dialogue file, for translators'
tools such as Poedit, keeping every number, check, flag and jump.")
include(CPack)
