# comtest_symbol_table(<target> LIST <file> HEADER <include path> SOURCE <file name>
#                      NAMESPACE <namespace>)
# Generates, from the symbol list, the header of symbol-number constants
# (included as <include path>) and the source holding the embedded symbol table
# resource, and adds both to <target>. The list is the only place where the
# order of the program's symbols is written down.
function(comtest_symbol_table target)
    cmake_parse_arguments(ARG "" "LIST;HEADER;SOURCE;NAMESPACE" "" ${ARGN})
    set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
    set(header ${gen_dir}/${ARG_HEADER})
    set(source ${gen_dir}/${ARG_SOURCE})
    get_filename_component(header_dir ${header} DIRECTORY)
    get_filename_component(list ${ARG_LIST} ABSOLUTE)
    add_custom_command(
        OUTPUT ${header} ${source}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${header_dir}
        COMMAND symgen ${list} ${header} ${source} ${ARG_NAMESPACE} ${ARG_HEADER}
        DEPENDS symgen ${list}
        COMMENT "Generating the symbol table from ${ARG_LIST}"
        VERBATIM)
    target_sources(${target} PRIVATE ${header} ${source})
    target_include_directories(${target} PUBLIC ${gen_dir})
endfunction()
