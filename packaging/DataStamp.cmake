# Writes a hash of every installed data file, so the launcher can tell when
# the installed data changed and the user's mesh caches must go.
file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/Resources/*")
list(FILTER files EXCLUDE REGEX "\\.bin$|^Resources/Icons/")
list(SORT files)
set(all "")
foreach(f ${files})
  file(SHA256 "${SOURCE_DIR}/${f}" h)
  string(APPEND all "${f} ${h}\n")
endforeach()
file(SHA256 "${SOURCE_DIR}/Config.cfg" h)
string(APPEND all "Config.cfg ${h}\n")
string(SHA256 stamp "${all}")
file(WRITE "${OUTPUT}" "${stamp}\n")
