# The Windows game: a windowed program (no console window of its own) with its icon and version, and
# what a player downloads: build/zerathon-VERSION-win64.zip, the folder Zerathon/ with the program, its
# data and a short read-me. The program links everything statically, so it needs no DLL beside it.
set_target_properties(zerathon PROPERTIES WIN32_EXECUTABLE TRUE)
configure_file(${CMAKE_SOURCE_DIR}/dist/windows/zerathon.rc.in ${CMAKE_BINARY_DIR}/zerathon.rc @ONLY)
target_sources(zerathon PRIVATE ${CMAKE_BINARY_DIR}/zerathon.rc)
set_property(SOURCE ${CMAKE_BINARY_DIR}/zerathon.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/dist/icons/zerathon.ico)

# The zip is made from a fresh copy, never from the game folder the tests play in and save into.
set(PackageName zerathon-${PROJECT_VERSION}-win64)
set(PackageDir ${CMAKE_BINARY_DIR}/package/Zerathon)
set(PackageZip ${CMAKE_BINARY_DIR}/../${PackageName}.zip)
add_custom_command(OUTPUT ${PackageZip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/package
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${PackageDir}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zerathon> ${PackageDir}/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/windows/ReadMe.txt ${PackageDir}/
    COMMAND ${CMAKE_COMMAND} -E rm -f ${PackageZip}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
        ${CMAKE_COMMAND} -E tar cf ${PackageZip} --format=zip Zerathon
    DEPENDS zerathon ${DataFiles} ${CMAKE_SOURCE_DIR}/dist/windows/ReadMe.txt
    COMMENT "Packing ${PackageName}.zip")
add_custom_target(windows_zip ALL DEPENDS ${PackageZip})
# What a player downloads carries no symbols.
target_link_options(zerathon PRIVATE $<$<CONFIG:Release>:-s>)
