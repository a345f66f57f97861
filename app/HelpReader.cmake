# Included by the program's build and by the fuzzing build, which reads help files through it.
# Reads help files for the program in a child process, so that chmlib never runs in the ruler.
# Installed out of the PATH; the program finds it beside itself or in ../libexec/tavlinko.
add_executable(tavlinko-help-reader ${CMAKE_CURRENT_LIST_DIR}/HelpReaderMain.cpp)
target_link_libraries(tavlinko-help-reader PRIVATE tavlinko_core)
set_target_properties(tavlinko-help-reader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVLINKO_PROGRAM_DIR})
install(TARGETS tavlinko-help-reader RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tavlinko)
