# The Debian package made by CPack (scripts/package.sh): the install rules give its files,
# this gives its control fields. The libraries it needs come from the executables
# (dpkg-shlibdeps, which also brings Qt WebEngine's helper process through the library's
# shlibs); Depends and Recommends add the fonts, which are loaded, not linked.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VERSION ${QUILLON_VERSION})
set(CPACK_PACKAGE_CONTACT ${QUILLON_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "harvest business listings from online directories")
set(CPACK_PACKAGE_DESCRIPTION "\
Quillon reads the result pages of online business directories (the Spanish,
Italian, Australian and Canadian yellow pages) and turns every listing into a
record: name, activity, phone, fax, street, postal code, locality, province,
web address and e-mail. Search a directory in its built-in browser, press that
directory's Capture button, and Quillon reads every result page in turn, keeps
the new listings in an editable table without duplicates and saves them as a
spreadsheet (.xls, .xlsx, .csv or .json).

The same engine runs without a window, from the command line: quillon-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's look loads Tahoma from Wine's fonts; DejaVu Sans stands in for it when they
# are not installed, and draws the letter of the window's icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
