# Run at build time (cmake -P): writes the kelvorad(1) manual page with help2man from the
# program's own --help and --version texts, the calc and plot commands' help texts included
# as sections of their own. The data folder's path is left as the word KELVORADDATAFOLDER,
# which the install step replaces with the installed one.
#   -DKELVORAD=<program> -DHELP2MAN=<help2man> -DSOURCE_DATA_DIR=<share/ of the source tree>
#   -DOUTPUT=<page> -DINCLUDE=<scratch file for help2man's --include>
set(token KELVORADDATAFOLDER)

# A help text as a roff block kept line for line.
function(roff_block text out)
  string(REPLACE "${SOURCE_DATA_DIR}" "${token}" text "${text}")
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  # A line starting with "." or "'" would be read as a request.
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}.fi\n" PARENT_SCOPE)
endfunction()

foreach(command calc plot)
  execute_process(COMMAND "${KELVORAD}" ${command} --help
    OUTPUT_VARIABLE help RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "kelvorad ${command} --help failed")
  endif()
  roff_block("${help}" ${command}_block)
endforeach()

file(WRITE "${INCLUDE}" "[NAME]
kelvorad \\- magnetite\\-ilmenite geothermometer and oxygen barometer
[CALC COMMAND]
${calc_block}[PLOT COMMAND]
${plot_block}[FILES]
.TP
.I ${token}/help/kelvorad.html
the user manual, which Help opens
.TP
.I ${token}/examples/
examples to try: natural-pairs.csv (33 published natural pairs, the main example) and
fe-ti-oxide-pairs.mi (an analysis file)
.TP
.I ${token}/templates/
the graph templates (gnuplot scripts) of the Graph menu and of kelvorad plot
.TP
.I ${token}/workbooks/
the template workbooks of the Edit Excel File command
[SEE ALSO]
.BR gnuplot (1)
")

execute_process(COMMAND "${HELP2MAN}" --no-info --section=1 --include=${INCLUDE}
    --output=${OUTPUT}.new "${KELVORAD}"
  RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "help2man failed: ${errors}")
endif()
# The main --help text names the manual by its path in this source tree.
file(READ "${OUTPUT}.new" page)
string(REPLACE "-" "\\-" escaped_folder "${SOURCE_DATA_DIR}")
string(REPLACE "${escaped_folder}" "${token}" page "${page}")
string(REPLACE "${SOURCE_DATA_DIR}" "${token}" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
file(REMOVE "${OUTPUT}.new")
