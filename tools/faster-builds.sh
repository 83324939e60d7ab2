# Sourced by the build scripts: when ccache is installed, every tree is
# compiled through it, so a second build of the same sources, in this clone
# or another, takes minutes instead of a quarter of an hour. Paths are hashed
# relative to the clone and the precompiled headers are cached too (their
# time stamps differ from clone to clone, their contents do not).
# Sets VELMORA_LAUNCHER to the CMake arguments; empty without ccache.
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
