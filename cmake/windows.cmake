# Windows targets: the program, its hook library, and their resources.

# Windows-only code lives in src/<subsystem>/win/*.cpp; everything but the
# entry point goes into one library so the in-process tests can link it.
file(GLOB KOLO_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/win/*.cpp)
list(FILTER KOLO_WIN_SOURCES EXCLUDE REGEX "/src/app/win/winmain\\.cpp$")
add_library(kolo_win STATIC ${KOLO_WIN_SOURCES})
target_include_directories(kolo_win PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(kolo_win PUBLIC kolo_core gdi32 user32 comctl32 uuid advapi32 msimg32 imm32)

# System libraries that only some commands need (file dialogs, the shell, GDI+,
# printing, COM, version info) are delay-loaded by Kolo.exe: loaded on first
# use, so start-up and memory stay small. The delay import libraries are made
# from MinGW's own import libraries; the test programs link the plain ones.
set(KOLO_DELAYED_DLLS comdlg32 shell32 shlwapi gdiplus ole32 oleaut32 version winspool)
find_program(KOLO_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
find_program(KOLO_MINGW_NM NAMES x86_64-w64-mingw32-nm REQUIRED)
set(KOLO_DELAY_LIBS "")
foreach(lib ${KOLO_DELAYED_DLLS})
  find_library(_kolo_implib_${lib} NAMES lib${lib}.a REQUIRED)
  set(_dll ${lib}.dll)
  if(lib STREQUAL "winspool")
    set(_dll winspool.drv)
  endif()
  set(_out ${CMAKE_BINARY_DIR}/delay/lib${lib}_delay.a)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -DNM=${KOLO_MINGW_NM} -DDLLTOOL=${KOLO_DLLTOOL} -DIMPLIB=${_kolo_implib_${lib}}
            -DDLL=${_dll} -DOUT=${_out} -P ${CMAKE_SOURCE_DIR}/cmake/delay-import.cmake
    DEPENDS ${_kolo_implib_${lib}} ${CMAKE_SOURCE_DIR}/cmake/delay-import.cmake
    COMMENT "Delay import library for ${_dll}")
  list(APPEND KOLO_DELAY_LIBS ${_out})
endforeach()
add_custom_target(kolo_delay_libs DEPENDS ${KOLO_DELAY_LIBS})
set(KOLO_PLAIN_DLLS ${KOLO_DELAYED_DLLS})

# The hook library: plain C-style exports, imports only user32 and kernel32.
file(GLOB KOLOD_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/hook/win/dll/*.cpp)
if(KOLOD_SOURCES)
  add_library(kolod SHARED ${KOLOD_SOURCES} ${CMAKE_SOURCE_DIR}/src/hook/win/dll/kolod.def)
  set_target_properties(kolod PROPERTIES PREFIX "" OUTPUT_NAME "kolod")
  target_link_options(kolod PRIVATE -nostdlib -Wl,--enable-stdcall-fixup -Wl,-e,DllMain)
  target_compile_options(kolod PRIVATE -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-stack-protector)
  target_link_libraries(kolod PRIVATE user32 kernel32)
  target_include_directories(kolod PRIVATE ${CMAKE_SOURCE_DIR}/src)
  set(KOLO_HOOK_DLL $<TARGET_FILE:kolod>)
endif()

# Artwork: art/ sources -> GIF image lists, the icon and an .rc fragment.
set(KOLO_GEN ${CMAKE_BINARY_DIR}/generated)
file(MAKE_DIRECTORY ${KOLO_GEN})
file(GLOB_RECURSE KOLO_ART_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/art/*)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
if(EXISTS ${CMAKE_SOURCE_DIR}/art/build_art.py)
  add_custom_command(
    OUTPUT ${KOLO_GEN}/art.rc ${KOLO_GEN}/art_ids.h
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/art/build_art.py --out ${KOLO_GEN}
    DEPENDS ${KOLO_ART_SOURCES}
    COMMENT "Drawing the artwork")
else()
  # No artwork yet: empty fragments keep the resource script valid.
  file(WRITE ${KOLO_GEN}/art.rc "")
  file(WRITE ${KOLO_GEN}/art_ids.h "#pragma once\n")
endif()
add_custom_target(kolo_art DEPENDS ${KOLO_GEN}/art.rc ${KOLO_GEN}/art_ids.h)

# Resource script: version, icon, artwork, and the hook library as "KOLODLL".
set(KOLO_RESOURCE_FILE ${CMAKE_SOURCE_DIR}/src/app/win/kolo.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${KOLO_GEN} -I${CMAKE_SOURCE_DIR}/src")
add_custom_target(kolo_resources DEPENDS kolo_art)
set(_kolo_rc_depends "${KOLO_GEN}/art.rc;${KOLO_GEN}/art_ids.h;${CMAKE_SOURCE_DIR}/src/app/win/kolo.manifest")
if(TARGET kolod)
  # A copy beside the resource script, as a real build output: the resource is
  # recompiled whenever the library changes (OBJECT_DEPENDS takes no $<...>).
  # A release signs the hook library before it is packed into Kolo.exe.
  set(KOLO_CODESIGN_SCRIPT "" CACHE FILEPATH "Signs a binary: SCRIPT IN OUT (release builds)")
  if(KOLO_CODESIGN_SCRIPT)
    set(_kolo_hook_copy ${KOLO_CODESIGN_SCRIPT} $<TARGET_FILE:kolod> ${KOLO_GEN}/kolod.dll)
  else()
    set(_kolo_hook_copy ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kolod> ${KOLO_GEN}/kolod.dll)
  endif()
  add_custom_command(OUTPUT ${KOLO_GEN}/kolod.dll
    COMMAND ${_kolo_hook_copy}
    DEPENDS kolod
    COMMENT "Copying kolod.dll for the resource")
  add_custom_target(kolo_hook_copy DEPENDS ${KOLO_GEN}/kolod.dll)
  add_dependencies(kolo_resources kolo_hook_copy)
  file(CONFIGURE OUTPUT ${KOLO_GEN}/hook_resource.rc CONTENT "KOLODLL RCDATA \"kolod.dll\"\n")
  list(APPEND _kolo_rc_depends ${KOLO_GEN}/kolod.dll)
else()
  file(CONFIGURE OUTPUT ${KOLO_GEN}/hook_resource.rc CONTENT "")
endif()
list(APPEND _kolo_rc_depends ${KOLO_GEN}/hook_resource.rc)
# Also used by tests/ for the test program's copy of the resources.
set(KOLO_RC_DEPENDS "${_kolo_rc_depends}")
set_source_files_properties(${KOLO_RESOURCE_FILE} PROPERTIES OBJECT_DEPENDS "${KOLO_RC_DEPENDS}")
add_dependencies(kolo_win kolo_art)

add_executable(Kolo WIN32 ${CMAKE_SOURCE_DIR}/src/app/win/winmain.cpp ${KOLO_RESOURCE_FILE})
set_target_properties(Kolo PROPERTIES OUTPUT_NAME "Kolo")
target_link_libraries(Kolo PRIVATE kolo_win ${KOLO_DELAY_LIBS} delayimp)
add_dependencies(Kolo kolo_delay_libs)
# Sections aligned in the file as in memory: Wine then maps the image from the
# file page by page (shared, only what is touched) instead of copying all of
# it into private memory at start.
target_link_options(Kolo PRIVATE -municode -Wl,--file-alignment,4096 -Wl,--section-alignment,4096)
add_dependencies(Kolo kolo_resources)

# Kolo ships stripped.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  target_link_options(Kolo PRIVATE -s)
endif()

# The start-up benchmark's programs (bench/startup.sh runs them).
add_executable(kolo_launch ${CMAKE_SOURCE_DIR}/bench/startup/launcher.cpp)
target_link_options(kolo_launch PRIVATE -municode)
target_link_libraries(kolo_launch PRIVATE psapi)
add_executable(kolo_bare_window WIN32 ${CMAKE_SOURCE_DIR}/bench/startup/bare_window.cpp)
target_link_options(kolo_bare_window PRIVATE -municode -s)
set_target_properties(kolo_launch kolo_bare_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# The font browser benchmark (bench/font_browser.sh runs it with a generated font set).
add_executable(kolo_font_bench ${CMAKE_SOURCE_DIR}/bench/fonts/font_browser_bench.cpp ${KOLO_RESOURCE_FILE})
target_link_libraries(kolo_font_bench PRIVATE kolo_win ${KOLO_PLAIN_DLLS})
target_link_options(kolo_font_bench PRIVATE -municode)
add_dependencies(kolo_font_bench kolo_resources)
set_target_properties(kolo_font_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
# The screenshot list benchmark (bench/image_list.sh runs it).
add_executable(kolo_image_list_bench ${CMAKE_SOURCE_DIR}/bench/image_list/image_list_bench.cpp)
target_link_options(kolo_image_list_bench PRIVATE -municode)
target_link_libraries(kolo_image_list_bench PRIVATE kolo_win ${KOLO_PLAIN_DLLS} psapi)
set_target_properties(kolo_image_list_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
# The preview's stepping benchmark (bench/preview_step.sh runs it under Wine).
add_executable(kolo_preview_step ${CMAKE_SOURCE_DIR}/bench/preview_step/preview_step.cpp ${KOLO_RESOURCE_FILE})
target_link_libraries(kolo_preview_step PRIVATE kolo_win ${KOLO_PLAIN_DLLS})
target_include_directories(kolo_preview_step PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(kolo_preview_step kolo_resources)
set_target_properties(kolo_preview_step PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
