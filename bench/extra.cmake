# bench_xml compares the XML reader and writer with pugixml and tinyxml2 (bench-only dependencies).
if(TARGET bench_xml)
  find_package(pugixml REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(TINYXML2 REQUIRED IMPORTED_TARGET tinyxml2)
  target_link_libraries(bench_xml PRIVATE pugixml::pugixml PkgConfig::TINYXML2)
endif()
