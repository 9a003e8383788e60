# Every compiler and linker flag of the project lives on this one interface target.
add_library(orlan_flags INTERFACE)
target_compile_options(orlan_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough
  # Field and page descriptions are aggregates with defaults for every member,
  # written with designated initializers that name only what differs.
  -Wno-missing-field-initializers)
target_compile_definitions(orlan_flags INTERFACE
  QT_NO_KEYWORDS)
if(ORLAN_SANITIZE)
  target_compile_options(orlan_flags INTERFACE
    -fsanitize=${ORLAN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(orlan_flags INTERFACE -fsanitize=${ORLAN_SANITIZE})
endif()
if(ORLAN_FUZZ)
  target_compile_options(orlan_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(orlan_flags INTERFACE -fsanitize=address,undefined)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports a false -Wrestrict inside libstdc++ for "text" + std::string
  # at -O2 (GCC bug 105329); nothing of ours is concerned.
  # It also reports -Wmaybe-uninitialized at -O2 for the std::string and
  # std::vector members of designated-initializer aggregates (the settings
  # rows), which are always constructed.
  target_compile_options(orlan_flags INTERFACE -Wno-restrict -Wno-maybe-uninitialized)
endif()
