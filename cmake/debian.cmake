# The Debian package of the Linux build (cpack, `package` target):
#   cmake --build --preset linux --target package
# writes build/linux/package/tarvex_<version>_<arch>.deb. The program and its
# library live in /usr/lib/tarvex beside the marker that makes the copy keep
# its settings per user; /usr/bin/tarvex and XScreenSaver's hack folder link
# to it.
set(TARVEX_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(TARVEX_STAGE ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${TARVEX_STAGE})
file(CREATE_LINK ../lib/tarvex/tarvex ${TARVEX_STAGE}/bin-tarvex SYMBOLIC)
file(CREATE_LINK ../../lib/tarvex/tarvex ${TARVEX_STAGE}/hack-tarvex SYMBOLIC)

# Manual pages and the changelog go in compressed, without time stamps.
foreach(doc tarvex.6 changelog)
  add_custom_command(OUTPUT ${TARVEX_STAGE}/${doc}.gz
    COMMAND gzip -9n -c ${TARVEX_PACKAGING}/${doc} > ${TARVEX_STAGE}/${doc}.gz
    DEPENDS ${TARVEX_PACKAGING}/${doc})
endforeach()
add_custom_target(tarvex_package_docs ALL
  DEPENDS ${TARVEX_STAGE}/tarvex.6.gz ${TARVEX_STAGE}/changelog.gz)

install(TARGETS tarvex vbmp3 RUNTIME DESTINATION lib/tarvex LIBRARY DESTINATION lib/tarvex)
install(FILES ${PROJECT_SOURCE_DIR}/samples/readme.txt ${PROJECT_SOURCE_DIR}/samples/tarvex.ini
  ${TARVEX_PACKAGING}/tarvex.installed DESTINATION lib/tarvex)
install(FILES ${TARVEX_STAGE}/bin-tarvex DESTINATION bin RENAME tarvex)
install(FILES ${TARVEX_STAGE}/hack-tarvex DESTINATION libexec/xscreensaver RENAME tarvex)
install(FILES ${TARVEX_PACKAGING}/tarvex.xml DESTINATION share/xscreensaver/config)
install(FILES ${TARVEX_PACKAGING}/tarvex.desktop DESTINATION share/applications/screensavers)
install(FILES ${TARVEX_STAGE}/tarvex.6.gz DESTINATION share/man/man6)
install(FILES ${TARVEX_PACKAGING}/copyright ${TARVEX_STAGE}/changelog.gz
  DESTINATION share/doc/tarvex)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "tarvex maintainers <tarvex@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, mpg123")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xsecurelock")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "text-crawl screen saver")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "tarvex shows a message from a text file as a block of text that
rises from the bottom of the screen and narrows toward a vanishing point
above it, like the opening crawl of a film, with an MP3 file as background
music. It runs in XScreenSaver and xsecurelock, or by itself full screen.")
include(CPack)
