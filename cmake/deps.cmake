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
