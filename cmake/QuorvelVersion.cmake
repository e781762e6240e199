# The version record our binaries carry: resources/version/version.txt is turned into the
# binary record by a small host tool at build time and linked, as an object of its own, into
# every program and library given to quorvel_embed_version().

set(QUORVEL_VERSION_DESCRIPTION ${CMAKE_SOURCE_DIR}/resources/version/version.txt)
set(QUORVEL_VERSION_SOURCE ${CMAKE_BINARY_DIR}/generated/QuorvelVersionRecord.cpp)

# The description and the project must agree on the version.
file(STRINGS ${QUORVEL_VERSION_DESCRIPTION} QUORVEL_FIXED_FILE_VERSION
    REGEX "^[ \t]*FixedFileVersion[ \t]*=")
string(REGEX REPLACE "^[^=]*=[ \t]*([^ \t]*).*$" "\\1"
    QUORVEL_FIXED_FILE_VERSION "${QUORVEL_FIXED_FILE_VERSION}")
if(NOT QUORVEL_FIXED_FILE_VERSION STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "version.txt says ${QUORVEL_FIXED_FILE_VERSION}, "
        "the project ${PROJECT_VERSION}")
endif()

add_library(quorvel-version-record STATIC
    ${CMAKE_SOURCE_DIR}/resources/version/CVersionDescription.cpp
    ${CMAKE_SOURCE_DIR}/resources/version/CVersionRecordBuilder.cpp)
target_include_directories(quorvel-version-record PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(quorvel-version-gen ${CMAKE_SOURCE_DIR}/resources/version/QuorvelVersionGen.cpp)
target_link_libraries(quorvel-version-gen PRIVATE quorvel-version-record)
# A build tool, not part of the program folder.
set_target_properties(quorvel-version-gen PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${QUORVEL_VERSION_SOURCE}
    COMMAND quorvel-version-gen ${QUORVEL_VERSION_DESCRIPTION} ${QUORVEL_VERSION_SOURCE}
    DEPENDS quorvel-version-gen ${QUORVEL_VERSION_DESCRIPTION}
    COMMENT "Generating the version record"
    VERBATIM)
add_library(quorvel-version-embed OBJECT ${QUORVEL_VERSION_SOURCE})

function(quorvel_embed_version target)
    target_link_libraries(${target} PRIVATE quorvel-version-embed)
endfunction()
