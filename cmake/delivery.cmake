# What the delivery code needs beyond the common build: WinHTTP, the RapidXML
# headers, and the trusted root certificate that signs the installer packages,
# built into the program.
target_link_libraries(vireo_core PUBLIC winhttp)
set(VIREO_RAPIDXML_INCLUDE_DIR /usr/include/rapidxml CACHE PATH "Folder of rapidxml.hpp")
target_include_directories(vireo_core SYSTEM PUBLIC ${VIREO_RAPIDXML_INCLUDE_DIR})
