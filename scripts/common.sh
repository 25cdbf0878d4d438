# Shared steps of the set-up scripts: sourced, not run.

# Debian packages the build, the tests and the headless window need. Add new needs here.
DIBLAB_PACKAGES=(
  build-essential
  cmake
  qt6-base-dev
  qt6-qpa-plugins
  libgtest-dev
  libbenchmark-dev
  xvfb
  xauth
  fontconfig
  fonts-liberation
)

# What the tests add: the differential test cross-builds the tools for Windows and runs them on
# Wine's gdi32; the keyboard test types into the window on Xvfb (above) with xdotool, under
# openbox and without a window manager.
DIBLAB_TEST_PACKAGES=(
  g++-mingw-w64-x86-64
  wine64
  xdotool
  openbox
)

# What the packaging adds: the Windows cross compiler for the zip of the Windows tools, and what
# CPack uses to find the binaries and compute the Debian package's dependencies.
DIBLAB_PACKAGING_PACKAGES=(
  g++-mingw-w64-x86-64
  dpkg-dev
  file
)

# What checking the packages as a user's machine would see them adds: xdg-mime, with the MIME
# database and the perl module it reads a file's type with, for the experiments' MIME type.
DIBLAB_PACKAGE_CHECK_PACKAGES=(
  lintian
  desktop-file-utils
  appstream
  xdg-utils
  shared-mime-info
  libfile-mimeinfo-perl
  man-db
  unzip
  file
  xvfb
  xauth
)

# What the fuzzing step adds: clang with libFuzzer and the sanitizer runtimes.
DIBLAB_FUZZ_PACKAGES=(
  clang
  libclang-rt-14-dev
)

DIBLAB_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DIBLAB_JOBS="${DIBLAB_JOBS:-$(nproc)}"

# Runs a command as root: directly when the script runs as root, otherwise through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "This step needs root: run the script as root, or install sudo." >&2
    exit 1
  fi
}

# Installs whichever of the named packages are missing, with apt-get.
install_missing_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures and builds the tree in the given folder; further arguments go to cmake.
configure_and_build() {
  local build_dir="$1"
  shift
  cmake -S "$DIBLAB_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DDIBLAB_WARNINGS_AS_ERRORS=ON "$@"
  cmake --build "$build_dir" -j "$DIBLAB_JOBS"
}
