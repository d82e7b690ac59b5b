# The Debian package: `cmake --build BUILD --target package` writes kaz_VERSION_ARCH.deb into BUILD, with
# everything `cmake --install` puts in place and the shared libraries it needs found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kaz)
set(CPACK_PACKAGE_VENDOR Velmor)
set(CPACK_PACKAGE_CONTACT "Velmor <kaz@velmor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chord chart editor and player")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kaz.velmor.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The modules in lib/kaz are loaded by the programs beside them: their libraries count as the programs'.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src)
# A SoundFont for the built-in synthesizer; the better one when the system has it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm | timgm6mb-soundfont")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kaz is an editor and player for chord charts. You type a song as plain text, chord symbols grouped\n\
 into measures by bar lines with repeats, endings and sections, and Kaz plays it on its built-in\n\
 synthesizer or a MIDI output in an accompaniment style, prints it as a lead sheet, transposes it and\n\
 exchanges it with other programs' song formats.")
include(CPack)
