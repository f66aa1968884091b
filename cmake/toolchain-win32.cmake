set(ZORV_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
