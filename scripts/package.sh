#!/usr/bin/env bash
# Builds DIB Lab in Release with Debian's hardening flags and writes into dist/ the Debian package
# diblab_VERSION_amd64.deb and the zip of the Windows command-line tools.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${DIBLAB_PACKAGES[@]}" "${DIBLAB_PACKAGING_PACKAGES[@]}"
cd "$DIBLAB_ROOT"
build_dir="$DIBLAB_ROOT/build-package"
dist="$DIBLAB_ROOT/dist"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
configure_and_build "$build_dir" \
  -DDIBLAB_BUILD_TESTS=OFF \
  -DDIBLAB_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build_dir" --target windows_zip -j "$DIBLAB_JOBS"
rm -rf "$build_dir/cpack"
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/cpack"

mkdir -p "$dist"
rm -f "$dist"/diblab_*.deb "$dist"/diblab-*-windows-x64.zip
cp "$build_dir"/cpack/diblab_*.deb "$build_dir"/packaging/windows/diblab-*-windows-x64.zip "$dist/"
echo "Written:"
ls -l "$dist"/diblab_*.deb "$dist"/diblab-*-windows-x64.zip
