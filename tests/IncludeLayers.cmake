# Fails when a source includes a header of a layer above it or beside it.
#   cmake -DQUORVEL_SOURCE_DIR=<checkout> -P IncludeLayers.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT QUORVEL_SOURCE_DIR)
    message(FATAL_ERROR "QUORVEL_SOURCE_DIR not set")
endif()

# Lowest first; each layer names the layers right below it and may include what they may.
# The application object and main() assemble the windows of both GUI layers, so they are the top.
set(layers platform versionlib resources mosaic media export app cli ui view root)
set(below_platform "")
set(below_versionlib platform)
set(below_resources versionlib)
set(below_mosaic resources)
set(below_media mosaic)
set(below_export media)
set(below_app export)
set(below_cli app)
set(below_ui app)
set(below_view ui)
set(below_root view)

# Path prefixes, most specific first.
set(prefixes
    app/ui/CVexoViewerApp. root
    app/ui/main. root
    app/ui/ ui
    app/ app
    view/ view
    cli/ cli
    export/ export
    media/ media
    mosaic/ mosaic
    resources/ resources
    versionlib/ versionlib
    platform/ platform)

foreach(layer IN LISTS layers)
    set(reach_${layer} "")
    foreach(lower IN LISTS below_${layer})
        list(APPEND reach_${layer} ${lower} ${reach_${lower}})
    endforeach()
endforeach()

function(layer_of path out)
    set(${out} "" PARENT_SCOPE)
    set(rest ${prefixes})
    while(rest)
        list(POP_FRONT rest prefix layer)
        string(FIND "${path}" "${prefix}" at)
        if(at EQUAL 0)
            set(${out} ${layer} PARENT_SCOPE)
            return()
        endif()
    endwhile()
endfunction()

set(sources "")
foreach(folder app view cli export media mosaic resources versionlib platform)
    file(GLOB_RECURSE found RELATIVE ${QUORVEL_SOURCE_DIR}
        ${QUORVEL_SOURCE_DIR}/${folder}/*.h ${QUORVEL_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${found})
endforeach()
set(scanned 0)
set(wrong "")
foreach(source IN LISTS sources)
    layer_of("${source}" from)
    math(EXPR scanned "${scanned} + 1")
    file(STRINGS ${QUORVEL_SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
        layer_of("${header}" to)
        if(NOT to)
            list(APPEND wrong "${source} (${from}) includes ${header}, which belongs to no layer")
        elseif(NOT to STREQUAL from AND NOT to IN_LIST reach_${from})
            list(APPEND wrong "${source} (${from}) includes ${header} (${to})")
        endif()
    endforeach()
endforeach()

if(scanned LESS 100)
    message(FATAL_ERROR "only ${scanned} sources found under ${QUORVEL_SOURCE_DIR}")
endif()
if(wrong)
    list(LENGTH wrong count)
    list(JOIN wrong "\n  " text)
    message(FATAL_ERROR "${count} includes point against the layers:\n  ${text}")
endif()
message(STATUS "${scanned} sources, every include points down")
