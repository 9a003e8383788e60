# The version is set once, by project(VERSION); the programs include the
# generated OrlanVersion.h (kOrlanVersion) through the orlan_version target.
configure_file(${CMAKE_CURRENT_LIST_DIR}/OrlanVersion.h.in ${PROJECT_BINARY_DIR}/generated/OrlanVersion.h @ONLY)
add_library(orlan_version INTERFACE)
target_include_directories(orlan_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
