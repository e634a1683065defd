#!/usr/bin/env bash
# Installs what building and testing textpair needs on a Debian machine,
# only where something is missing.
set -euo pipefail
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
command -v g++ >/dev/null || need+=(g++)
command -v wget >/dev/null || need+=(wget)
command -v python3 >/dev/null || need+=(python3)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/gmock/gmock.h ] || need+=(libgmock-dev)
# Fuzzing: clang with the libFuzzer runtime of its own version (Debian's
# default pair when clang is missing).
if command -v clang++ >/dev/null; then
  [ -f "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ] ||
    need+=("libclang-rt-$(clang++ -dumpversion | cut -d. -f1)-dev")
else
  need+=(clang libclang-rt-dev)
fi
# The terminal test drives the program in tmux; the browser test drives
# Debian's chromium through playwright-core (node).
command -v tmux >/dev/null || need+=(tmux)
command -v chromium >/dev/null || need+=(chromium)
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
# The Windows build: mingw-w64 cross compiler, Wine to run its tests, and
# GoogleTest's sources to build them with.
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v wine >/dev/null || need+=(wine wine64)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${need[@]}"
fi
