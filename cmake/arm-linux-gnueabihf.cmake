# Linux ARM 32-bit hard-float (armv7-a, VFPv3-D16): the target of Tessaline3Linux.
# Debian's cross compiler; the target's run-time libraries (C library, libstdc++, libffi) come
# from the armhf multiarch packages, so programs run under plain qemu-arm. (The cross compiler's
# own sysroot, given to qemu-arm with -L, crashes at the first thread a program starts.)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm)
