#!/usr/bin/env bash
# Builds the Debian package build-package/bestinshow_<version>_<arch>.deb: installs what is
# missing, builds the program optimised from scratch (the preset package) with Debian's
# hardening flags, packs it with CPack's DEB generator and checks the package with lintian, whose
# errors and warnings fail the script. Install the package with:
# sudo apt install ./build-package/bestinshow_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Debian's compiler and linker flags with every hardening feature, less the debug information
# that the package strips anyway. CMake reads no CPPFLAGS, so they go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

rm -rf build-package
cmake --preset package -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
    -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
    >/dev/null
cmake --build --preset package -j2
(cd build-package && cpack -G DEB)

package=$(ls build-package/bestinshow_*.deb)
dpkg-deb --info "$package"
dpkg-deb --contents "$package"
lintian --info --display-info --pedantic --fail-on error,warning "$package"
echo "Built and checked $package"
