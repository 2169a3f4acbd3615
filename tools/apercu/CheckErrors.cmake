# apercu on command lines and texts that must fail: exit code 1, a message
# that says what is wrong, and not one control byte from the input in what
# it prints. Options that used to crash or overflow draw, or are refused.
#   cmake -DAPERCU=... [-DEMULATOR=...] -DWORK=... -DSAMPLE=... -P this
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(ASCII 27 esc)
string(ASCII 7 bel)
string(ASCII 157 c1)

function(apercu expected_rc pattern)
  execute_process(COMMAND ${EMULATOR} "${APERCU}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  set(printed "${out}${err}")
  if(NOT rc EQUAL expected_rc OR NOT printed MATCHES "${pattern}")
    message(SEND_ERROR "apercu ${ARGN}: exit ${rc} (wanted ${expected_rc}), printed:\n${printed}")
  endif()
  foreach(c "${esc}" "${bel}" "${c1}")
    string(FIND "${printed}" "${c}" at)
    if(NOT at EQUAL -1)
      message(SEND_ERROR "apercu ${ARGN}: a raw control byte in what it printed:\n${printed}")
    endif()
  endforeach()
endfunction()

set(png "${WORK}/out.png")
apercu(0 "^[0-9]+\n" --x -1000 --width 0 "${SAMPLE}" "${png}")
apercu(0 "^-[0-9]+\n" --x -16000 --y -16000 --width 16000 "${SAMPLE}" "${png}")
apercu(1 "--width wants a whole number from 0 to 16000, not \"2147483647\"" --width 2147483647 "${SAMPLE}" "${png}")
apercu(1 "--x wants a whole number from -16000 to 16000" --x -2147483648 "${SAMPLE}" "${png}")
apercu(1 "--y wants a whole number from -16000 to 16000" --y 2147483647 "${SAMPLE}" "${png}")
apercu(1 "--size wants a whole number from 1 to 1000, not \"1x\"" --size 1x "${SAMPLE}" "${png}")
apercu(1 "--width wants a whole number" "${SAMPLE}" "${png}" --width)
apercu(1 "unknown option --\\\\x1B\\[2J" "--${esc}[2J" "${png}")
apercu(1 "cannot read ${WORK}/a\\\\x07b" "${WORK}/a${bel}b" "${png}")
apercu(1 "cannot read " "${WORK}" "${png}")

file(WRITE "${WORK}/bad.txt" "Titre <FONT SIZE=1${esc}]0;x${bel}${c1}>")
apercu(1 "conversion error in the markup: '1\\\\x1B]0;x\\\\x07\\\\x9D' n'est pas une valeur" "${WORK}/bad.txt" "${png}")

# 40000 lines: more than any picture apercu makes.
string(REPEAT "x<P>" 40000 tall)
file(WRITE "${WORK}/tall.txt" "${tall}")
apercu(1 "the picture would be [0-9]+ x [0-9]+ pixels; apercu makes at most" "${WORK}/tall.txt" "${png}")

# The progress window's views refuse what they cannot draw.
apercu(1 "unknown style gsRadial " --gradient gsRadial --from 000000 --to FFFFFF "${png}")
apercu(1 "--from wants RRGGBB" --gradient gsRadialC --from 12345 --to FFFFFF "${png}")
apercu(1 "--gradient wants --from and --to" --gradient gsLinearH --from 000000 "${png}")
apercu(1 "--bouton wants a width and a height from 1 to 10000" --bouton 0 29 "${png}")
apercu(1 "--bouton wants a width and a height from 1 to 10000" --bouton 158 2147483648 "${png}")
apercu(1 "--duree wants a number of seconds" --duree 1${esc}2)
