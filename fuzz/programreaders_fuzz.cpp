// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the readers of downloaded program files and checks what they claim
// against the bytes themselves: a signature they report must be there, a stamp must lie inside.

#include "fuzzcheck.h"
#include "update/executableheader.h"
#include "update/versionresource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView file(data, static_cast<qsizetype>(size));
    const QByteArrayView head =
        file.first(std::min<qsizetype>(file.size(), trek::ProgramHeadBytes));

    if (const std::optional<qsizetype> signature = trek::FindPeSignature(head)) {
        const bool inside = *signature >= 0 && *signature % 4 == 0 && *signature + 4 <= head.size();
        trek::fuzz::check(inside && head.sliced(*signature, 4) == QByteArrayView("PE\0\0", 4));
    }
    // No stamp without the signature it is read behind.
    trek::fuzz::check(!trek::ReadHeaderStamp(head) || trek::FindPeSignature(head));
    (void)trek::ReadExecutableKind(head);
    if (const std::optional<trek::FileVersion> version = trek::ReadFileVersion(file)) {
        (void)trek::NewVersionText(*version, file.size());
    }
    return 0;
}
