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
