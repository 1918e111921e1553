#include "ErrorText.h"

#include "Exceptions.h"

QString ErrorText(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const Exception& error) {
        return error.Message();
    }
    return QString();
}
