# The platform-free code built 32-bit on the host (g++ -m32), as the product
# is a 32-bit program. These machines cannot start 32-bit processes
# themselves, so the tests run through the user-mode emulator qemu-i386.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# Doubles computed as doubles, as in the product (mingw-i686.cmake).
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
# Debian's 32-bit libraries (lib32z1-dev) live in /usr/lib32.
set(CMAKE_LIBRARY_PATH /usr/lib32)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
