orlan_add_fuzz_target(profile_reader
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzProfileReader.cpp
  LIBS orlan_protocol)
