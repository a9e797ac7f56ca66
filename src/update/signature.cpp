// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/signature.h"

#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace trek {

namespace {
constexpr qsizetype Ed25519SignatureBytes = 64;

struct BioFree
{
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct KeyFree
{
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct ContextFree
{
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
} // namespace

Result<> VerifyUpdateSignature(QByteArrayView file, QByteArrayView signature,
                               QByteArrayView publicKeyPem)
{
    if (signature.size() != Ed25519SignatureBytes) {
        return fail(QStringLiteral("The signature of the new version has %1 bytes, not %2.")
                        .arg(signature.size())
                        .arg(Ed25519SignatureBytes));
    }
    const std::unique_ptr<BIO, BioFree> bio(
        BIO_new_mem_buf(publicKeyPem.data(), static_cast<int>(publicKeyPem.size())));
    const std::unique_ptr<EVP_PKEY, KeyFree> key(
        bio ? PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr) : nullptr);
    if (!key || EVP_PKEY_is_a(key.get(), "ED25519") != 1) {
        return fail(QStringLiteral("The program holds no Ed25519 key to check updates with."));
    }
    const std::unique_ptr<EVP_MD_CTX, ContextFree> context(EVP_MD_CTX_new());
    if (!context ||
        EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1) {
        return fail(QStringLiteral("The signature of the new version cannot be checked."));
    }
    if (EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char*>(signature.data()),
                         static_cast<std::size_t>(signature.size()),
                         reinterpret_cast<const unsigned char*>(file.data()),
                         static_cast<std::size_t>(file.size())) != 1) {
        return fail(QStringLiteral("The signature of the new version does not match it: the "
                                   "file is not the maker's."));
    }
    return {};
}

} // namespace trek
