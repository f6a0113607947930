# Builds one Windows Installer package with wixl, telling Apps & features the
# installed size: the staged files in kilobytes, rounded up. STAGE is the
# folder of the files it packs, beside the WXS. With SIGN_SCRIPT
# (tools/sign.sh), the package is signed once built.
# cmake -DWIXL= -DARCH= -DVERSION= -DPRODUCT_CODE= -DWXS= -DSTAGE= -DOUTPUT= [-DSIGN_SCRIPT=] -P build_msi.cmake
file(GLOB staged "${STAGE}/*")
set(bytes 0)
foreach(file IN LISTS staged)
  file(SIZE "${file}" size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
math(EXPR kilobytes "(${bytes} + 1023) / 1024")

# wixl takes sources only by relative names; the stage sits beside the WXS.
get_filename_component(stage_name "${STAGE}" NAME)
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
execute_process(
  COMMAND "${WIXL}" -a ${ARCH} -D Version=${VERSION} -D ProductCode=${PRODUCT_CODE} -D ArpSize=${kilobytes}
          -D Stage=${stage_name}
          -o "${OUTPUT}" "${WXS}"
  COMMAND_ERROR_IS_FATAL ANY)
if(SIGN_SCRIPT)
  execute_process(COMMAND sh "${SIGN_SCRIPT}" "${OUTPUT}" COMMAND_ERROR_IS_FATAL ANY)
endif()
