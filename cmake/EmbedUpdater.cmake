# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -P EmbedUpdater.cmake: writes the bytes of INPUT as the
# body of trek::UpdaterImage().
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
"// Generated from the updater program at build time; do not edit.
#include \"update/updaterimage.h\"

namespace trek {

namespace {
const unsigned char Image[${size}] = {
${bytes}
};
} // namespace

QByteArray UpdaterImage()
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(Image), sizeof Image);
}

} // namespace trek
")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
