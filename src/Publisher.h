#pragma once

#include <QString>

// The publisher's web address: its host name alone. The web-address label, the two links and the
// report's foot show it.
inline const QString PublisherHost = QStringLiteral("www.olvandar.org");
