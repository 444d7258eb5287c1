# mervalis_embed_resources(<target>
#     [GENERATED_SOURCE <file>]      default <target>_resources.cpp; relative to the current binary dir
#     [DEPENDS <target>...]          targets that produce any of the files at build time
#     ENTRIES <type> <name> <file> [<type> <name> <file>...])
#
# Gives <target> a resource table with one entry per triple, in the section that
# resources::ResourceLibrary reads from the library file, and the hidden
# resources::thisLibrarysResources() through which the library reads its own;
# it adds no export. <type> and <name> are RT_BITMAP,
# RT_ICON, RT_GROUP_ICON, RT_VERSION, a number from 1 to 65535 (also "#30000"),
# or a text such as TYPELIB. A relative <file> is taken from the current source
# directory; the table is regenerated whenever a file changes.
function(mervalis_embed_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "GENERATED_SOURCE" "DEPENDS;ENTRIES")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "mervalis_embed_resources(${target}): unexpected arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  list(LENGTH arg_ENTRIES count)
  math(EXPR leftover "${count} % 3")
  if(count EQUAL 0 OR NOT leftover EQUAL 0)
    message(FATAL_ERROR "mervalis_embed_resources(${target}): ENTRIES takes triples of type, name and file")
  endif()

  set(source "${arg_GENERATED_SOURCE}")
  if(NOT source)
    set(source "${target}_resources.cpp")
  endif()
  cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" NORMALIZE)

  set(arguments)
  set(files)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR name_index "${i} + 1")
    math(EXPR file_index "${i} + 2")
    list(GET arg_ENTRIES ${i} type)
    list(GET arg_ENTRIES ${name_index} name)
    list(GET arg_ENTRIES ${file_index} file)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
    list(APPEND arguments "${type}" "${name}" "${file}")
    list(APPEND files "${file}")
  endforeach()

  add_custom_command(
    OUTPUT "${source}"
    COMMAND resource_embedder "${source}" ${arguments}
    DEPENDS resource_embedder ${files} ${arg_DEPENDS}
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${source}")
  target_link_libraries(${target} PRIVATE platform_resource_table)
endfunction()
