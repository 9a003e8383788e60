orlan_add_fuzz_target(receive_path
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzReceivePath.cpp
  LIBS orlan_protocol)
