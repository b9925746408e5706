# Writes a program's manual page from what the built program itself prints: the synopsis and
# description from --help, then one subsection per command from "help COMMAND", so the page
# never drifts from the command line it documents. The page is written gzipped, as Debian
# installs manual pages.
#   cmake -DPROGRAM=<path> -DNAME=<name> -DSUMMARY=<text> -DVERSION=<x.y.z> -DSEE_ALSO=<name>
#         -DOUTPUT=<file.1.gz> -P ManPage.cmake
cmake_policy(VERSION 3.25)

function(run_program out)
    execute_process(COMMAND ${PROGRAM} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status
                    ERROR_VARIABLE error)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} ${ARGN} failed (${status}): ${error}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Roff takes a backslash as an escape and a line starting with "." or "'" as a request; a plain
# "-" may be typeset as a hyphen, which breaks options copied from the page.
function(roff_verbatim out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    string(REGEX REPLACE "\n$" "" text "${text}")
    set(${out} ".nf\n${text}\n.fi\n" PARENT_SCOPE)
endfunction()

run_program(usage --help)
string(TOUPPER ${NAME} upper)

# The commands are the first words of the indented lines of the help's command list.
string(REGEX MATCH "Commands[^\n]*:\n(  [^\n]*\n)+" command_block "${usage}")
string(REGEX MATCHALL "\n  [a-z][a-z-]*" command_lines "${command_block}")
set(commands "")
foreach(line IN LISTS command_lines)
    string(STRIP "${line}" command)
    if(NOT command STREQUAL "help")
        list(APPEND commands ${command})
    endif()
endforeach()
if(NOT commands)
    message(FATAL_ERROR "no commands found in ${NAME} --help")
endif()

string(REGEX REPLACE "^Usage:[^\n]*\n\n?" "" description "${usage}")
roff_verbatim(description "${description}")
set(page ".TH ${upper} 1 \"\" \"${NAME} ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${NAME} \\- ${SUMMARY}\n")
string(APPEND page ".SH SYNOPSIS\n.B ${NAME}\n[\\fICOMMAND\\fR] [\\fIOPTIONS\\fR]\n")
string(APPEND page ".SH DESCRIPTION\n${description}")
string(APPEND page ".SH COMMANDS\n")
foreach(command IN LISTS commands)
    run_program(command_help help ${command})
    roff_verbatim(command_help "${command_help}")
    string(APPEND page ".SS ${command}\n${command_help}")
endforeach()
string(APPEND page ".SH SEE ALSO\n.BR ${SEE_ALSO} (1)\n")

get_filename_component(dir ${OUTPUT} DIRECTORY)
string(REGEX REPLACE "\\.gz$" "" plain ${OUTPUT})
file(WRITE ${plain} "${page}")
execute_process(COMMAND gzip -9nf ${plain} WORKING_DIRECTORY ${dir} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${plain} failed")
endif()
