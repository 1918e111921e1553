#include "Unit3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3()
{
    setObjectName(QStringLiteral("Form3"));
    setLayoutDirection(Qt::RightToLeft);
}

TForm3::~TForm3() = default;
