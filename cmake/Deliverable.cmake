# Helpers for the libraries we ship. They must load on Windows 95 and
# NT 4.0: no thread storage directory (our own entry routine replaces the
# toolchain startup), only system DLLs imported, exports fixed by .def files.

set(ZORV_WIN_DEFINES _WIN32_WINNT=0x0400 WINVER=0x0400 _WIN32_IE=0x0300
    __USE_MINGW_ANSI_STDIO=0 WIN32_LEAN_AND_MEAN STRICT)

# zorv_add_dll(<target> OUTPUT <file name without .dll> DEF <file>
#              SOURCES ... [LIBS ...] [CRT])
# Without CRT the library links no C runtime at all (kernel32, user32 and
# friends only, no exceptions or RTTI). With CRT it links msvcrt and the
# static C++ runtime, with exceptions.
# No -fdata-sections: with it the toolchain puts zero-filled statics into
# .data$name sections, which take room in the file, instead of .bss.
function(zorv_add_dll target)
  cmake_parse_arguments(ARG "CRT" "OUTPUT;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES} ${ARG_DEF} $<TARGET_OBJECTS:zorv_startup>)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${ARG_OUTPUT} SUFFIX ".dll")
  target_compile_definitions(${target} PRIVATE ${ZORV_WIN_DEFINES})
  target_compile_options(${target} PRIVATE -Os -Wall -ffunction-sections
      -fno-stack-protector -fno-threadsafe-statics
      $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
  target_link_options(${target} PRIVATE -nostartfiles -Wl,-e,_ZorvDllStartup@12
      -Wl,--gc-sections -Wl,--enable-stdcall-fixup)
  if(ARG_CRT)
    target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++)
  else()
    target_sources(${target} PRIVATE $<TARGET_OBJECTS:zorv_freestanding>)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>
        -fno-asynchronous-unwind-tables)
    target_link_options(${target} PRIVATE -nostdlib)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} gcc kernel32)
    return()
  endif()
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
endfunction()

# Flags for static archives of a library's own code that the tests link
# directly, compiled exactly like the library.
function(zorv_library_flags target)
  target_compile_definitions(${target} PUBLIC ${ZORV_WIN_DEFINES})
  target_compile_options(${target} PRIVATE -Os -Wall -ffunction-sections
      -fno-stack-protector -fno-threadsafe-statics -fno-asynchronous-unwind-tables
      $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti -fno-exceptions>)
endfunction()
