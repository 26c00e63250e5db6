# SPDX-License-Identifier: GPL-3.0-or-later
# i386: 32-bit, little-endian; long and pointers are 4 bytes.
set(GALGEN_CROSS_TRIPLET i686-linux-gnu)
set(GALGEN_CROSS_PROCESSOR i686)
set(GALGEN_CROSS_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu.cmake)
