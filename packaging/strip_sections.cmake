# Run by CPack on its staging tree, after the install and before the package
# is made: removes from the programs the compiler's .comment and .note
# sections, which the install's strip keeps and no one needs at run time.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_VELLANOR_STRIP}" --remove-section=.comment
    --remove-section=.note "${program}" RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "strip ${program}: ${errors}")
  endif()
endforeach()
