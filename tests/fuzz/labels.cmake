orlan_add_fuzz_target(codec_catalogue SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/FuzzCodecCatalogue.cpp LIBS orlan_protocol)
