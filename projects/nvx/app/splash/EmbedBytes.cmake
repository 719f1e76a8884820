# cmake -DINPUT=file -DOUTPUT=source.cpp -P EmbedBytes.cmake
# Writes the file's bytes as nvx::splashBitmapBytes.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR count "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE ${OUTPUT}
"// Generated from splash.bmp by EmbedBytes.cmake.
#include \"nvx/app/splash/SplashBitmap.h\"

namespace nvx {

extern const std::uint8_t splashBitmapData[${count}] = {
  ${bytes}
};
const std::span<const std::uint8_t> splashBitmapBytes(splashBitmapData, ${count});

}  // namespace nvx
")
