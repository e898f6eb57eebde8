# `make package`: a Debian package of what `cmake --install` lays out, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvani4)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR HESTREL)
set(CPACK_PACKAGE_CONTACT "HESTREL <dorvani4@hestrel.jp>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
# Stripped: smaller, and the binaries then carry no paths of the tree they were built in.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Japanese business slip editor for small businesses
Rokuvel Dorvani4 writes estimates, unit-price estimates, delivery slips,
invoices, invoice details, acceptance slips, receipts, fax cover sheets and
total invoices, prints them or saves them as PDF. It keeps customer, item
and unit lists and looks addresses up in the national postal-code table
shipped with it. dorvani4-tool does batch work on the same data.")
# The libraries come from dpkg-shlibdeps; the fonts, the Qt plugins that show a window and
# draw the SVG pictures, and Qt's Japanese translations are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-ipaexfont-gothic, fonts-ipaexfont-mincho, fontconfig, qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/postinst ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Debian keeps a change log beside the copyright file (changelog.gz for a package of its
# own upstream); one entry for the one version.
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ ${DORVANI4_RELEASE_DATE})
set(year ${CMAKE_MATCH_1})
math(EXPR month "${CMAKE_MATCH_2}")
math(EXPR day "${CMAKE_MATCH_3}")
# The weekday of the release (Zeller's congruence, 0 = Saturday).
set(y ${year})
set(m ${month})
if(m LESS 3)
  math(EXPR m "${m} + 12")
  math(EXPR y "${y} - 1")
endif()
math(EXPR weekday "(${day} + (13 * (${m} + 1)) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
set(weekdays Sat Sun Mon Tue Wed Thu Fri)
list(GET weekdays ${weekday} weekday_name)
math(EXPR month_index "${month} - 1")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET months ${month_index} month_name)
set(DORVANI4_CHANGELOG_DATE
    "${weekday_name}, ${day} ${month_name} ${year} 09:00:00 +0900")
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in packaging/changelog @ONLY)
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/packaging/changelog > ${changelog}
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog)
add_custom_target(dorvani4_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
