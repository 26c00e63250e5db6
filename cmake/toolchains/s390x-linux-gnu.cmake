# SPDX-License-Identifier: GPL-3.0-or-later
# s390x: 64-bit, big-endian, and char is unsigned.
set(GALGEN_CROSS_TRIPLET s390x-linux-gnu)
set(GALGEN_CROSS_PROCESSOR s390x)
set(GALGEN_CROSS_QEMU qemu-s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu.cmake)
