# Writes OUT: the exports of the .def file IN, each "Name @N" marked NONAME.
# The DLL's name is given to dlltool apart, so LIBRARY and comments are left.
file(STRINGS ${IN} lines REGEX "^[ \t]*[A-Za-z_][A-Za-z0-9_]*[ \t]+@[0-9]+[ \t]*$")
set(out "EXPORTS\n")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^[ \t]*([A-Za-z_][A-Za-z0-9_]*)[ \t]+@([0-9]+).*" "    \\1 @\\2 NONAME" entry "${line}")
  string(APPEND out "${entry}\n")
endforeach()
file(WRITE ${OUT} "${out}")
