# Sourced by the build scripts. Two things make a build of the same sources
# quick again, neither changing what is built:
# - When ccache is installed, every tree is compiled through it, so a second
#   build, in this clone or another, compiles only what changed. Paths are
#   hashed relative to the clone and the precompiled headers are cached too
#   (their time stamps differ from clone to clone, their contents do not).
#   VELMORA_LAUNCHER holds the CMake arguments; VELMORA_NO_CCACHE=1 goes
#   without.
# - VELMORA_TEST_LINKER links the test and fuzz trees with lld when it is
#   installed: their fifty programs, each with Qt and the sanitizers, link in
#   a quarter of the time. The Release programs keep the system's linker.
VELMORA_LAUNCHER=""
if command -v ccache >/dev/null 2>&1 && [ "${VELMORA_NO_CCACHE:-}" = "" ]; then
    VELMORA_LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
    CCACHE_BASEDIR=$(pwd)
    CCACHE_NOHASHDIR=1
    CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    export CCACHE_BASEDIR CCACHE_NOHASHDIR CCACHE_SLOPPINESS
else
    # A tree configured with ccache before keeps it unless told otherwise.
    VELMORA_LAUNCHER="-UCMAKE_CXX_COMPILER_LAUNCHER -UCMAKE_C_COMPILER_LAUNCHER"
fi
VELMORA_TEST_LINKER="-DCMAKE_EXE_LINKER_FLAGS= -DCMAKE_SHARED_LINKER_FLAGS="
if command -v ld.lld >/dev/null 2>&1; then
    VELMORA_TEST_LINKER="-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld"
fi
