# Dependencies. pugixml, JsonCpp and SQLite come as Debian source packages that
# tools/setup unpacks under ZEMO_DEPS_DIR; they are compiled here as static libraries.
set(ZEMO_DEPS_DIR "${CMAKE_SOURCE_DIR}/build/deps" CACHE PATH "Unpacked dependency sources")
set(deps_src ${ZEMO_DEPS_DIR}/src)

foreach(dep pugixml jsoncpp sqlite3)
  if(NOT EXISTS ${deps_src}/${dep})
    message(FATAL_ERROR "Missing ${deps_src}/${dep}: run tools/setup first")
  endif()
endforeach()

add_library(pugixml STATIC ${deps_src}/pugixml/src/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${deps_src}/pugixml/src)

file(GLOB jsoncpp_sources ${deps_src}/jsoncpp/src/lib_json/*.cpp)
add_library(jsoncpp STATIC ${jsoncpp_sources})
target_include_directories(jsoncpp SYSTEM PUBLIC ${deps_src}/jsoncpp/include)

add_library(sqlite3 STATIC ${deps_src}/sqlite3/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${deps_src}/sqlite3)
target_compile_definitions(sqlite3 PRIVATE SQLITE_THREADSAFE=1 SQLITE_DEFAULT_FOREIGN_KEYS=0)
target_compile_options(sqlite3 PRIVATE -w)

# zlib: mingw-w64 package in the cross build, the host's in the native one.
if(ZEMO_NATIVE)
  find_package(ZLIB REQUIRED)
  add_library(zlib INTERFACE)
  target_link_libraries(zlib INTERFACE ZLIB::ZLIB)
else()
  find_library(ZEMO_ZLIB NAMES libz.a z REQUIRED)
  add_library(zlib INTERFACE)
  target_link_libraries(zlib INTERFACE ${ZEMO_ZLIB})
endif()

# GoogleTest from Debian's source package, built with the compiler in use.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gmock)
  target_compile_options(${t} PRIVATE -w)
endforeach()

# libavcodec, built by tools/setup from Debian's ffmpeg source: the decoders (and
# swscale) for the Windows build, the FLV1 and AAC encoders for the host's test media
# helper.
function(zemo_ffmpeg_library name prefix lib deps)
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${prefix}/lib/lib${lib}.a
    INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include INTERFACE_LINK_LIBRARIES "${deps}"
    INTERFACE_COMPILE_DEFINITIONS __STDC_CONSTANT_MACROS)
endfunction()
set(ffmpeg_host ${ZEMO_DEPS_DIR}/ffmpeg-host)
set(ffmpeg_windows ${ZEMO_DEPS_DIR}/ffmpeg-${ZEMO_WINDOWS_ARCH})
if(NOT ZEMO_NATIVE)
  foreach(build ${ffmpeg_host} ${ffmpeg_windows})
    if(NOT EXISTS ${build}/.built)
      message(FATAL_ERROR "Missing ${build}: run tools/setup first")
    endif()
  endforeach()
  zemo_ffmpeg_library(ffmpeg_avutil ${ffmpeg_windows} avutil "user32;bcrypt;atomic")
  zemo_ffmpeg_library(ffmpeg_avcodec ${ffmpeg_windows} avcodec "ffmpeg_avutil;ole32;user32")
  zemo_ffmpeg_library(ffmpeg_swscale ${ffmpeg_windows} swscale "ffmpeg_avutil")
endif()
