#include "Unit2.h"

TData* Data = nullptr;

TData::TData()
{
    setObjectName(QStringLiteral("Data"));
}

TData::~TData() = default;
