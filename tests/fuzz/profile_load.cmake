orlan_add_fuzz_target(profile_load
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzProfileLoad.cpp
  LIBS orlan_pages)
