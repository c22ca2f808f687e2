# System libraries, found once for every layer.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(ZLIB REQUIRED)

pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo pangoft2)
pkg_check_modules(HARFBUZZ REQUIRED IMPORTED_TARGET harfbuzz)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(NETTLE REQUIRED IMPORTED_TARGET nettle)
pkg_check_modules(JPEG REQUIRED IMPORTED_TARGET libjpeg)
# The desktop's media controls on the session bus (GLib comes with pango).
pkg_check_modules(GIO REQUIRED IMPORTED_TARGET gio-2.0)

if(LUMENO_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
# A reference JSON library: a test oracle and the benchmark's yardstick, never linked into the reader.
if(LUMENO_BUILD_TESTS OR LUMENO_BUILD_BENCH)
  find_package(nlohmann_json 3 REQUIRED)
endif()
if(LUMENO_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
