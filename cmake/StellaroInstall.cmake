# Installing: the program into bin/, everything it reads into share/stellaro/ (where it looks
# when it runs from bin/), and a desktop entry with its icon so that desktops list it.
include(GNUInstallDirs)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

install(TARGETS stellaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${STELLARO_APP_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/stellaro
        FILES_MATCHING PATTERN "*.db" PATTERN "*.lng" PATTERN "*.txt" PATTERN "*.zip" PATTERN "*.skin"
                       PATTERN "*.bmp")

set(desktop ${PROJECT_SOURCE_DIR}/data/desktop)
install(FILES ${desktop}/stellaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/stellaro.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The icon in the sizes menus and docks ask for most, rasterised from the same drawing.
set(STELLARO_ICON_SIZES 48 128)
set(icon_pngs)
foreach(size ${STELLARO_ICON_SIZES})
  set(png ${CMAKE_BINARY_DIR}/desktop/${size}x${size}/stellaro.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${desktop}/stellaro.svg
    DEPENDS ${desktop}/stellaro.svg
    COMMENT "Rasterising the application icon at ${size} pixels"
    VERBATIM)
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(stellaro_desktop_icons ALL DEPENDS ${icon_pngs})
add_dependencies(stellaro stellaro_desktop_icons)
