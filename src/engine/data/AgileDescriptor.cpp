#include "engine/data/AgileDescriptor.h"

#include "engine/data/AgileEncryption.h"
#include "engine/data/DataErrors.h"

#include <QXmlStreamReader>

#include <optional>

namespace velmora {

namespace {

const QString encryptionNamespace = QStringLiteral("http://schemas.microsoft.com/office/2006/encryption");
const QString passwordNamespace = QStringLiteral("http://schemas.microsoft.com/office/2006/keyEncryptor/password");

class AttributeReader {
public:
    AttributeReader(const QXmlStreamAttributes &attributes, const QString &fileName)
        : m_attributes(attributes), m_fileName(fileName)
    {
    }

    QString text(const char *name) const { return m_attributes.value(QLatin1String(name)).toString(); }

    quint32 number(const char *name) const
    {
        bool ok = false;
        const quint32 value = m_attributes.value(QLatin1String(name)).toUInt(&ok);
        if (!ok)
            throw damaged(QStringLiteral("l'atribut «%1» falta o no és un nombre").arg(QLatin1String(name)));
        return value;
    }

    QByteArray bytes(const char *name) const
    {
        const auto decoded = QByteArray::fromBase64Encoding(m_attributes.value(QLatin1String(name)).toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded || decoded.decoded.isEmpty())
            throw damaged(QStringLiteral("l'atribut «%1» falta o no és base64").arg(QLatin1String(name)));
        return decoded.decoded;
    }

    Failure damaged(const QString &detail) const
    {
        return DataErrors::damagedFile(m_fileName, QStringLiteral("el descriptor de xifratge no és vàlid: ") + detail);
    }

    Failure unsupported(const QString &what) const { return DataErrors::unsupportedEncryption(m_fileName, what); }

private:
    const QXmlStreamAttributes &m_attributes;
    const QString &m_fileName;
};

std::optional<Cryptography::Hash> hashNamed(const QString &name)
{
    if (name == QLatin1String("SHA1"))
        return Cryptography::Hash::Sha1;
    if (name == QLatin1String("SHA256"))
        return Cryptography::Hash::Sha256;
    if (name == QLatin1String("SHA384"))
        return Cryptography::Hash::Sha384;
    if (name == QLatin1String("SHA512"))
        return Cryptography::Hash::Sha512;
    return std::nullopt;
}

AgileCipher cipherOf(const AttributeReader &attributes)
{
    const QString algorithm = attributes.text("cipherAlgorithm");
    const QString chaining = attributes.text("cipherChaining");
    const quint32 keyBits = attributes.number("keyBits");
    if (algorithm != QLatin1String("AES"))
        throw attributes.unsupported(QStringLiteral("el xifratge «%1»").arg(algorithm));
    if (chaining != QLatin1String("ChainingModeCBC"))
        throw attributes.unsupported(QStringLiteral("l'encadenament «%1»").arg(chaining));
    if (!Cryptography::Aes::supportsKeyLength(keyBits / 8) || keyBits % 8 != 0)
        throw attributes.unsupported(QStringLiteral("AES amb una clau de %1 bits").arg(keyBits));
    const auto hash = hashNamed(attributes.text("hashAlgorithm"));
    if (!hash)
        throw attributes.unsupported(QStringLiteral("el resum «%1»").arg(attributes.text("hashAlgorithm")));

    AgileCipher cipher;
    cipher.hash = *hash;
    cipher.keyBytes = int(keyBits / 8);
    cipher.blockSize = int(attributes.number("blockSize"));
    cipher.salt = attributes.bytes("saltValue");
    if (cipher.blockSize != 16)
        throw attributes.damaged(QStringLiteral("AES amb blocs de %1 bytes").arg(cipher.blockSize));
    if (attributes.number("saltSize") != quint32(cipher.salt.size()))
        throw attributes.damaged(QStringLiteral("la sal no té la mida que diu"));
    if (attributes.number("hashSize") != quint32(Cryptography::Digest(*hash).size()))
        throw attributes.damaged(QStringLiteral("la mida del resum no és la de l'algorisme"));
    return cipher;
}

QByteArray wholeBlocks(const AttributeReader &attributes, const char *name)
{
    QByteArray value = attributes.bytes(name);
    if (value.size() % 16 != 0)
        throw attributes.damaged(QStringLiteral("«%1» no és de blocs sencers").arg(QLatin1String(name)));
    return value;
}

void readPasswordKey(const AttributeReader &attributes, AgileDescriptor &descriptor)
{
    descriptor.passwordKey = cipherOf(attributes);
    descriptor.spinCount = attributes.number("spinCount");
    if (descriptor.spinCount > AgileEncryption::longestSpin)
        throw attributes.damaged(QStringLiteral("%1 voltes de resum, més de les 10.000.000 permeses")
                                     .arg(descriptor.spinCount));
    descriptor.encryptedVerifierHashInput = wholeBlocks(attributes, "encryptedVerifierHashInput");
    descriptor.encryptedVerifierHashValue = wholeBlocks(attributes, "encryptedVerifierHashValue");
    descriptor.encryptedKeyValue = wholeBlocks(attributes, "encryptedKeyValue");
}

} // namespace

AgileDescriptor AgileDescriptor::parse(QByteArrayView xml, const QString &fileName)
{
    AgileDescriptor descriptor;
    bool hasKeyData = false;
    bool hasPasswordKey = false;
    QXmlStreamReader reader(xml.toByteArray());
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const AttributeReader attributeReader(attributes, fileName);
        if (reader.namespaceUri() == encryptionNamespace && reader.name() == QLatin1String("keyData")) {
            descriptor.keyData = cipherOf(attributeReader);
            hasKeyData = true;
        } else if (reader.namespaceUri() == passwordNamespace && reader.name() == QLatin1String("encryptedKey")
                   && !hasPasswordKey) {
            readPasswordKey(attributeReader, descriptor);
            hasPasswordKey = true;
        }
    }
    if (reader.hasError())
        throw DataErrors::damagedFile(fileName, QStringLiteral("el descriptor de xifratge no és XML vàlid (%1)")
                                                    .arg(reader.errorString()));
    if (!hasKeyData)
        throw DataErrors::damagedFile(fileName, QStringLiteral("el descriptor de xifratge no té «keyData»"));
    if (!hasPasswordKey)
        throw DataErrors::unsupportedEncryption(fileName, QStringLiteral("una clau que no es desxifra amb "
                                                                         "contrasenya (un certificat)"));
    return descriptor;
}

} // namespace velmora
