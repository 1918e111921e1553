#pragma once

#include "TQRPrintable.h"

// A rectangle with a solid black outline one device pixel wide and a solid white fill.
class TQRShape : public TQRPrintable
{
public:
    using TQRPrintable::TQRPrintable;

    void Print(const TQRPrintContext& context) override;
};
