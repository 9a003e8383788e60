orlan_add_fuzz_target(routing
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzRouting.cpp
  LIBS orlan_pages)
