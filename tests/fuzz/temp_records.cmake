orlan_add_fuzz_target(temp_records
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzTempRecords.cpp
  LIBS orlan_pages)
