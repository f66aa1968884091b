set(ZORV_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
