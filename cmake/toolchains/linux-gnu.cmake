# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-building for another Linux architecture with Debian's cross
# compilers, and running what the build runs (the tests, and the test
# discovery after each link) under qemu-user. Included by one file per
# architecture, which sets:
#   GALGEN_CROSS_TRIPLET    the cross compilers' prefix, e.g. s390x-linux-gnu
#   GALGEN_CROSS_PROCESSOR  CMAKE_SYSTEM_PROCESSOR, e.g. s390x
#   GALGEN_CROSS_QEMU       qemu-user's program for it, e.g. qemu-s390x
# Libraries of the target come from Debian's multiarch folders
# (/usr/lib/<multiarch>, e.g. libgtest-dev:s390x), which CMake searches by
# the library architecture the compiler reports; headers are shared.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${GALGEN_CROSS_PROCESSOR})
set(CMAKE_C_COMPILER ${GALGEN_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${GALGEN_CROSS_TRIPLET}-g++)

# The target's loader and C++ run-time are those of the cross compiler
# (libc6-<arch>-cross, libstdc++6-<arch>-cross), below /usr/<triplet>.
find_program(GALGEN_QEMU ${GALGEN_CROSS_QEMU} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${GALGEN_QEMU} -L /usr/${GALGEN_CROSS_TRIPLET})
