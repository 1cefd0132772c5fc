# What `cmake --install` puts where, all in one place (the package's file list is checked
# against tests/package/installed-files.txt):
#   bin/                                   quillmark, quillmark-cli, quillmark-printer-sim
#   share/applications/                    quillmark.desktop
#   share/icons/hicolor/{scalable,48x48,256x256}/apps/   the icon (SVG, and PNGs made here)
#   share/metainfo/                        the AppStream description
#   share/man/man1/                        the man pages, made from docs/man/*.scd
#   share/bash-completion/completions/     quillmark-cli's completion
#   lib/systemd/user/                      quillmark-monitor.service (the fleet monitor)
#   share/doc/quillmark/                   README, docs and the example settings files
include(GNUInstallDirs)

set(QM_PACKAGE_NAME quillmark)
set(QM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${QM_PACKAGE_NAME})
# The icon's bitmap sizes, in pixels, beside the scalable one.
set(QM_ICON_SIZES 48 256)

find_program(QM_SCDOC scdoc)
find_program(QM_RSVG_CONVERT rsvg-convert)

# ---- Programs -------------------------------------------------------------------------------
foreach(program quillmark quillmark-cli quillmark-printer-sim)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# ---- Desktop entry, icon, AppStream description (with the window only) ------------------------
if(TARGET quillmark)
    set(resources ${PROJECT_SOURCE_DIR}/src/resources)
    install(FILES ${resources}/quillmark.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${resources}/pictures/quillmark.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

    configure_file(${resources}/quillmark.metainfo.xml.in
                   ${PROJECT_BINARY_DIR}/share/org.quillmark.quillmark.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/share/org.quillmark.quillmark.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    if(QM_RSVG_CONVERT)
        set(pngs)
        foreach(size IN LISTS QM_ICON_SIZES)
            set(png ${PROJECT_BINARY_DIR}/share/icons/${size}x${size}/quillmark.png)
            add_custom_command(
                OUTPUT ${png}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/share/icons/${size}x${size}
                COMMAND ${QM_RSVG_CONVERT} --width=${size} --height=${size} --keep-aspect-ratio
                        --output=${png} ${resources}/pictures/quillmark.svg
                DEPENDS ${resources}/pictures/quillmark.svg
                COMMENT "Drawing the ${size} px icon"
                VERBATIM)
            list(APPEND pngs ${png})
            install(FILES ${png}
                    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        endforeach()
        add_custom_target(qm_icons ALL DEPENDS ${pngs})
    else()
        message(WARNING "rsvg-convert (librsvg2-bin) not found: the icon's PNG sizes are not made "
                        "and not installed; scripts/setup installs it")
    endif()
endif()

# ---- Man pages ------------------------------------------------------------------------------
if(QM_SCDOC)
    set(pages)
    foreach(program quillmark quillmark-cli quillmark-printer-sim)
        if(NOT TARGET ${program})
            continue()
        endif()
        set(source ${PROJECT_SOURCE_DIR}/docs/man/${program}.1.scd)
        set(page ${PROJECT_BINARY_DIR}/share/man/${program}.1.gz)
        add_custom_command(
            OUTPUT ${page}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/share/man
            COMMAND sh -c "\"$0\" < \"$1\" | gzip -9n > \"$2\"" ${QM_SCDOC} ${source} ${page}
            DEPENDS ${source}
            COMMENT "Writing the man page ${program}(1)"
            VERBATIM)
        list(APPEND pages ${page})
        install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    add_custom_target(qm_man_pages ALL DEPENDS ${pages})
else()
    message(WARNING "scdoc not found: the man pages are not made and not installed; "
                    "scripts/setup installs it")
endif()

# ---- Shell completion -------------------------------------------------------------------------
if(TARGET quillmark-cli)
    install(FILES ${PROJECT_SOURCE_DIR}/src/cli/quillmark-cli.bash-completion
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            RENAME quillmark-cli)
endif()

# ---- The fleet monitor's systemd user unit ---------------------------------------------------
if(TARGET quillmark-cli)
    set(QM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/systemd/quillmark-monitor.service.in
                   ${PROJECT_BINARY_DIR}/share/quillmark-monitor.service @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/share/quillmark-monitor.service
            DESTINATION lib/systemd/user)
endif()

# ---- Documentation and examples ---------------------------------------------------------------
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${QM_DOC_DIR})
# The package's copyright file (machine-readable format) and its changelog, compressed as
# Debian keeps changelogs.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${QM_DOC_DIR})
set(qm_changelog_gz ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${qm_changelog_gz}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${qm_changelog_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(qm_changelog ALL DEPENDS ${qm_changelog_gz})
install(FILES ${qm_changelog_gz} DESTINATION ${QM_DOC_DIR})
file(GLOB qm_doc_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${qm_doc_pages} DESTINATION ${QM_DOC_DIR}/docs)
# The monitor's nightly check timer, scrape configuration and alert rules.
file(GLOB qm_monitoring CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/monitoring/*)
install(FILES ${qm_monitoring} DESTINATION ${QM_DOC_DIR}/docs/monitoring)
file(GLOB qm_examples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.prn)
install(FILES ${qm_examples} DESTINATION ${QM_DOC_DIR}/examples)
