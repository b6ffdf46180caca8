# Windows build (MinGW-w64 cross compilers): the program and the test programs that run under Wine.
enable_language(RC)

set(GLUMA_WIN_DEFINES UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
# Keep the program small: drop unused code and data, strip symbols in release builds.
add_compile_options(-ffunction-sections -fdata-sections)
set(GLUMA_STATIC_LINK -static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
if(GLUMA_RELEASE_PROGRAM)
  # No path of the build machine in the program (through __FILE__ or an assertion's message).
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>)
endif()

add_library(glumacore STATIC ${GLUMA_CORE_SOURCES})
target_include_directories(glumacore PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(glumacore PRIVATE ${GLUMA_WARNINGS})
target_compile_definitions(glumacore PUBLIC ${GLUMA_WIN_DEFINES})

# Everything but the entry point, so the test programs can link the same code.
file(GLOB GLUMA_APP_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/toolkit/*.cpp
  ${CMAKE_SOURCE_DIR}/shell/*.cpp
  ${CMAKE_SOURCE_DIR}/note/*.cpp
  ${CMAKE_SOURCE_DIR}/imaging/*.cpp)
# The terminate handler replaces a library default, so it must be an object of the program
# itself (an archive member would never be pulled in for it).
list(REMOVE_ITEM GLUMA_APP_SOURCES ${CMAKE_SOURCE_DIR}/shell/WinMain.cpp ${CMAKE_SOURCE_DIR}/toolkit/Terminate.cpp)
set(GLUMA_LATE_LIBS comctl32 comdlg32 oleacc oleaut32)
if(GLUMA_RELEASE_PROGRAM)
  # The release program loads the common controls and the file dialogs' library when a
  # window first needs them, not at start: under Wine, comctl32 (which comdlg32 imports)
  # costs 1.7 MB of memory as soon as it is loaded, and the hidden main window and the
  # icon need neither. LLD delay-loads only DLLs named in short-format import libraries,
  # which the toolchain's (dlltool-made) ones are not: such libraries are made here, from
  # the names in the toolchain's. (A delay library made by dlltool itself does not do:
  # LLD puts its address table in read-only memory.) The accessibility libraries (oleacc
  # and the string functions of oleaut32) wait in the same way for a screen reader's first
  # question.
  find_program(GLUMA_NM NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-nm REQUIRED)
  find_program(GLUMA_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
  set(GLUMA_LATE_LIBS)
  foreach(dll comctl32 comdlg32 oleacc oleaut32)
    execute_process(COMMAND ${GLUMA_NM} ${CMAKE_FIND_ROOT_PATH}/lib/lib${dll}.a
                    OUTPUT_VARIABLE symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "__imp__[A-Za-z0-9_]+@[0-9]+" imports "${symbols}")
    list(REMOVE_DUPLICATES imports)
    list(TRANSFORM imports REPLACE "^__imp__" "")
    list(JOIN imports "\n" exports)
    file(WRITE ${CMAKE_BINARY_DIR}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${GLUMA_LLVM_DLLTOOL} -m i386 -k -d ${CMAKE_BINARY_DIR}/${dll}.def
                            -D ${dll}.dll -l ${CMAKE_BINARY_DIR}/lib${dll}_late.a
                    COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND GLUMA_LATE_LIBS ${CMAKE_BINARY_DIR}/lib${dll}_late.a -Wl,--delayload=${dll}.dll)
  endforeach()
  foreach(lib -lcomdlg32 -loleaut32)
    string(REPLACE "${lib}" "" CMAKE_CXX_STANDARD_LIBRARIES "${CMAKE_CXX_STANDARD_LIBRARIES}")
  endforeach()
endif()

add_library(glumaapp STATIC ${GLUMA_APP_SOURCES})
target_link_libraries(glumaapp PUBLIC glumacore ${GLUMA_LATE_LIBS} shell32 gdi32 user32 kernel32)
target_compile_options(glumaapp PRIVATE ${GLUMA_WARNINGS})

set(GLUMA_RC ${CMAKE_SOURCE_DIR}/resources/GlumaNote.rc)
set_source_files_properties(${GLUMA_RC} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/version.h")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND NOT GLUMA_RELEASE_PROGRAM)
  # The 32-bit program is the release: it is made in a build of its own (build/i686/release)
  # by the win32-thread-model compiler, for size, and copied here. This tree's compiler
  # (posix thread model) makes the test programs: GoogleTest and some tests need
  # std::mutex and std::thread, which the program does not use. The end-to-end tests run
  # the copied program itself.
  include(ExternalProject)
  ExternalProject_Add(GlumaNote
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/release
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686-release.cmake
               -DCMAKE_BUILD_TYPE=MinSizeRel -DGLUMA_RELEASE_PROGRAM=ON -DGLUMA_PROGRAM_ONLY=ON
               -DGLUMA_SOURCE_DATE_EPOCH=${GLUMA_SOURCE_DATE_EPOCH}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different <BINARY_DIR>/GlumaNote.exe ${CMAKE_BINARY_DIR}/GlumaNote.exe)
else()
  add_executable(GlumaNote WIN32 ${CMAKE_SOURCE_DIR}/shell/WinMain.cpp ${CMAKE_SOURCE_DIR}/toolkit/Terminate.cpp ${GLUMA_RC})
  target_link_libraries(GlumaNote PRIVATE glumaapp)
  target_compile_options(GlumaNote PRIVATE ${GLUMA_WARNINGS})
  target_link_options(GlumaNote PRIVATE ${GLUMA_STATIC_LINK} -municode -s)
  if(GLUMA_RELEASE_PROGRAM)
    # Linked by LLD (see cmake/lld/collect2): only with it does --gc-sections drop unused
    # functions, a third of the program.
    # The link map (release/GlumaNote.map) says what each part of the program costs.
    target_link_options(GlumaNote PRIVATE -B${CMAKE_SOURCE_DIR}/cmake/lld/ -Wl,-Map,${CMAKE_BINARY_DIR}/GlumaNote.map)
    # The same source gives the same bytes: the PE header's time stamp is the source's time
    # (scripts/build passes SOURCE_DATE_EPOCH), not the time of the link.
    if(GLUMA_SOURCE_DATE_EPOCH)
      target_link_options(GlumaNote PRIVATE -Wl,--Xlink=-timestamp:${GLUMA_SOURCE_DATE_EPOCH})
    endif()
  endif()
endif()

if(NOT GLUMA_PROGRAM_ONLY)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB GLUMA_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
  add_executable(glumawin_tests ${GLUMA_WIN_TESTS} ${GLUMA_RC})
  target_link_libraries(glumawin_tests PRIVATE glumaapp gtest)
  target_compile_options(glumawin_tests PRIVATE ${GLUMA_WARNINGS})
  target_link_options(glumawin_tests PRIVATE ${GLUMA_STATIC_LINK})

  # Small Win32 helper programs of the test suite (window inspection).
  file(GLOB GLUMA_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp)
  foreach(src ${GLUMA_TOOLS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_options(${name} PRIVATE ${GLUMA_STATIC_LINK} -municode)
    target_compile_definitions(${name} PRIVATE ${GLUMA_WIN_DEFINES})
    target_compile_options(${name} PRIVATE ${GLUMA_WARNINGS})
    target_link_libraries(${name} PRIVATE user32 gdi32 shell32 kernel32 psapi oleacc ole32 oleaut32)
  endforeach()

  # Benchmarks under Wine: those of the program's own code (*bench.cpp) link it and its
  # resources; the others are baselines (a bare program that only adds a tray icon).
  file(GLOB GLUMA_BENCH_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/win/*.cpp)
  foreach(src ${GLUMA_BENCH_TOOLS})
    get_filename_component(name ${src} NAME_WE)
    if(name MATCHES "bench$")
      add_executable(${name} ${src} ${GLUMA_RC})
      target_link_libraries(${name} PRIVATE glumaapp)
    else()
      add_executable(${name} ${src})
      target_compile_definitions(${name} PRIVATE ${GLUMA_WIN_DEFINES})
      target_link_libraries(${name} PRIVATE user32 gdi32 shell32 kernel32 psapi)
    endif()
    target_compile_options(${name} PRIVATE ${GLUMA_WARNINGS})
    target_link_options(${name} PRIVATE ${GLUMA_STATIC_LINK} -municode)
  endforeach()
endif()
