# Install rules: the library, its public headers, the CMake package (Paginor::paginor) and paginor.pc.
include(CMakePackageConfigHelpers)

set(PAGINOR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Paginor)

install(TARGETS paginor EXPORT PaginorTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/library/include/paginor ${PAGINOR_GENERATED_INCLUDE}/paginor
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development
        FILES_MATCHING PATTERN "*.h")
install(EXPORT PaginorTargets NAMESPACE Paginor:: DESTINATION ${PAGINOR_CMAKE_DIR}
        COMPONENT development)

# A static archive needs zlib, libjpeg, giflib, libpng, libdeflate and the text libraries at the
# consumer's link; the shared library does not.
if(PAGINOR_LIBRARY_TYPE STREQUAL "STATIC_LIBRARY")
  set(PAGINOR_STATIC_DEPENDENCIES ON)
  set(PAGINOR_PC_REQUIRES_PRIVATE "Requires.private: zlib libjpeg libgif libpng libdeflate harfbuzz harfbuzz-subset fribidi libunibreak fontconfig")
else()
  set(PAGINOR_STATIC_DEPENDENCIES OFF)
  set(PAGINOR_PC_REQUIRES_PRIVATE "")
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PaginorConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/PaginorConfig.cmake
                              INSTALL_DESTINATION ${PAGINOR_CMAKE_DIR})
# 0.x releases may break the interface: only the same major and minor version is compatible.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PaginorConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PaginorConfig.cmake ${PROJECT_BINARY_DIR}/PaginorConfigVersion.cmake
        DESTINATION ${PAGINOR_CMAKE_DIR} COMPONENT development)

# pkg-config: relative directories are taken below the prefix, absolute ones as they are.
foreach(kind LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}}")
    set(PAGINOR_PC_${kind} "${CMAKE_INSTALL_${kind}}")
  else()
    set(PAGINOR_PC_${kind} "\${prefix}/${CMAKE_INSTALL_${kind}}")
  endif()
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/cmake/paginor.pc.in ${PROJECT_BINARY_DIR}/paginor.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/paginor.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
        COMPONENT development)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT development)
