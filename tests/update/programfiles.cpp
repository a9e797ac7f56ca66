// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfiles.h"

#include <QtEndian>
#include <openssl/evp.h>
#include <openssl/pem.h>

namespace trek::test {

namespace {

void Put16(QByteArray& bytes, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void Put32(QByteArray& bytes, qsizetype offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

QByteArray MakePeProgram(const PeProgram& program)
{
    QByteArray file(qMax<qsizetype>(program.size, 0x400), program.filler);
    file.replace(0, 0x200, QByteArray(0x200, '\0'));
    file.replace(0, 2, "MZ");
    Put32(file, 0x3C, 0x80);
    file.replace(0x80, 4, QByteArray("PE\0\0", 4));
    Put16(file, 0x84, program.machine);
    Put16(file, 0x86, 1); // one section
    Put32(file, 0x88, program.stamp);
    Put16(file, 0x94, 0xE0); // a PE32 optional header
    Put16(file, 0x96, 0x0102);
    const qsizetype optional = 0x98;
    Put16(file, optional, 0x10B);
    Put32(file, optional + 92, 16); // data directories
    const quint32 resourceRva = 0x1000;
    const quint32 resourceSize = 0x58 + 92;
    Put32(file, optional + 96 + 16, resourceRva);
    Put32(file, optional + 96 + 20, resourceSize);
    const qsizetype section = optional + 0xE0;
    file.replace(section, 8, QByteArray(".rsrc\0\0\0", 8));
    Put32(file, section + 8, resourceSize);
    Put32(file, section + 12, resourceRva);
    Put32(file, section + 16, 0x200);
    Put32(file, section + 20, 0x200);

    // Type 16, name 1, language 0x409, then the data entry and the version block.
    const qsizetype resources = 0x200;
    file.replace(resources, 0x200, QByteArray(0x200, '\0'));
    Put16(file, resources + 14, 1);
    Put32(file, resources + 16, 16);
    Put32(file, resources + 20, 0x80000000U | 0x18U);
    Put16(file, resources + 0x18 + 14, 1);
    Put32(file, resources + 0x18 + 16, 1);
    Put32(file, resources + 0x18 + 20, 0x80000000U | 0x30U);
    Put16(file, resources + 0x30 + 14, 1);
    Put32(file, resources + 0x30 + 16, 0x409);
    Put32(file, resources + 0x30 + 20, 0x48);
    Put32(file, resources + 0x48, resourceRva + 0x58);
    Put32(file, resources + 0x48 + 4, 92);
    const qsizetype block = resources + 0x58;
    Put16(file, block, 92);
    Put16(file, block + 2, 52);
    const QString key = QStringLiteral("VS_VERSION_INFO");
    for (qsizetype index = 0; index < key.size(); ++index) {
        Put16(file, block + 6 + index * 2, key[index].unicode());
    }
    Put32(file, block + 40, 0xFEEF04BD);
    Put32(file, block + 44, 0x00010000);
    Put32(file, block + 48, program.version.mostSignificant);
    Put32(file, block + 52, program.version.leastSignificant);
    return file.left(program.size);
}

struct SigningKey::Key
{
    EVP_PKEY* key = nullptr;
};

SigningKey::SigningKey() : m_key(std::make_unique<Key>())
{
    m_key->key = EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519");
}

SigningKey::~SigningKey()
{
    EVP_PKEY_free(m_key->key);
}

QByteArray SigningKey::publicPem() const
{
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_PUBKEY(bio, m_key->key);
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    QByteArray pem(data, static_cast<qsizetype>(size));
    BIO_free(bio);
    return pem;
}

QByteArray SigningKey::sign(QByteArrayView message) const
{
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    QByteArray signature(64, '\0');
    std::size_t length = 64;
    EVP_DigestSignInit(context, nullptr, nullptr, nullptr, m_key->key);
    EVP_DigestSign(context, reinterpret_cast<unsigned char*>(signature.data()), &length,
                   reinterpret_cast<const unsigned char*>(message.data()),
                   static_cast<std::size_t>(message.size()));
    EVP_MD_CTX_free(context);
    return signature.left(static_cast<qsizetype>(length));
}

} // namespace trek::test
