# The Debian package, made by CPack from the same install rules as `cmake --install`:
# scripts/package runs it over the Release tree, so nothing is compiled twice.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kreslix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kreslix developers")
set(CPACK_PACKAGE_CONTACT "The Kreslix developers <kreslix@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small, fast raster paint program")
set(CPACK_PACKAGE_DESCRIPTION
    "Kreslix is a small raster paint program with a Slovak user interface.
One window shows one picture; draw on it with nine tools (line, pencil,
rectangle, ellipse, rounded rectangle, eraser, spray, brush and colour
picker) with live previews, choose the pen width, filled or outlined shapes
and the colours, open BMP and JPEG pictures and save them as BMP.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# The libraries come from dpkg-shlibdeps; Qt's Slovak texts are data, which it cannot see. The
# paste reaches Qt's Wayland connection through Qt's platform interface, whose layout holds only
# for the Qt version built against: hence Qt's ABI as well.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, qt6-base-abi (= ${Qt6Gui_VERSION})")
# Qt's Wayland plugin, so that a Wayland session runs the program natively. Recommended, not
# required: without it the program runs, desktop capture included, as an X11 client of XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

include(CPack)
