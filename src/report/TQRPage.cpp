#include "TQRPage.h"

void TQRPage::MakeSane()
{
    if (Width() - LeftMargin() - RightMargin() < 0) {
        Values[4] = 0;
        Values[5] = 0;
    }
    if (Length() - TopMargin() - BottomMargin() < 0) {
        Values[0] = 0;
        Values[2] = 0;
    }
}
