# Read by cpack for each generator: the package installs under /usr, the
# tarball holds the tree relative to the prefix, to be unpacked where the
# user likes.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
else()
    set(CPACK_PACKAGING_INSTALL_PREFIX "/")
endif()
