#pragma once

#include <QByteArrayView>

// The CRC-32 of IEEE 802.3 (as in zip and PNG).
quint32 Crc32(QByteArrayView data);
