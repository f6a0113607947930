# Writes a C++ source holding the picture files as byte arrays, so the library
# needs no file at run time. Run with -DPICTURES=<dir> -DOUTPUT=<file>.
set(names "")
string(CONCAT body "#include \"art/embedded_pictures.h\"\n\n#include <iterator>\n\n"
  "#include \"board/squares.h\"\n\nnamespace art {\nnamespace {\n")
file(GLOB files "${PICTURES}/image??.bmp")
list(SORT files)
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME_WE)
  list(APPEND names ${name})
endforeach()
foreach(name IN LISTS names)
  file(READ "${PICTURES}/${name}.bmp" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char k_${name}[] = {${bytes}};\n")
endforeach()
string(APPEND body "const PictureFile kImages[] = {\n")
foreach(name IN LISTS names)
  string(APPEND body "    {k_${name}, sizeof k_${name}},\n")
endforeach()
string(APPEND body "};\nstatic_assert(std::size(kImages) == board::kImageCount, \"one picture file per image\");\n"
  "}  // namespace\n\n"
  "PictureFile ImageFile(int image) { return kImages[image - 1]; }\n\n"
  "}  // namespace art\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
