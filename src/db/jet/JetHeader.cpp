#include "JetHeader.h"

#include <QFile>

namespace {

// Page 0 begins with a four-byte page type, the format's name, and the version byte.
constexpr char kJetSignature[] = "\x00\x01\x00\x00Standard Jet DB";
constexpr char kAceSignature[] = "\x00\x01\x00\x00Standard ACE DB";
constexpr int kSignatureLength = 4 + 15 + 1; // includes the terminating zero
constexpr int kVersionOffset = 0x14;

} // namespace

JetHeader JetHeader::Read(const QString& path)
{
    JetHeader header;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    header.fileSize = file.size();
    if (header.fileSize == 0) {
        header.kind = Kind::Empty;
        return header;
    }
    const QByteArray start = file.read(kVersionOffset + 1);
    if (start.size() < kVersionOffset + 1)
        return header;
    const QByteArray signature = start.left(kSignatureLength);
    if (signature == QByteArray(kAceSignature, kSignatureLength)) {
        header.kind = Kind::Ace;
    } else if (signature == QByteArray(kJetSignature, kSignatureLength)) {
        const char version = start.at(kVersionOffset);
        if (version == 0)
            header.kind = Kind::Jet3;
        else if (version == 1)
            header.kind = Kind::Jet4;
    }
    return header;
}
