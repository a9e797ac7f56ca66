// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sha256.h"

#include <QCryptographicHash>
#include <openssl/evp.h>

namespace trek::platform {

namespace {

// Looked up once: the implicit lookup of EVP_sha256() costs about as much as hashing a day file.
const EVP_MD* Sha256Method()
{
    static EVP_MD* const method = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    return method;
}

} // namespace

QByteArray sha256(QByteArrayView bytes)
{
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int length = 0;
    const EVP_MD* method = Sha256Method();
    if (method == nullptr || EVP_Digest(bytes.data(), static_cast<size_t>(bytes.size()),
                                        reinterpret_cast<unsigned char*>(digest.data()), &length,
                                        method, nullptr) != 1) {
        // A crypto library without its default provider (a broken configuration) still gets
        // the same digest, only slower.
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    }
    digest.truncate(static_cast<qsizetype>(length));
    return digest;
}

} // namespace trek::platform
