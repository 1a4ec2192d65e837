# What `cmake --install` puts under the prefix and what `cpack -G DEB` packs. The installed
# program writes nothing here: its data lives in the user's ~/.local/share/Kelvora.
include(GNUInstallDirs)

install(TARGETS kelvora kelvora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(game ${KELVORA_GAMES})
  install(FILES data/${game}-history.dxt DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora RENAME ${game}.dxt)
  if(EXISTS ${CMAKE_SOURCE_DIR}/data/${game}-figures.txt)
    install(FILES data/${game}-figures.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora)
  endif()
endforeach()
install(FILES data/readme.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora)
install(FILES data/wheels.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvora)
install(FILES data/install/kelvora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/install/com.tessane.kelvora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/kelvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES data/icons/kelvora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kelvora.png)
endforeach()

# Man pages are installed compressed, as Debian expects.
set(KELVORA_MAN ${CMAKE_BINARY_DIR}/man/kelvora-cli.1.gz)
add_custom_command(OUTPUT ${KELVORA_MAN}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/data/install/kelvora-cli.1 > ${KELVORA_MAN}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/install/kelvora-cli.1 VERBATIM)
add_custom_target(man_pages ALL DEPENDS ${KELVORA_MAN})
install(FILES ${KELVORA_MAN} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VENDOR "Tessane")
set(CPACK_PACKAGE_CONTACT "Kelvora developers <kelvora@tessane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chinese lottery analysis (shrink, prediction, charts)")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Kelvora serves the Chinese lotteries: the two-colour ball (shuangseqiu), the\n"
  "super lotto (daletou) and qilecai. For each it keeps the history of draws and offers\n"
  "a shrink engine over all tickets, frequency-based predictions, a history query,\n"
  "thirteen chart pages, a prize check and a bet ledger, in Chinese.\n"
  "kelvora-cli is the same engine for scripts.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked, so dpkg-shlibdeps cannot see them: the browser's helper process,
# the X11 and Wayland platform plugins, a font with Chinese characters, Qt's Chinese dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, qt6-qpa-plugins, fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
