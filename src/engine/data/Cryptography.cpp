#include "engine/data/Cryptography.h"

#include "engine/core/Failure.h"
#include "engine/data/DataErrors.h"

#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/provider.h>
#include <openssl/rand.h>


namespace velmora::Cryptography {

namespace {

Failure missing(const char *algorithm)
{
    return Failure(DataErrors::UnsupportedEncryption,
                   QStringLiteral("La biblioteca criptogràfica del sistema (OpenSSL) no ofereix %1.")
                       .arg(QLatin1String(algorithm)));
}

// The context RC4 is fetched from; see the header for why it is our own.
class LegacyContext {
public:
    LegacyContext()
        : m_context(OSSL_LIB_CTX_new()),
          m_legacy(m_context ? OSSL_PROVIDER_load(m_context, "legacy") : nullptr),
          m_default(m_context ? OSSL_PROVIDER_load(m_context, "default") : nullptr),
          m_rc4(m_legacy && m_default ? EVP_CIPHER_fetch(m_context, "RC4", nullptr) : nullptr)
    {
    }
    ~LegacyContext()
    {
        EVP_CIPHER_free(m_rc4);
        if (m_default)
            OSSL_PROVIDER_unload(m_default);
        if (m_legacy)
            OSSL_PROVIDER_unload(m_legacy);
        OSSL_LIB_CTX_free(m_context);
    }
    LegacyContext(const LegacyContext &) = delete;
    LegacyContext &operator=(const LegacyContext &) = delete;

