# Sourced by scripts/package.sh and scripts/test.sh: the CMake arguments of a release build
# with every hardening Debian offers (bindnow too), so that the test build is the build the
# package is made from. Debian's -g and -O2 are left out: the package's files are stripped,
# and the Release build type sets its own optimisation.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
release_cppflags=$(dpkg-buildflags --get CPPFLAGS)
release_cflags=$(dpkg-buildflags --get CFLAGS | sed -E 's/(^| )-(g|O2)( |$)/ /g')
release_cxxflags=$(dpkg-buildflags --get CXXFLAGS | sed -E 's/(^| )-(g|O2)( |$)/ /g')
release_cmake_args=(
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
  "-DCMAKE_C_FLAGS=$release_cppflags $release_cflags"
  "-DCMAKE_CXX_FLAGS=$release_cppflags $release_cxxflags"
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
)
