# Linux AArch64: the instruction set of the Apple deliverables, on which the Apple flavour's fused
# multiply-add is a single instruction. Debian's cross compiler; target libraries (libffi) come
# from the arm64 multiarch packages; programs run under qemu-aarch64 with the cross sysroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