    const EVP_CIPHER *rc4() const { return m_rc4; }

private:
    OSSL_LIB_CTX *m_context;
    OSSL_PROVIDER *m_legacy;
    OSSL_PROVIDER *m_default;
    EVP_CIPHER *m_rc4;
};

const EVP_CIPHER *rc4Cipher()
{
    static const LegacyContext context;
    if (!context.rc4())
        throw missing("RC4 (el proveïdor «legacy»)");
    return context.rc4();
}

const char *hashName(Hash hash)
{
    switch (hash) {
    case Hash::Sha1:
        return "SHA1";
    case Hash::Sha256:
        return "SHA256";
    case Hash::Sha384:
        return "SHA384";
    case Hash::Sha512:
        break;
    }
    return "SHA512";
}

struct CipherContext {
    CipherContext() : context(EVP_CIPHER_CTX_new())
    {
        if (!context)
            throw missing("un context de xifratge");
    }
    ~CipherContext() { EVP_CIPHER_CTX_free(context); }
    CipherContext(const CipherContext &) = delete;
    CipherContext &operator=(const CipherContext &) = delete;
    EVP_CIPHER_CTX *context;
};

// Every length this unit transforms is far below INT_MAX (one page), but
// the library counts in int, so larger ones go in slices.
void update(EVP_CIPHER_CTX *context, unsigned char *data, qsizetype length, const char *algorithm)
{
    constexpr qsizetype slice = 1 << 30;
    for (qsizetype done = 0; done < length; done += slice) {
        const int part = int(qMin(slice, length - done));
        int written = 0;
        if (EVP_CipherUpdate(context, data + done, &written, data + done, part) != 1 || written != part)
            throw missing(algorithm);
    }
}

} // namespace

struct Digest::State {
    EVP_MD *md = nullptr;
    EVP_MD_CTX *context = nullptr;
    ~State()
    {
        EVP_MD_CTX_free(context);
        EVP_MD_free(md);
    }
};

Digest::Digest(Hash hash) : m_state(std::make_unique<State>())
{
    m_state->md = EVP_MD_fetch(nullptr, hashName(hash), nullptr);
    m_state->context = EVP_MD_CTX_new();
    if (!m_state->md || !m_state->context)
        throw missing(hashName(hash));
}

Digest::~Digest() = default;

int Digest::size() const
{
    return EVP_MD_get_size(m_state->md);
}

QByteArray Digest::of(std::initializer_list<QByteArrayView> parts)
{
    QByteArray result(size(), Qt::Uninitialized);
    write(parts, result.data());
    return result;
}

void Digest::write(std::initializer_list<QByteArrayView> parts, char *into)
{
    bool ok = EVP_DigestInit_ex2(m_state->context, m_state->md, nullptr) == 1;
    for (const QByteArrayView part : parts)
        ok = ok && EVP_DigestUpdate(m_state->context, part.data(), size_t(part.size())) == 1;
    unsigned int length = 0;
    ok = ok && EVP_DigestFinal_ex(m_state->context, reinterpret_cast<unsigned char *>(into), &length) == 1;
    if (!ok || int(length) != size())
        throw missing(EVP_MD_get0_name(m_state->md));
}

struct Rc4::State {
    CipherContext cipher;
};

Rc4::Rc4(QByteArrayView key) : m_state(std::make_unique<State>())
{
    // The key length must be set before the key itself, and RC4 keys here
    // are 4 to 16 bytes, never the library's default length.
    EVP_CIPHER_CTX *context = m_state->cipher.context;
    const auto *bytes = reinterpret_cast<const unsigned char *>(key.data());
    if (key.isEmpty() || EVP_CipherInit_ex2(context, rc4Cipher(), nullptr, nullptr, 1, nullptr) != 1
        || EVP_CIPHER_CTX_set_key_length(context, int(key.size())) != 1
        || EVP_CipherInit_ex2(context, nullptr, bytes, nullptr, 1, nullptr) != 1)
        throw missing("RC4");
}

Rc4::~Rc4() = default;
Rc4::Rc4(Rc4 &&) noexcept = default;
Rc4 &Rc4::operator=(Rc4 &&) noexcept = default;

void Rc4::apply(unsigned char *data, qsizetype length)
{
    update(m_state->cipher.context, data, length, "RC4");
}

struct Aes::State {
    CipherContext cipher;
    EVP_CIPHER *algorithm = nullptr;
    ~State() { EVP_CIPHER_free(algorithm); }
};

Aes::Aes(QByteArrayView key, Mode mode, Direction direction) : m_state(std::make_unique<State>())
{
    if (!supportsKeyLength(key.size()))
        throw missing("AES amb aquesta mida de clau");
    const QByteArray name = QByteArray("AES-") + QByteArray::number(key.size() * 8)
                            + (mode == Mode::Cbc ? "-CBC" : "-ECB");
    m_state->algorithm = EVP_CIPHER_fetch(nullptr, name.constData(), nullptr);
    EVP_CIPHER_CTX *context = m_state->cipher.context;
    const int encrypt = direction == Direction::Encrypt ? 1 : 0;
    if (!m_state->algorithm
        || EVP_CipherInit_ex2(context, m_state->algorithm, reinterpret_cast<const unsigned char *>(key.data()),
                              nullptr, encrypt, nullptr) != 1
        || EVP_CIPHER_CTX_set_padding(context, 0) != 1)
        throw missing(name.constData());
}

Aes::~Aes() = default;

void Aes::apply(QByteArrayView iv, unsigned char *data, qsizetype length)
{
    EVP_CIPHER_CTX *context = m_state->cipher.context;
    if (length % 16 != 0
        || (EVP_CIPHER_CTX_get_iv_length(context) > 0 && iv.size() != EVP_CIPHER_CTX_get_iv_length(context))
        || EVP_CipherInit_ex2(context, nullptr, nullptr, reinterpret_cast<const unsigned char *>(iv.data()), -1,
                              nullptr) != 1)
        throw missing("AES per a aquestes dades");
    update(context, data, length, "AES");
}

QByteArray Aes::applied(QByteArrayView iv, QByteArray data)
{
    apply(iv, reinterpret_cast<unsigned char *>(data.data()), data.size());
    return data;
}

QByteArray randomBytes(int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    if (RAND_bytes(reinterpret_cast<unsigned char *>(bytes.data()), count) != 1)
        throw missing("nombres aleatoris");
    return bytes;
}

} // namespace velmora::Cryptography
