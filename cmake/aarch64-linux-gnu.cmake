# Linux AArch64: the instruction set of the Apple deliverables, on which the Apple flavour's fused
# multiply-add is a single instruction. Debian's cross compiler; the target's run-time libraries
# (C library, libstdc++, libffi) come from the arm64 multiarch packages, so programs run under
# plain qemu-aarch64. (The cross compiler's own sysroot, given to qemu with -L, crashes at the
# first thread a program starts.)
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
