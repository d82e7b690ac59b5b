# The window's translations: lrelease makes kaz_LANG.qm from translations/kaz_LANG.ts, and the window carries
# them in its resources, so that a build and an installation find them alike. Debian's Qt 6.4 keeps the
# LinguistTools CMake package apart from lupdate and lrelease, so the build calls the tools itself.
find_program(KAZ_LRELEASE NAMES lrelease lrelease-qt6 HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)
find_program(KAZ_LUPDATE NAMES lupdate lupdate-qt6 HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)
file(GLOB KAZ_TRANSLATION_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/kaz_*.ts)

# Where lupdate looks for the window's texts: its code and its dialogs' forms.
set(KAZ_LUPDATE_ARGUMENTS -I ${PROJECT_SOURCE_DIR}/src -locations none -no-obsolete
    ${PROJECT_SOURCE_DIR}/src/app ${PROJECT_SOURCE_DIR}/resources/dialogs)

# Adds the compiled translations to target's resources under :/translations.
function(kaz_add_translations target)
    set(compiled)
    foreach(source ${KAZ_TRANSLATION_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        set(qm ${CMAKE_CURRENT_BINARY_DIR}/translations/${name}.qm)
        add_custom_command(OUTPUT ${qm}
            COMMAND ${KAZ_LRELEASE} -silent ${source} -qm ${qm}
            DEPENDS ${source}
            COMMENT "Compiling the translation ${name}")
        list(APPEND compiled ${qm})
    endforeach()
    if(compiled)
        qt_add_resources(${target} kaz_translations PREFIX "/translations"
            BASE ${CMAKE_CURRENT_BINARY_DIR}/translations FILES ${compiled})
    endif()
endfunction()

# `cmake --build BUILD --target kaz-update-translations` brings every .ts up to the window's texts: new texts
# come in unfinished, texts no longer used go.
add_custom_target(kaz-update-translations
    COMMAND ${KAZ_LUPDATE} ${KAZ_LUPDATE_ARGUMENTS} -ts ${KAZ_TRANSLATION_SOURCES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    VERBATIM)
